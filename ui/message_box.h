#pragma once

// The program's one message: a warning box. Tests replace the showing of
// the box (exec() would wait for a user) and inspect it instead.

#include <QMessageBox>
#include <functional>

namespace varentix {

// A box with the caption and text, one OK button and no icon, modal for
// every window of the program; returns once it is dismissed.
void show_warning(QWidget* parent, const QString& caption, const QString& text);

// Replaces showing the box: the handler gets the finished box and returns
// at once. An empty handler restores the real thing.
void set_message_box_handler(std::function<void(QMessageBox&)> handler);

}  // namespace varentix
