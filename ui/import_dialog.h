#pragma once

// Filling the list through the open-file dialog.

#include <QString>
#include <QStringList>
#include <functional>

#include "core/file_list.h"
#include "ui/status_display.h"

class QWidget;

namespace varentix {

struct FileDialogRequest {
    QString title;
    QString folder;   // where the dialog opens
    QString filters;  // in Qt's form: "文本文档 (*.txt)"
};

// Shows the dialog and returns the chosen existing files as full paths, in
// the dialog's order; empty on Cancel.
using FileDialogRunner = std::function<QStringList(QWidget* parent, const FileDialogRequest&)>;

// Replaces the dialog (for tests); an empty runner restores the real one.
void set_file_dialog_runner(FileDialogRunner runner);

// The filter text as the dialog is configured with it, turned into Qt's form.
[[nodiscard]] QString qt_dialog_filters(const Text& filter);

// The folder of the running program, without a trailing separator.
[[nodiscard]] QString program_folder();

// The Import button: any number of .txt files picked in one dialog are
// appended, the count following each one. Cancel leaves list and count as
// they were, with the status back at "not imported".
void import_by_dialog(QWidget* parent, FileList& list, StatusDisplay& status);

}  // namespace varentix
