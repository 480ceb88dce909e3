#pragma once

// The ordered list of full paths the user has collected. The window shows
// it in its list box; the batch rename reads and replaces its entries.

#include <cstdint>
#include <vector>

#include "core/text.h"

namespace varentix {

class FileList {
public:
    virtual ~FileList() = default;

    [[nodiscard]] virtual std::int32_t count() const = 0;
    // The entry's text; empty when the index is out of range.
    [[nodiscard]] virtual Text entry(std::int32_t index) const = 0;
    virtual void append(const Text& text) = 0;
    // Replaces in place; nothing happens when the index is out of range or
    // the bytes are unchanged.
    virtual void replace(std::int32_t index, const Text& text) = 0;
    virtual void remove_all() = 0;

protected:
    FileList() = default;
    FileList(const FileList&) = default;
    FileList& operator=(const FileList&) = default;
};

// A FileList held in memory, for batches run without a window.
class VectorFileList final : public FileList {
public:
    VectorFileList() = default;
    explicit VectorFileList(std::vector<Text> entries) : entries_(std::move(entries)) {}

    [[nodiscard]] std::int32_t count() const override {
        return static_cast<std::int32_t>(entries_.size());
    }
    [[nodiscard]] Text entry(std::int32_t index) const override {
        return in_range(index) ? entries_[static_cast<std::size_t>(index)] : Text();
    }
    void append(const Text& text) override { entries_.push_back(text); }
    void replace(std::int32_t index, const Text& text) override {
        if (in_range(index)) entries_[static_cast<std::size_t>(index)] = text;
    }
    void remove_all() override { entries_.clear(); }

    [[nodiscard]] const std::vector<Text>& entries() const { return entries_; }

private:
    [[nodiscard]] bool in_range(std::int32_t index) const {
        return index >= 0 && static_cast<std::size_t>(index) < entries_.size();
    }

    std::vector<Text> entries_;
};

}  // namespace varentix
