// A stand-in for a file manager in the drag-and-drop test: a small window
// that starts dragging the files named on its command line as soon as it is
// pressed, allowing copy, move and link with move preferred, as file
// managers do within one disk. When the drag ends it prints the action the
// drop target answered, e.g. "result: copy".

#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

const char* action_name(Qt::DropAction action) {
    switch (action) {
        case Qt::CopyAction:
            return "copy";
        case Qt::MoveAction:
            return "move";
        case Qt::LinkAction:
            return "link";
        default:
            return "none";
    }
}

class DragSource final : public QWidget {
public:
    explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {
        setWindowTitle(QStringLiteral("drag source"));
        setFixedSize(120, 120);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(urls_);
        drag->setMimeData(data);
        const Qt::DropAction result =
            drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::MoveAction);
        std::printf("result: %s\n", action_name(result));
        std::fflush(stdout);
    }

private:
    QList<QUrl> urls_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (const QString& path : QApplication::arguments().mid(1))
        urls << QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    DragSource source(urls);
    source.move(0, 0);
    source.show();
    return QApplication::exec();
}
