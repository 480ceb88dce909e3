#include "core/dialog_filter.h"

#include <gtest/gtest.h>

namespace varentix {
namespace {

struct FilterCase {
    const char* what;
    Text filter;
    std::vector<DialogFilter> expected;
};

TEST(SplitDialogFilter, PairsNamesWithPatterns) {
    const Text text_documents = "\xCE\xC4\xB1\xBE\xCE\xC4\xB5\xB5";  // 文本文档
    const FilterCase cases[] = {
        {"one filter", text_documents + "|*.txt", {{text_documents, "*.txt"}}},
        {"already terminated", "Text|*.txt||", {{"Text", "*.txt"}}},
        {"two filters", "Text|*.txt|All|*.*", {{"Text", "*.txt"}, {"All", "*.*"}}},
        {"several patterns", "Text|*.txt;*.text", {{"Text", "*.txt;*.text"}}},
        // 0x83 0x7C is one character; its second byte is not a separator.
        {"bar as a second byte", "\x83|name|*.txt", {{"\x83|name", "*.txt"}}},
        {"stops at an empty name", "Text|*.txt||All|*.*", {{"Text", "*.txt"}}},
        {"empty", "", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(split_dialog_filter(c.filter), c.expected) << c.what;
}

}  // namespace
}  // namespace varentix
