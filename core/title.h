#pragma once

// Recognising the layout of a novel's first line and cutting out its title.

#include "core/text.h"

namespace varentix {

enum class TitleLayout : int {
    Plain = 1,           // the whole line is the title
    BookTitleMarks = 2,  // ... 《title》 ...
    SquareBracket = 3,   // [title]/author
};

// "《" and "》" in the program's code page.
inline constexpr std::string_view kOpeningTitleMark = "\xA1\xB6";
inline constexpr std::string_view kClosingTitleMark = "\xA1\xB7";

// SquareBracket when the line holds "[", else BookTitleMarks when it holds
// "《", else Plain. Both are searched by characters.
//   detect_layout("《T》 [x]/y") == TitleLayout::SquareBracket
[[nodiscard]] TitleLayout detect_layout(std::string_view line) noexcept;

// The title for the given layout, possibly empty:
//   BookTitleMarks: the bytes between the first 《 and the last 》;
//   SquareBracket:  after the first "[", up to the byte before the last "/"
//                   less one, which drops the closing "]".
// Any other layout value gives the empty title.
//   extract_title("[Title]/Author", TitleLayout::SquareBracket) == "Title"
[[nodiscard]] Text extract_title(std::string_view line, TitleLayout layout);

}  // namespace varentix
