#include "ui/import_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

#include "core/dialog_filter.h"
#include "ui/qt_text.h"

namespace varentix {
namespace {

constexpr const char* kFilter = "文本文档|*.txt";

FileDialogRunner& runner() {
    static FileDialogRunner instance;
    return instance;
}

// The desktop's own dialog where the platform offers one. It has no limit
// on how many names come back, unlike a fixed name buffer.
QStringList run_file_dialog(QWidget* parent, const FileDialogRequest& request) {
    return QFileDialog::getOpenFileNames(parent, request.title, request.folder, request.filters);
}

}  // namespace

void set_file_dialog_runner(FileDialogRunner replacement) {
    runner() = std::move(replacement);
}

QString qt_dialog_filters(const Text& filter) {
    QStringList entries;
    for (const DialogFilter& entry : split_dialog_filter(filter)) {
        QString patterns = to_qstring(entry.pattern);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << to_qstring(entry.name) + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString program_folder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

void import_by_dialog(QWidget* parent, FileList& list, StatusDisplay& status) {
    status.show_not_imported();
    const FileDialogRequest request{QStringLiteral("选择多个文件"), program_folder(),
                                    qt_dialog_filters(to_text(QString::fromUtf8(kFilter)))};
    const QStringList chosen =
        runner() ? runner()(parent, request) : run_file_dialog(parent, request);
    if (chosen.isEmpty()) return;
    for (const QString& path : chosen) {
        list.append(to_text(QDir::toNativeSeparators(path)));
        status.show_count(int_to_text(list.count()));
    }
    status.show_imported();
}

}  // namespace varentix
