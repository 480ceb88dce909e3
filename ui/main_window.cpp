#include "ui/main_window.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include "core/batch_rename.h"
#include "ui/drop_import.h"
#include "ui/file_list_box.h"
#include "ui/import_dialog.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

namespace varentix {
namespace {

const QColor kBlue(0, 136, 255);
const QColor kRed(255, 0, 0);

void set_text_colour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

constexpr int kCountPixelSize = 19;

// Labels draw only their text over the group box behind them, so their
// area is exactly the colour of the panel around them: a fill of their own
// showed as lighter patches on styles whose group box is darker.
QLabel* make_label(QWidget* parent, const char* name, const QString& text, const QRect& area,
                   Qt::Alignment alignment, const char* accessible_name) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setAccessibleName(QString::fromUtf8(accessible_name));
    label->setGeometry(area);
    label->setAlignment(alignment);
    label->setWordWrap(false);
    label->setAutoFillBackground(false);
    return label;
}

QFont pixel_font(const QString& family, int pixel_height, QFont::Weight weight) {
    QFont font(family);
    font.setPixelSize(pixel_height);
    font.setWeight(weight);
    return font;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Varentix"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientSize);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    setPalette(palette);

    create_controls();
    set_tab_order();
    place_on_screen();

    // A plain Esc closes the window, as its close box does; Ctrl, Shift or
    // Alt with Esc is a different key sequence and does nothing.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &MainWindow::close_window);

    register_drop_target();
    import_button_->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::create_controls() {
    const auto button = [this](const char* name, const char* text, const char* accessible_name,
                               int top, void (MainWindow::*action)()) {
        auto* created = new QPushButton(QString::fromUtf8(text), this);
        created->setObjectName(QString::fromUtf8(name));
        created->setAccessibleName(QString::fromUtf8(accessible_name));
        created->setGeometry(25, top, 80, 28);
        created->setAutoDefault(false);
        created->setDefault(false);
        created->setFocusPolicy(Qt::StrongFocus);
        connect(created, &QPushButton::clicked, this, action);
        return created;
    };
    // Screen readers say the accessible names; the spaced texts would be
    // spelt out character by character.
    import_button_ = button("按钮1", "导 入", "导入", 19, &MainWindow::import_by_dialog);
    start_button_ = button("按钮2", "开 始", "开始", 63, &MainWindow::start_renaming);
    reset_button_ = button("按钮3", "重 置", "重置", 107, &MainWindow::reset_list);
    cancel_button_ = button("按钮4", "取 消", "取消", 151, &MainWindow::close_window);

    auto* status_group = new QGroupBox(QStringLiteral("状态"), this);
    status_group->setObjectName(QStringLiteral("分组框1"));
    status_group->setAccessibleName(QStringLiteral("状态"));
    status_group->setGeometry(7, 200, 112, 130);
    status_group->setAlignment(Qt::AlignLeft);
    set_text_colour(status_group, Qt::black);

    status_label_ = make_label(status_group, "标签1", QStringLiteral("未导入"),
                               QRect(6, 30, 100, 35), Qt::AlignCenter, "导入状态");
    status_label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    status_label_->setLineWidth(1);
    status_label_->setFont(pixel_font(QStringLiteral("黑体"), 16, QFont::Normal));
    set_text_colour(status_label_, kBlue);

    auto* count_caption =
        make_label(status_group, "标签2", QStringLiteral("数量："), QRect(16, 86, 32, 24),
                   Qt::AlignLeft | Qt::AlignVCenter, "数量");
    set_text_colour(count_caption, Qt::black);

    count_label_ = make_label(status_group, "标签3", QStringLiteral("0"), QRect(56, 85, 40, 24),
                              Qt::AlignRight | Qt::AlignVCenter, "文件数量");
    count_label_->setFont(pixel_font(QStringLiteral("宋体"), kCountPixelSize, QFont::Bold));
    set_text_colour(count_label_, kBlue);

    list_ = new FileListBox(this);
    list_->setObjectName(QStringLiteral("列表框1"));
    list_->setAccessibleName(QStringLiteral("文件列表"));
    list_->setGeometry(125, 6, 483, 328);
}

void MainWindow::set_tab_order() {
    setTabOrder(import_button_, list_);
    setTabOrder(list_, start_button_);
    setTabOrder(start_button_, cancel_button_);
    setTabOrder(cancel_button_, reset_button_);
    setTabOrder(reset_button_, import_button_);
}

void MainWindow::place_on_screen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    // The outer rectangle is centred; divisions truncate.
    move(area.x() + (area.width() - kOuterSize.width()) / 2,
         area.y() + (area.height() - kOuterSize.height()) / 2);
}

void MainWindow::start_renaming() {
    if (list_->count() == 0) {
        show_warning(this, QStringLiteral("警告"), QStringLiteral("请先导入文件！"));
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    rename_all(*list_);
    QGuiApplication::restoreOverrideCursor();
    show_done();
    show_count(int_to_text(0));
}

void MainWindow::reset_list() {
    show_not_imported();
    list_->remove_all();
    show_count(int_to_text(0));
}

void MainWindow::close_window() {
    close();
}

void MainWindow::import_by_dialog() {
    varentix::import_by_dialog(this, *list_, *this);
}

void MainWindow::register_drop_target() {
    auto* drop_target = new DropTarget(this);
    drop_target->attach(list_);
    connect(drop_target, &DropTarget::files_dropped, this,
            [this](const Text& files) { import_dropped(files, *list_, *this); });
}

void MainWindow::show_not_imported() {
    set_text_colour(status_label_, kBlue);
    status_label_->setText(QStringLiteral("未导入"));
}

void MainWindow::show_imported() {
    status_label_->setText(QStringLiteral("成功导入"));
}

void MainWindow::show_done() {
    status_label_->setText(QStringLiteral("完成"));
    set_text_colour(status_label_, kRed);
}

void MainWindow::show_count(const Text& count) {
    const QString text = to_qstring(count);
    // A count is read, so it is never cut: where 19 px is too wide for the
    // label (1,000 and more), the largest size that fits is taken.
    QFont font = count_label_->font();
    const int width = count_label_->contentsRect().width();
    int size = kCountPixelSize;
    for (; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= width) break;
    }
    count_label_->setFont(font);
    count_label_->setText(text);
}

}  // namespace varentix
