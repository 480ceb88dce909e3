#pragma once

// Helpers shared by the window tests: real files in a temporary folder and
// the Text form of their paths.

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "ui/qt_text.h"

namespace varentix::testing {

inline QString write_file(const QTemporaryDir& folder, const QString& name,
                          const QByteArray& bytes) {
    const QString path = folder.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return QDir::toNativeSeparators(path);
}

inline QByteArray read_file(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file names in a folder, sorted.
inline QStringList names_in(const QTemporaryDir& folder) {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

inline QByteArray gbk(const QString& string) {
    const Text text = to_text(string);
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace varentix::testing
