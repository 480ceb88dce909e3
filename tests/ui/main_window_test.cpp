#include "ui/main_window.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTest>

#include "core/text.h"
#include "ui/file_list_box.h"
#include "ui/fonts.h"
#include "ui/import_dialog.h"
#include "ui/interface_language.h"
#include "ui/message_box.h"
#include "ui_test_support.h"

namespace varentix {
namespace {

using testing::gbk;
using testing::names_in;
using testing::read_file;
using testing::write_file;

const QColor kBlue(0, 136, 255);
const QColor kRed(255, 0, 0);

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    MainWindow* window_ = nullptr;

    template <class Widget>
    Widget* find(const char* name) {
        auto* widget = window_->findChild<Widget*>(QString::fromUtf8(name));
        if (widget == nullptr) qFatal("missing control %s", name);
        return widget;
    }
    QLabel* status() { return find<QLabel>("标签1"); }
    QLabel* count() { return find<QLabel>("标签3"); }
    QColor status_colour() { return status()->palette().color(QPalette::WindowText); }
    FileListBox* list() { return find<FileListBox>("列表框1"); }

private Q_SLOTS:
    void initTestCase() {
        install_font_substitutions();
        install_interface_language();
    }

    void init() {
        window_ = new MainWindow;
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_));
    }

    void cleanup() {
        set_message_box_handler({});
        set_file_dialog_runner({});
        delete window_;
        window_ = nullptr;
    }

    void window_has_its_caption_and_fixed_size() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Varentix"));
        QCOMPARE(window_->size(), QSize(609, 335));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        const Qt::WindowFlags flags = window_->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void controls_sit_where_the_layout_puts_them_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("import") << QStringLiteral("按钮1") << QRect(25, 19, 80, 28)
                                << QStringLiteral("导 入");
        QTest::newRow("start") << QStringLiteral("按钮2") << QRect(25, 63, 80, 28)
                               << QStringLiteral("开 始");
        QTest::newRow("reset") << QStringLiteral("按钮3") << QRect(25, 107, 80, 28)
                               << QStringLiteral("重 置");
        QTest::newRow("cancel") << QStringLiteral("按钮4") << QRect(25, 151, 80, 28)
                                << QStringLiteral("取 消");
        QTest::newRow("group") << QStringLiteral("分组框1") << QRect(7, 200, 112, 130)
                               << QStringLiteral("状态");
        QTest::newRow("status") << QStringLiteral("标签1") << QRect(6, 30, 100, 35)
                                << QStringLiteral("未导入");
        QTest::newRow("caption") << QStringLiteral("标签2") << QRect(16, 86, 32, 24)
                                 << QStringLiteral("数量：");
        QTest::newRow("count") << QStringLiteral("标签3") << QRect(56, 85, 40, 24)
                               << QStringLiteral("0");
        QTest::newRow("list") << QStringLiteral("列表框1") << QRect(125, 6, 483, 328) << QString();
    }

    void controls_sit_where_the_layout_puts_them() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        auto* widget = window_->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->geometry(), geometry);
        // Every control lies wholly inside its parent: nothing is clipped.
        QVERIFY(widget->parentWidget()->rect().contains(widget->geometry()));
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(button->text(), text);
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            QCOMPARE(label->text(), text);
            QCOMPARE(label->parentWidget()->objectName(), QStringLiteral("分组框1"));
            QVERIFY(!label->wordWrap());
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            QCOMPARE(group->title(), text);
        }
    }

    // 标签3 is 40 px wide: from 1,000 on, 19 px bold digits would be cut.
    void the_count_always_fits_its_label_data() {
        QTest::addColumn<int>("entries");
        for (const int entries : {0, 999, 1000, 100000})
            QTest::newRow(qPrintable(QString::number(entries))) << entries;
    }

    void the_count_always_fits_its_label() {
        QFETCH(int, entries);
        window_->show_count(int_to_text(entries));
        QCOMPARE(count()->text(), QString::number(entries));
        const int width = QFontMetrics(count()->font()).horizontalAdvance(count()->text());
        QVERIFY2(width <= count()->contentsRect().width(), qPrintable(QString::number(width)));
        if (entries <= 999) QCOMPARE(count()->font().pixelSize(), 19);
        window_->show_count(int_to_text(0));
        QCOMPARE(count()->font().pixelSize(), 19);
    }

    void controls_have_names_for_screen_readers_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("accessible_name");
        const std::pair<const char*, const char*> names[] = {
            {"按钮1", "导入"}, {"按钮2", "开始"},     {"按钮3", "重置"},
            {"按钮4", "取消"}, {"分组框1", "状态"},   {"标签1", "导入状态"},
            {"标签2", "数量"}, {"标签3", "文件数量"}, {"列表框1", "文件列表"},
        };
        for (const auto& [control, name] : names)
            QTest::newRow(control) << QString::fromUtf8(control) << QString::fromUtf8(name);
    }

    void controls_have_names_for_screen_readers() {
        QFETCH(QString, control);
        QFETCH(QString, accessible_name);
        auto* widget = window_->findChild<QWidget*>(control);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->accessibleName(), accessible_name);
    }

    // No lighter patch around a label: its empty margin shows exactly the
    // group box next to it.
    void labels_show_the_panel_behind_them() {
        const QImage shot = window_->grab().toImage();
        for (const char* name : {"标签2", "标签3"}) {
            auto* label = find<QLabel>(name);
            const QPoint corner = label->mapTo(window_, QPoint(1, 1));
            const QPoint beside = label->mapTo(window_, QPoint(-3, 1));
            QCOMPARE(shot.pixelColor(corner), shot.pixelColor(beside));
        }
    }

    void labels_have_their_colours_and_fonts() {
        for (QWidget* label : {static_cast<QWidget*>(status()), static_cast<QWidget*>(count())})
            label->ensurePolished();
        QCOMPARE(status_colour(), kBlue);
        QCOMPARE(count()->palette().color(QPalette::WindowText), kBlue);
        QCOMPARE(find<QLabel>("标签2")->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(status()->alignment(), Qt::AlignCenter);
        QCOMPARE(count()->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(status()->frameShadow(), QFrame::Sunken);

        const QFontInfo status_font(status()->font());
        QCOMPARE(status()->font().pixelSize(), 16);
        QCOMPARE(status_font.weight(), static_cast<int>(QFont::Normal));
        const QFontInfo count_font(count()->font());
        QCOMPARE(count()->font().pixelSize(), 19);
        QCOMPARE(count_font.weight(), static_cast<int>(QFont::Bold));
        // A CJK face, not the Latin default Qt falls back to for an unknown
        // family name.
        const QStringList cjk_faces = {QStringLiteral("SimHei"),
                                       QStringLiteral("SimSun"),
                                       QStringLiteral("WenQuanYi Zen Hei"),
                                       QStringLiteral("Noto Sans CJK SC"),
                                       QStringLiteral("Noto Serif CJK SC"),
                                       QStringLiteral("AR PL UMing CN"),
                                       QStringLiteral("Source Han Sans SC"),
                                       QStringLiteral("Source Han Serif SC"),
                                       QStringLiteral("Droid Sans Fallback")};
        QVERIFY2(cjk_faces.contains(status_font.family()), qPrintable(status_font.family()));
        QVERIFY2(cjk_faces.contains(count_font.family()), qPrintable(count_font.family()));
    }

    void list_starts_empty_with_nothing_selected() {
        QCOMPARE(list()->count(), 0);
        QVERIFY(!list()->selectionModel()->hasSelection());
        QCOMPARE(list()->selectionMode(), QAbstractItemView::SingleSelection);
    }

    void status_moves_through_its_three_states() {
        window_->show_not_imported();
        QCOMPARE(status()->text(), QStringLiteral("未导入"));
        QCOMPARE(status_colour(), kBlue);
        window_->show_imported();
        QCOMPARE(status()->text(), QStringLiteral("成功导入"));
        QCOMPARE(status_colour(), kBlue);
        window_->show_done();
        QCOMPARE(status()->text(), QStringLiteral("完成"));
        QCOMPARE(status_colour(), kRed);
        window_->show_not_imported();
        QCOMPARE(status_colour(), kBlue);
    }

    void start_on_an_empty_list_warns_and_changes_nothing() {
        int shown = 0;
        set_message_box_handler([&](QMessageBox& box) {
            ++shown;
            QCOMPARE(box.text(), QStringLiteral("请先导入文件！"));
            QCOMPARE(box.windowTitle(), QStringLiteral("警告"));
            QCOMPARE(box.standardButtons(), QMessageBox::Ok);
            QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
            QCOMPARE(box.icon(), QMessageBox::NoIcon);
            QCOMPARE(box.windowModality(), Qt::ApplicationModal);
        });
        window_->show_count("7");
        QTest::mouseClick(find<QPushButton>("按钮2"), Qt::LeftButton);
        QCOMPARE(shown, 1);
        QCOMPARE(status()->text(), QStringLiteral("未导入"));
        QCOMPARE(status_colour(), kBlue);
        QCOMPARE(count()->text(), QStringLiteral("7"));
    }

    void start_renames_the_listed_files() {
        QTemporaryDir folder;
        const QByteArray first = gbk(QStringLiteral("《斗破苍穹》\r\n正文"));
        const QByteArray second = gbk(QStringLiteral("[诛仙]/萧鼎\r\n正文"));
        const QByteArray third = gbk(QStringLiteral("遮天\n正文"));
        for (const auto& [name, bytes] :
             {std::pair{"1001.txt", first}, std::pair{"1002.txt", second},
              std::pair{"1003.txt", third}})
            list()->append(to_text(write_file(folder, QString::fromUtf8(name), bytes)));
        window_->show_count("3");

        QTest::mouseClick(find<QPushButton>("按钮2"), Qt::LeftButton);

        QCOMPARE(status()->text(), QStringLiteral("完成"));
        QCOMPARE(status_colour(), kRed);
        QCOMPARE(count()->text(), QStringLiteral("0"));
        const QString base = QDir::toNativeSeparators(folder.path() + QLatin1Char('/'));
        QCOMPARE(list()->count(), 3);
        QCOMPARE(list()->model()->index(0, 0).data().toString(),
                 base + QStringLiteral("斗破苍穹.txt"));
        QCOMPARE(list()->entry(1), to_text(base + QStringLiteral("诛仙.txt")));
        QCOMPARE(list()->entry(2), to_text(base + QStringLiteral("遮天.txt")));
        QCOMPARE(names_in(folder),
                 (QStringList{QStringLiteral("斗破苍穹.txt"), QStringLiteral("诛仙.txt"),
                              QStringLiteral("遮天.txt")}));
        QCOMPARE(read_file(base + QStringLiteral("诛仙.txt")), second);
    }

    void reset_after_start_empties_the_list() {
        QTemporaryDir folder;
        list()->append(to_text(write_file(folder, QStringLiteral("1.txt"), "Title\n")));
        QTest::mouseClick(find<QPushButton>("按钮2"), Qt::LeftButton);
        QCOMPARE(status_colour(), kRed);
        QTest::mouseClick(find<QPushButton>("按钮3"), Qt::LeftButton);
        QCOMPARE(list()->count(), 0);
        QCOMPARE(status()->text(), QStringLiteral("未导入"));
        QCOMPARE(status_colour(), kBlue);
        QCOMPARE(count()->text(), QStringLiteral("0"));
        QCOMPARE(names_in(folder), QStringList{QStringLiteral("Title.txt")});
    }

    void replacing_an_entry_keeps_selection_and_scroll_position() {
        for (int i = 0; i < 200; ++i) list()->append("entry " + int_to_text(i));
        list()->setCurrentIndex(list()->model()->index(150, 0));
        list()->scrollTo(list()->model()->index(150, 0), QAbstractItemView::PositionAtTop);
        const int scrolled = list()->verticalScrollBar()->value();
        list()->replace(150, "renamed");
        list()->replace(500, "out of range");
        QCOMPARE(list()->entry(150), Text("renamed"));
        QCOMPARE(list()->count(), 200);
        QCOMPARE(list()->currentIndex().row(), 150);
        QVERIFY(list()->selectionModel()->isSelected(list()->model()->index(150, 0)));
        QCOMPARE(list()->verticalScrollBar()->value(), scrolled);
        QCOMPARE(list()->entry(-1), Text());
    }

    void list_lines_are_one_pixel_taller_than_the_font_item() {
        list()->append("a");
        const QSize hint = list()->sizeHintForIndex(list()->model()->index(0, 0));
        QStyleOptionViewItem option;
        option.initFrom(list());
        QStyledItemDelegate plain;
        QCOMPARE(hint.height(), plain.sizeHint(option, list()->model()->index(0, 0)).height() + 1);
    }

    void cancel_closes_the_window() {
        QTest::mouseClick(find<QPushButton>("按钮4"), Qt::LeftButton);
        QVERIFY(!window_->isVisible());
    }

    void plain_escape_closes_and_escape_with_a_modifier_does_not() {
        list()->setFocus();
        QTRY_VERIFY(list()->hasFocus());
        for (const auto modifier : {Qt::ControlModifier, Qt::ShiftModifier, Qt::AltModifier}) {
            QTest::keyClick(list(), Qt::Key_Escape, modifier);
            QVERIFY(window_->isVisible());
        }
        QTest::keyClick(list(), Qt::Key_Escape);
        QVERIFY(!window_->isVisible());
    }

    void tab_walks_the_controls_in_order() {
        const QStringList forward = {QStringLiteral("按钮1"), QStringLiteral("列表框1"),
                                     QStringLiteral("按钮2"), QStringLiteral("按钮4"),
                                     QStringLiteral("按钮3"), QStringLiteral("按钮1")};
        QCOMPARE(QApplication::focusWidget()->objectName(), forward.first());
        for (qsizetype i = 1; i < forward.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), forward[i]);
        }
        for (qsizetype i = forward.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), forward[i]);
        }
    }

    void enter_does_nothing() {
        int dialogs = 0;
        set_file_dialog_runner([&](QWidget*, const FileDialogRequest&) {
            ++dialogs;
            return QStringList();
        });
        QTest::keyClick(find<QPushButton>("按钮1"), Qt::Key_Return);
        QTest::keyClick(find<QPushButton>("按钮1"), Qt::Key_Enter);
        QCOMPARE(dialogs, 0);
        QVERIFY(window_->isVisible());
    }
};

}  // namespace varentix

QTEST_MAIN(varentix::MainWindowTest)
#include "main_window_test.moc"
