#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "core/batch_rename.h"
#include "ui/drop_import.h"
#include "ui/file_list_box.h"
#include "ui/import_dialog.h"
#include "ui/main_window.h"
#include "ui_test_support.h"

namespace varentix {
namespace {

using testing::gbk;
using testing::names_in;
using testing::read_file;
using testing::write_file;

// Records every change of the status display, in order.
class RecordingStatus final : public StatusDisplay {
public:
    void show_not_imported() override { events.push_back("not imported"); }
    void show_imported() override { events.push_back("imported"); }
    void show_done() override { events.push_back("done"); }
    void show_count(const Text& count) override { events.push_back("count " + count); }
    std::vector<std::string> events;
};

QList<QUrl> file_urls(const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    return urls;
}

QMimeData* files_data(const QStringList& paths) {
    auto* data = new QMimeData;
    data->setUrls(file_urls(paths));
    return data;
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

class ImportTest : public QObject {
    Q_OBJECT

private:
    MainWindow* window_ = nullptr;
    FileListBox* list() { return window_->findChild<FileListBox*>(QStringLiteral("列表框1")); }
    QWidget* viewport() { return list()->viewport(); }
    QLabel* status() { return window_->findChild<QLabel*>(QStringLiteral("标签1")); }
    QLabel* count() { return window_->findChild<QLabel*>(QStringLiteral("标签3")); }

    // A drag entering, moving over and dropping on a widget; the events'
    // answers are returned for inspection.
    struct Drag {
        bool enter_accepted = false;
        bool move_accepted = false;
        Qt::DropAction move_action = Qt::IgnoreAction;
        bool drop_accepted = false;
        Qt::DropAction drop_action = Qt::IgnoreAction;
    };

    Drag drag(QWidget* target, const QMimeData* data, Qt::DropActions allowed,
              Qt::KeyboardModifiers keys = Qt::NoModifier, bool release = true) {
        Drag answers;
        const QPointF at(20, 20);
        QDragEnterEvent enter(at.toPoint(), allowed, data, Qt::LeftButton, keys);
        QCoreApplication::sendEvent(target, &enter);
        answers.enter_accepted = enter.isAccepted();
        if (!answers.enter_accepted) return answers;
        QDragMoveEvent move(at.toPoint(), allowed, data, Qt::LeftButton, keys);
        QCoreApplication::sendEvent(target, &move);
        answers.move_accepted = move.isAccepted();
        answers.move_action = move.dropAction();
        if (!release) return answers;
        QDropEvent drop(at, allowed, data, Qt::LeftButton, keys);
        QCoreApplication::sendEvent(target, &drop);
        answers.drop_accepted = drop.isAccepted();
        answers.drop_action = drop.dropAction();
        return answers;
    }

private Q_SLOTS:
    void init() {
        window_ = new MainWindow;
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }

    void cleanup() {
        set_file_dialog_runner({});
        delete window_;
        window_ = nullptr;
    }

    // Drag and drop: what is refused.

    void data_without_files_or_text_is_refused_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("HTML only") << QStringLiteral("html");
        QTest::newRow("web addresses only") << QStringLiteral("urls");
    }

    void data_without_files_or_text_is_refused() {
        QFETCH(QString, kind);
        QMimeData data;
        if (kind == QStringLiteral("html"))
            data.setHtml(QStringLiteral("<b>1001.txt</b>"));
        else
            data.setUrls({QUrl(QStringLiteral("https://example.org/1001.txt"))});
        const Drag answers = drag(viewport(), &data, Qt::CopyAction | Qt::MoveAction);
        QVERIFY(!answers.enter_accepted);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(status()->text(), QStringLiteral("未导入"));
    }

    void other_controls_take_no_drops() {
        QTemporaryDir folder;
        std::unique_ptr<QMimeData> data(
            files_data({write_file(folder, QStringLiteral("1.txt"), "x")}));
        for (const char* name : {"按钮1", "按钮2", "分组框1", "标签1"}) {
            auto* widget = window_->findChild<QWidget*>(QString::fromUtf8(name));
            QVERIFY(!drag(widget, data.get(), Qt::CopyAction).enter_accepted);
        }
        QVERIFY(!window_->acceptDrops());
        QCOMPARE(list()->count(), 0);
    }

    void a_second_attachment_is_refused() {
        auto* target = window_->findChild<DropTarget*>(QStringLiteral("拖放对象1"));
        QVERIFY(target != nullptr);
        QVERIFY(!target->attach(list()));
        FileListBox other;
        QVERIFY(!target->attach(&other));
        QVERIFY(!other.viewport()->acceptDrops());
    }

    // Drag and drop: the cursor the user sees.

    void feedback_follows_keys_and_allowed_effects_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("keys");
        QTest::addColumn<Qt::DropActions>("allowed");
        QTest::addColumn<Qt::DropAction>("effect");
        const Qt::DropActions all = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        QTest::newRow("no key, all") << none << all << Qt::CopyAction;
        QTest::newRow("no key, move or link")
            << none << (Qt::MoveAction | Qt::LinkAction) << Qt::MoveAction;
        QTest::newRow("no key, link") << none << Qt::DropActions(Qt::LinkAction) << Qt::LinkAction;
        QTest::newRow("Ctrl, all")
            << Qt::KeyboardModifiers(Qt::ControlModifier) << all << Qt::CopyAction;
        QTest::newRow("Ctrl, move") << Qt::KeyboardModifiers(Qt::ControlModifier)
                                    << Qt::DropActions(Qt::MoveAction) << Qt::IgnoreAction;
        QTest::newRow("Shift, all")
            << Qt::KeyboardModifiers(Qt::ShiftModifier) << all << Qt::MoveAction;
        QTest::newRow("Shift, copy") << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                     << Qt::DropActions(Qt::CopyAction) << Qt::IgnoreAction;
        QTest::newRow("Ctrl and Shift")
            << (Qt::ControlModifier | Qt::ShiftModifier) << all << Qt::IgnoreAction;
        QTest::newRow("Alt ignored")
            << Qt::KeyboardModifiers(Qt::AltModifier) << all << Qt::CopyAction;
        QTest::newRow("Alt and Shift")
            << (Qt::AltModifier | Qt::ShiftModifier) << all << Qt::MoveAction;
    }

