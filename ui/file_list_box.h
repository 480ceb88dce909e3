#pragma once

// The window's list box: shows the FileList, one path per line, in the
// order the paths were added. Entries are kept as the program's Texts and
// only decoded for display, so no path is ever changed by showing it.

#include <QAbstractListModel>
#include <QListView>
#include <vector>

#include "core/file_list.h"

namespace varentix {

class FileListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

    [[nodiscard]] const std::vector<Text>& entries() const { return entries_; }
    void append(const Text& text);
    void replace(std::int32_t index, const Text& text);
    void remove_all();

private:
    std::vector<Text> entries_;
};

class FileListBox final : public QListView, public FileList {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    [[nodiscard]] std::int32_t count() const override;
    [[nodiscard]] Text entry(std::int32_t index) const override;
    void append(const Text& text) override;
    void replace(std::int32_t index, const Text& text) override;
    void remove_all() override;

private:
    FileListModel model_;
};

}  // namespace varentix
