#pragma once

// File-type filters for the open-file dialog, written as display names and
// patterns separated by "|": "文本文档|*.txt".

#include <vector>

#include "core/text.h"

namespace varentix {

struct DialogFilter {
    Text name;     // 文本文档
    Text pattern;  // *.txt (several patterns separated by ";")

    friend bool operator==(const DialogFilter&, const DialogFilter&) = default;
};

// The filter's (name, pattern) pairs in order. "||" is added when the text
// does not end with it, every "|" separates, and the list ends at the first
// empty name. "|" is found by characters, so the 0x7C second byte of a
// character such as 0x83 0x7C never splits it.
//   split_dialog_filter("文本文档|*.txt") == {{"文本文档", "*.txt"}}
[[nodiscard]] std::vector<DialogFilter> split_dialog_filter(const Text& filter);

}  // namespace varentix