    void feedback_follows_keys_and_allowed_effects() {
        QFETCH(Qt::KeyboardModifiers, keys);
        QFETCH(Qt::DropActions, allowed);
        QFETCH(Qt::DropAction, effect);
        QCOMPARE(drop_effect(keys, allowed), effect);

        QTemporaryDir folder;
        std::unique_ptr<QMimeData> data(
            files_data({write_file(folder, QStringLiteral("1.txt"), "x")}));
        const Drag answers = drag(viewport(), data.get(), allowed, keys);
        QVERIFY(answers.enter_accepted);
        QCOMPARE(answers.move_accepted, effect != Qt::IgnoreAction);
        if (effect != Qt::IgnoreAction) QCOMPARE(answers.move_action, effect);
        // Nothing is delivered when the keys at the drop give no effect.
        QCOMPARE(list()->count(), effect == Qt::IgnoreAction ? 0 : 1);
        // Whatever the cursor showed, the source is never told of a move.
        QVERIFY(!answers.drop_accepted);
        QVERIFY(answers.drop_action != Qt::MoveAction);
    }

    // Drag and drop: what ends up in the list.

    void dropped_files_are_appended_in_order_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("one file") << QStringList{QStringLiteral("1001.txt")};
        QTest::newRow("three files") << QStringList{
            QStringLiteral("3.txt"), QStringLiteral("1.txt"), QStringLiteral("2.txt")};
        QTest::newRow("names outside GBK")
            << QStringList{QStringLiteral("𠀀小说.txt"), QStringLiteral("ñandú €.txt")};
    }

    void dropped_files_are_appended_in_order() {
        QFETCH(QStringList, names);
        QTemporaryDir folder;
        QStringList paths;
        for (const QString& name : names) paths << write_file(folder, name, "x");
        window_->show_count("5");
        std::unique_ptr<QMimeData> data(files_data(paths));
        drag(viewport(), data.get(), Qt::CopyAction | Qt::MoveAction);
        QCOMPARE(list()->count(), paths.size());
        for (qsizetype i = 0; i < paths.size(); ++i)
            QCOMPARE(list()->entry(static_cast<std::int32_t>(i)), to_text(native(paths[i])));
        QCOMPARE(status()->text(), QStringLiteral("成功导入"));
        QCOMPARE(count()->text(), QStringLiteral("5"));
        QCOMPARE(names_in(folder).size(), names.size());
    }

