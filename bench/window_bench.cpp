// Drops 1,000, 10,000 and 100,000 novel files on the real window (offscreen,
// one synthetic drop each), presses Start on them, and prints the window's
// times beside the core's own rename_all over a fresh copy of the batch.
//
//   window_bench [largest-count]

#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdio>
#include <fstream>

#include "core/batch_rename.h"
#include "ui/file_list_box.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace {

// 《斗破苍穹n》, [诛仙n]/萧鼎 and 遮天n in GBK, cycled.
std::string first_line(int index) {
    const std::string number = std::to_string(index);
    switch (index % 3) {
        case 0:
            return "\xA1\xB6\xB6\xB7\xC6\xC6\xB2\xD4\xF1\xB7" + number + "\xA1\xB7";
        case 1:
            return "[\xD6\xEF\xCF\xC9" + number + "]/\xCF\xF4\xB6\xA6";
        default:
            return "\xD5\xDA\xCC\xEC" + number;
    }
}

QStringList write_batch(const QString& folder, int count) {
    QDir().mkpath(folder);
    const std::string body(4096, 'x');
    QStringList paths;
    paths.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QStringLiteral("/%1.txt").arg(1000 + i);
        std::ofstream(path.toStdString(), std::ios::binary) << first_line(i) << "\r\n" << body;
        paths << path;
    }
    ::sync();  // keep the new files' write-back out of the timings
    return paths;
}

double seconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int largest = argc > 1 ? std::atoi(argv[1]) : 100000;

    std::printf("%9s %12s %12s %14s %7s\n", "files", "drop s", "Start s", "rename_all s", "ratio");
    for (int count = 1000; count <= largest; count *= 10) {
        QTemporaryDir root;
        const QStringList window_paths =
            write_batch(root.filePath(QStringLiteral("window")), count);
        const QStringList core_paths = write_batch(root.filePath(QStringLiteral("core")), count);

        varentix::MainWindow window;
        window.show();
        QCoreApplication::processEvents();
        QWidget* viewport = window.file_list().viewport();

        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : window_paths) urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);

        QElapsedTimer timer;
        timer.start();
        const QPoint at(20, 20);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
        QCoreApplication::processEvents();
        const double drop_time = seconds(timer);

        timer.restart();
        window.start_renaming();
        QCoreApplication::processEvents();
        const double start_time = seconds(timer);

        std::vector<varentix::Text> entries;
        entries.reserve(static_cast<std::size_t>(count));
        for (const QString& path : core_paths) entries.push_back(varentix::to_text(path));
        varentix::VectorFileList list(std::move(entries));
        timer.restart();
        varentix::rename_all(list);
        const double core_time = seconds(timer);

        if (window.file_list().count() != count)
            std::printf("drop delivered only %d\n", window.file_list().count());
        std::printf("%9d %12.3f %12.3f %14.3f %7.2f\n", count, drop_time, start_time, core_time,
                    start_time / core_time);
    }
    return 0;
}
