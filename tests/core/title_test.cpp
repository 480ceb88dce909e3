#include "core/title.h"

#include <gtest/gtest.h>

namespace varentix {
namespace {

// Example lines are written with <, > standing for the GBK title marks.
Text marks(std::string_view line) {
    Text out;
    for (const char c : line) {
        if (c == '<')
            out += kOpeningTitleMark;
        else if (c == '>')
            out += kClosingTitleMark;
        else
            out += c;
    }
    return out;
}

struct TitleCase {
    std::string_view line;  // with < and > for the title marks
    TitleLayout layout;
    std::string_view title;  // likewise
};

TEST(Title, DetectsTheLayoutAndCutsTheTitle) {
    const TitleCase cases[] = {
        {"<Title>", TitleLayout::BookTitleMarks, "Title"},
        {"Book: <Title> by X", TitleLayout::BookTitleMarks, "Title"},
        {"<A> and <B>", TitleLayout::BookTitleMarks, "A> and <B"},
        {"<Title without a closing mark", TitleLayout::BookTitleMarks, ""},
        {">x<", TitleLayout::BookTitleMarks, ""},
        {"<>", TitleLayout::BookTitleMarks, ""},
        {"[Title]/Author", TitleLayout::SquareBracket, "Title"},
        {"[Title]/A/B", TitleLayout::SquareBracket, "Title]/"},
        {"[Title] / Author", TitleLayout::SquareBracket, "Title]"},
        {"[Title]", TitleLayout::SquareBracket, ""},
        {"a/b[c", TitleLayout::SquareBracket, ""},
        {"[]/x", TitleLayout::SquareBracket, ""},
        {"<T> [x]/y", TitleLayout::SquareBracket, "x"},
        {"Plain title", TitleLayout::Plain, "Plain title"},
        {"", TitleLayout::Plain, ""},
    };
    for (const auto& c : cases) {
        const Text line = marks(c.line);
        const TitleLayout layout = detect_layout(line);
        EXPECT_EQ(layout, c.layout) << c.line;
        EXPECT_EQ(extract_title(line, layout), marks(c.title)) << c.line;
    }
}

TEST(Title, IgnoresMarksThatAreHalvesOfChineseCharacters) {
    // 0x81 0x5B is one GBK character: its "[" is not a bracket.
    const Text line = "\x81[Title]/x";
    EXPECT_EQ(detect_layout(line), TitleLayout::Plain);
    EXPECT_EQ(extract_title(line, TitleLayout::Plain), line);

    // "《" is 0xA1 0xB6; misaligned by a leading high byte it is not found.
    const Text shifted = concat("\xB0", kOpeningTitleMark, "T", kClosingTitleMark);
    EXPECT_EQ(detect_layout(shifted), TitleLayout::Plain);
}

TEST(Title, KeepsGbkAndFourByteCharactersWhole) {
    // 中文 in GBK, and U+20000 as a GB18030 four-byte sequence.
    const Text title = "\xD6\xD0\xCE\xC4\x95\x32\x82\x36";
    const Text line = concat("[", title, "]/author");
    EXPECT_EQ(detect_layout(line), TitleLayout::SquareBracket);
    EXPECT_EQ(extract_title(line, TitleLayout::SquareBracket), title);
    EXPECT_EQ(extract_title(concat(kOpeningTitleMark, title, kClosingTitleMark),
                            TitleLayout::BookTitleMarks),
              title);
}

TEST(Title, GivesTheEmptyTitleForAnUnknownLayout) {
    EXPECT_EQ(extract_title("[Title]/x", static_cast<TitleLayout>(0)), "");
    EXPECT_EQ(extract_title("[Title]/x", static_cast<TitleLayout>(4)), "");
}

}  // namespace
}  // namespace varentix