    void a_dropped_folder_is_listed_like_a_file() {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("novels")));
        std::unique_ptr<QMimeData> data(files_data({folder.filePath(QStringLiteral("novels"))}));
        drag(viewport(), data.get(), Qt::CopyAction);
        QCOMPARE(list()->entry(0), to_text(native(folder.filePath(QStringLiteral("novels")))));
    }

    // A drag source may hand over any address. Only a path naming exactly
    // one local file is listed; the rest of the drop still counts.
    void unsafe_paths_are_left_out_of_a_drop_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("CR LF in a name") << QStringLiteral("crlf");
        QTest::newRow("LF in a name") << QStringLiteral("lf");
        QTest::newRow("NUL in the address") << QStringLiteral("nul");
        QTest::newRow("relative address") << QStringLiteral("relative");
        QTest::newRow("longer than the path limit") << QStringLiteral("long");
    }

    void unsafe_paths_are_left_out_of_a_drop() {
        QFETCH(QString, kind);
        QTemporaryDir folder;
        const QString good = write_file(folder, QStringLiteral("good.txt"), "Good\n");
        // The files an unsafe path could be taken to name, had it been split or cut.
        write_file(folder, QStringLiteral("a"), "A\n");
        write_file(folder, QStringLiteral("b.txt"), "B\n");
        write_file(folder, QStringLiteral("victim.txt"), "Victim\n");
        QUrl unsafe;
        if (kind == QStringLiteral("crlf") || kind == QStringLiteral("lf")) {
            const QString name = kind == QStringLiteral("crlf") ? QStringLiteral("a\r\nb.txt")
                                                                : QStringLiteral("a\nb.txt");
            unsafe = QUrl::fromLocalFile(write_file(folder, name, "Odd\n"));
        } else if (kind == QStringLiteral("nul")) {
            unsafe = QUrl(QUrl::fromLocalFile(folder.filePath(QStringLiteral("victim.txt")))
                              .toString(QUrl::FullyEncoded) +
                          QStringLiteral("%00.evil"));
        } else if (kind == QStringLiteral("relative")) {
            unsafe = QUrl(QStringLiteral("file:b.txt"));
        } else {
            unsafe =
                QUrl::fromLocalFile(QStringLiteral("/") + QString(10'000'000, QLatin1Char('x')));
        }
        QVERIFY(unsafe.isLocalFile());
        const QDir program_folder = QDir::current();
        QDir::setCurrent(folder.path());
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(good), unsafe});
        std::unique_ptr<QMimeData> owned(data);
        drag(viewport(), data, Qt::CopyAction);
        QCOMPARE(list()->count(), 1);
        QCOMPARE(list()->entry(0), to_text(native(good)));
        QCOMPARE(status()->text(), QStringLiteral("成功导入"));
        QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("按钮2")),
                          Qt::LeftButton);
        QDir::setCurrent(program_folder.path());
        QVERIFY(names_in(folder).contains(QStringLiteral("Good.txt")));
        for (const QString& untouched :
             {QStringLiteral("a"), QStringLiteral("b.txt"), QStringLiteral("victim.txt")})
            QVERIFY2(names_in(folder).contains(untouched), qPrintable(untouched));
    }

    void plain_text_shows_copy_and_changes_nothing() {
        QMimeData data;
        data.setText(QStringLiteral("/tmp/1001.txt"));
        window_->show_done();
        const Drag answers = drag(viewport(), &data, Qt::CopyAction | Qt::MoveAction);
        QVERIFY(answers.enter_accepted);
        QVERIFY(answers.move_accepted);
        QCOMPARE(answers.move_action, Qt::CopyAction);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(status()->text(), QStringLiteral("完成"));
    }

    void files_text_joins_paths_as_the_drop_target_does() {
        QCOMPARE(files_text({}), Text());
        QCOMPARE(files_text(file_urls({QStringLiteral("/n/1.txt")})), Text("/n/1.txt"));
        QCOMPARE(files_text(file_urls({QStringLiteral("/n/1.txt"), QStringLiteral("/n/2.txt")})),
                 Text("/n/1.txt\r\n/n/2.txt\r\n"));
        const QList<QUrl> mixed = {QUrl(QStringLiteral("https://example.org/a")),
                                   QUrl::fromLocalFile(QStringLiteral("/n/1.txt"))};
        QCOMPARE(files_text(mixed), Text("/n/1.txt"));
    }

    void import_dropped_splits_at_line_ends_data() {
        QTest::addColumn<QByteArray>("files");
        QTest::addColumn<QByteArrayList>("entries");
        QTest::newRow("one path") << QByteArray("D:\\n\\1.txt") << QByteArrayList{"D:\\n\\1.txt"};
        QTest::newRow("three paths") << QByteArray("/a/1.txt\r\n/a/2.txt\r\n/a/3.txt\r\n")
                                     << QByteArrayList{"/a/1.txt", "/a/2.txt", "/a/3.txt"};
        QTest::newRow("last without line end")
            << QByteArray("/a/1.txt\r\n/a/2.txt") << QByteArrayList{"/a/1.txt"};
        QTest::newRow("empty text") << QByteArray() << QByteArrayList{""};
        QTest::newRow("Chinese paths")
            << gbk(QStringLiteral("/书/1.txt\r\n/书/2.txt\r\n"))
            << QByteArrayList{gbk(QStringLiteral("/书/1.txt")), gbk(QStringLiteral("/书/2.txt"))};
    }

    void import_dropped_splits_at_line_ends() {
        QFETCH(QByteArray, files);
        QFETCH(QByteArrayList, entries);
        VectorFileList list({"earlier"});
        RecordingStatus status;
        import_dropped(files.toStdString(), list, status);
        std::vector<Text> expected{"earlier"};
        for (const QByteArray& entry : entries) expected.push_back(entry.toStdString());
        QCOMPARE(list.entries(), expected);
        QCOMPARE(status.events, (std::vector<std::string>{"not imported", "imported"}));
    }

    // The open-file dialog.

    void dialog_is_asked_for_text_files_in_the_program_folder() {
        FileDialogRequest seen;
        set_file_dialog_runner([&](QWidget*, const FileDialogRequest& request) {
            seen = request;
            return QStringList();
        });
        QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("按钮1")),
                          Qt::LeftButton);
        QCOMPARE(seen.title, QStringLiteral("选择多个文件"));
        QCOMPARE(seen.filters, QStringLiteral("文本文档 (*.txt)"));
        QCOMPARE(seen.folder, native(QCoreApplication::applicationDirPath()));
        QVERIFY(!seen.folder.endsWith(QLatin1Char('/')));
    }

    void dialog_import_appends_and_counts_each_file() {
        set_file_dialog_runner([](QWidget*, const FileDialogRequest&) {
            return QStringList{QStringLiteral("/n/a.txt"), QStringLiteral("/n/b.txt"),
                               QStringLiteral("/n/c.txt")};
        });
        VectorFileList list({"earlier"});
        RecordingStatus status;
        import_by_dialog(nullptr, list, status);
        QCOMPARE(list.entries(),
                 (std::vector<Text>{"earlier", native(QStringLiteral("/n/a.txt")).toStdString(),
                                    native(QStringLiteral("/n/b.txt")).toStdString(),
                                    native(QStringLiteral("/n/c.txt")).toStdString()}));
        QCOMPARE(status.events, (std::vector<std::string>{"not imported", "count 2", "count 3",
                                                          "count 4", "imported"}));
    }

    void dialog_import_at_the_root_has_one_separator() {
        set_file_dialog_runner([](QWidget*, const FileDialogRequest&) {
            return QStringList{QDir::rootPath() + QStringLiteral("a.txt"),
                               QDir::rootPath() + QStringLiteral("b.txt")};
        });
        QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("按钮1")),
                          Qt::LeftButton);
        QCOMPARE(list()->entry(0), to_text(native(QDir::rootPath() + QStringLiteral("a.txt"))));
        QCOMPARE(list()->entry(1), to_text(native(QDir::rootPath() + QStringLiteral("b.txt"))));
        QCOMPARE(count()->text(), QStringLiteral("2"));
        QCOMPARE(status()->text(), QStringLiteral("成功导入"));
    }

    void a_large_selection_is_taken_whole() {
        QStringList chosen;
        for (int i = 0; i < 3000; ++i)
            chosen << QStringLiteral("/novels/downloaded/%1.txt").arg(100000 + i);
        set_file_dialog_runner([&](QWidget*, const FileDialogRequest&) { return chosen; });
        QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("按钮1")),
                          Qt::LeftButton);
        QCOMPARE(list()->count(), 3000);
        QCOMPARE(count()->text(), QStringLiteral("3000"));
        QCOMPARE(list()->entry(2999), to_text(native(chosen.last())));
    }

    void cancel_after_an_import_keeps_list_and_count() {
        QStringList answer{QStringLiteral("/n/a.txt")};
        set_file_dialog_runner([&](QWidget*, const FileDialogRequest&) { return answer; });
        auto* import_button = window_->findChild<QPushButton*>(QStringLiteral("按钮1"));
        QTest::mouseClick(import_button, Qt::LeftButton);
        QCOMPARE(status()->text(), QStringLiteral("成功导入"));
        answer.clear();
        window_->show_done();
        QTest::mouseClick(import_button, Qt::LeftButton);
        QCOMPARE(list()->count(), 1);
        QCOMPARE(count()->text(), QStringLiteral("1"));
        QCOMPARE(status()->text(), QStringLiteral("未导入"));
        QCOMPARE(status()->palette().color(QPalette::WindowText), QColor(0, 136, 255));
    }

    void dropped_files_are_renamed_by_start() {
        QTemporaryDir folder;
        const QByteArray content = gbk(QStringLiteral("《凡人修仙传》\r\n正文"));
        std::unique_ptr<QMimeData> data(
            files_data({write_file(folder, QStringLiteral("7.txt"), content)}));
        drag(viewport(), data.get(), Qt::CopyAction | Qt::MoveAction);
        QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("按钮2")),
                          Qt::LeftButton);
        QCOMPARE(names_in(folder), QStringList{QStringLiteral("凡人修仙传.txt")});
        QCOMPARE(read_file(folder.filePath(QStringLiteral("凡人修仙传.txt"))), content);
    }
};

}  // namespace varentix

QTEST_MAIN(varentix::ImportTest)
#include "import_test.moc"
