#include "ui/file_list_box.h"

#include <QStyledItemDelegate>

#include "ui/qt_text.h"

namespace varentix {
namespace {

// Each line is one pixel taller than the font's own item height.
class TallerLineDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 1);
    }
};

bool in_range(const std::vector<Text>& entries, std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < entries.size();
}

}  // namespace

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !in_range(entries_, index.row())) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return to_qstring(entries_[static_cast<std::size_t>(index.row())]);
    return {};
}

void FileListModel::append(const Text& text) {
    const int row = static_cast<int>(entries_.size());
    beginInsertRows({}, row, row);
    entries_.push_back(text);
    endInsertRows();
}

void FileListModel::replace(std::int32_t index, const Text& text) {
    if (!in_range(entries_, index)) return;
    Text& entry = entries_[static_cast<std::size_t>(index)];
    if (entry == text) return;
    entry = text;
    const QModelIndex changed = this->index(index);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole, Qt::ToolTipRole});
}

void FileListModel::remove_all() {
    beginResetModel();
    entries_.clear();
    endResetModel();
}

FileListBox::FileListBox(QWidget* parent) : QListView(parent), model_(this) {
    setModel(&model_);
    setItemDelegate(new TallerLineDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setUniformItemSizes(true);  // keeps a list of 100,000 paths quick
}

std::int32_t FileListBox::count() const {
    return model_.rowCount();
}

Text FileListBox::entry(std::int32_t index) const {
    const auto& entries = model_.entries();
    return in_range(entries, index) ? entries[static_cast<std::size_t>(index)] : Text();
}

void FileListBox::append(const Text& text) {
    model_.append(text);
}

void FileListBox::replace(std::int32_t index, const Text& text) {
    model_.replace(index, text);
}

void FileListBox::remove_all() {
    model_.remove_all();
}

}  // namespace varentix
