#include "core/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace varentix {
namespace {

// A GBK character whose second byte is "\" (0x5C), and one whose second byte is "[".
constexpr std::string_view kBackslashTail = "\x81\x5C";
constexpr std::string_view kBracketTail = "\x81\x5B";

struct FindCase {
    std::string_view text;
    std::string_view pattern;
    std::int32_t start;
    std::int32_t expected;
};

TEST(FindText, FollowsPositionsStartsAndCharacterStepping) {
    const Text tail_then_bracket = concat(kBracketTail, "[");
    const Text lone_high_end = "ab\x81";
    const FindCase cases[] = {
        {"ab[c", "[", 1, 3},
        {"ab[c", "x", 1, -1},
        {"", "a", 1, -1},
        {"", "", 1, -1},
        {"abc", "", 1, 1},
        {"abc", "", 3, 1},
        {"abc", "", 4, -1},
        {"abab", "ab", 2, 3},
        {"abab", "ab", 0, 1},
        {"abab", "ab", -7, 1},
        {"abab", "ab", 5, -1},
        {"abab", "ab", std::numeric_limits<std::int32_t>::max(), -1},
        {"abc", "abcd", 1, -1},
        {kBracketTail, "[", 1, -1},
        {tail_then_bracket, "[", 1, 3},
        // Starting inside a character reads its second byte as a character.
        {kBracketTail, "[", 2, 2},
        // A lone high byte at the end is still a character start; the walk
        // stops after trying it.
        {lone_high_end, "\x81", 1, 3},
        {lone_high_end, "x", 1, -1},
        {"\xA1\xB6T\xA1\xB7", "\xA1\xB7", 1, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(find_text(c.text, c.pattern, c.start), c.expected)
            << "text '" << c.text << "' pattern '" << c.pattern << "' start " << c.start;
    }
    EXPECT_EQ(find_text("ab[c", "["), 3) << "the start defaults to the first byte";
}

TEST(FindTextReverse, ReportsTheLastMatchAtACharacterStart) {
    const Text slash_after_tail = concat("a", kBackslashTail, "b");
    const Text real_backslash = concat("a\\", kBackslashTail, "b");
    const FindCase cases[] = {
        {"a/b/c", "/", 0, 4},
        {"aaa", "aa", 0, 2},
        {"abc", "x", 0, -1},
        {"", "", 0, -1},
        {"abc", "", 0, 1},
        {slash_after_tail, "\\", 0, -1},
        {real_backslash, "\\", 0, 2},
        {"\xA1\xB6"
         "A\xA1\xB7"
         "and\xA1\xB6"
         "B\xA1\xB7",
         "\xA1\xB7", 0, 12},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(find_text_reverse(c.text, c.pattern), c.expected)
            << "text '" << c.text << "' pattern '" << c.pattern << "'";
    }
}

struct CutCase {
    std::string_view text;
    std::int32_t start;
    std::int32_t count;
    std::string_view expected;
};

TEST(TextLeft, ClampsItsCount) {
    const CutCase cases[] = {
        {"abc", 0, 0, ""},     {"abc", 0, -1, ""}, {"abc", 0, 2, "ab"},
        {"abc", 0, 10, "abc"}, {"", 0, 3, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(text_left(c.text, c.count), c.expected) << c.count;
}

TEST(TextMid, GivesTheEmptyTextOutOfRange) {
    const CutCase cases[] = {
        {"abcdef", 2, 3, "bcd"},
        {"abcdef", 5, 10, "ef"},
        {"abc", 4, 1, ""},
        {"abc", 0, 2, ""},
        {"abc", 2, -3, ""},
        {"abc", 3, 0, ""},
        {"abc", std::numeric_limits<std::int32_t>::min(), 2, ""},
        {"abc", 1, std::numeric_limits<std::int32_t>::max(), "abc"},
        // Cuts pay no attention to characters.
        {"\xA1\xB6xy", 2, 2, "\xB6x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text_mid(c.text, c.start, c.count), c.expected) << c.start << "," << c.count;
}

struct ReplaceCase {
    std::string_view text;
    std::string_view from;
    std::string_view to;
    Text expected;
};

TEST(ReplaceAll, ReplacesAtCharacterStartsOnly) {
    const Text tail_then_cr = concat(kBackslashTail, "\\x");
    const ReplaceCase cases[] = {
        {"a\r\nb\r\n", "\r\n", "", "ab"},
        {"abc", "\r\n", "", "abc"},
        {"", "a", "b", ""},
        {"abc", "", "x", "abc"},
        {"aaa", "a", "aa", "aaaaaa"},  // inserted text is not rescanned
        {"abab", "ab", "x", "xx"},
        {tail_then_cr, "\\", "/", concat(kBackslashTail, "/x")},
        // A lone high byte at the end is dropped when the walk reaches it...
        {"ab\x81", "x", "y", "ab"},
        // ...and kept when it lies in the tail too short to hold a match.
        {"ab\x81", "\r\n", "", "ab\x81"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(replace_all(c.text, c.from, c.to), c.expected) << "text '" << c.text << "'";
}

TEST(IntToText, WritesDecimalWithASign) {
    EXPECT_EQ(int_to_text(0), "0");
    EXPECT_EQ(int_to_text(12), "12");
    EXPECT_EQ(int_to_text(-5), "\x2D\x35");
    EXPECT_EQ(int_to_text(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(Concat, JoinsInOrderAndSkipsEmptyParts) {
    EXPECT_EQ(concat(Text("D:\\d\\"), std::string_view("Book"), ".txt"), "D:\\d\\Book.txt");
    EXPECT_EQ(concat(Text(), "a", Text()), "a");
    EXPECT_EQ(concat(), "");
}

}  // namespace
}  // namespace varentix
