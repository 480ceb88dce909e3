#include "ui/message_box.h"

namespace varentix {
namespace {

std::function<void(QMessageBox&)>& handler() {
    static std::function<void(QMessageBox&)> instance;
    return instance;
}

}  // namespace

void show_warning(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if (handler())
        handler()(box);
    else
        box.exec();
}

void set_message_box_handler(std::function<void(QMessageBox&)> replacement) {
    handler() = std::move(replacement);
}

}  // namespace varentix
