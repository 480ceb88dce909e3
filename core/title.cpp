#include "core/title.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace varentix {
namespace {

// Positions fit in 32 bits, but the sums below are done exactly before they
// are handed on, so an absent mark (-1) can never wrap around.
std::int32_t clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

Text cut_between(std::string_view line, std::int64_t start, std::int64_t count) {
    return text_mid(line, clamp32(start), clamp32(count));
}

}  // namespace

TitleLayout detect_layout(std::string_view line) noexcept {
    TitleLayout layout = TitleLayout::Plain;
    if (find_text(line, kOpeningTitleMark) != -1) layout = TitleLayout::BookTitleMarks;
    if (find_text(line, "[") != -1) layout = TitleLayout::SquareBracket;
    return layout;
}

Text extract_title(std::string_view line, TitleLayout layout) {
    switch (layout) {
        case TitleLayout::Plain:
            return Text(line);
        case TitleLayout::BookTitleMarks: {
            const std::int64_t a = find_text(line, kOpeningTitleMark);
            const std::int64_t b = find_text_reverse(line, kClosingTitleMark);
            return cut_between(line, a + 2, b - a - 2);
        }
        case TitleLayout::SquareBracket: {
            const std::int64_t a = find_text(line, "[");
            const std::int64_t b = find_text_reverse(line, "/");
            return cut_between(line, a + 1, b - a - 2);
        }
    }
    return {};
}

}  // namespace varentix
