#pragma once

// Byte-string operations the renamer is written in. A Text holds bytes in
// the program's code page (GB18030); positions are 1-based byte positions.
// Searches step by characters: a byte of 0x80 or above starts a two-byte
// character, so an ASCII byte that is the second half of a Chinese character
// is never matched. GB18030's four-byte sequences are two such steps.

#include <cstdint>
#include <string>
#include <string_view>

namespace varentix {

using Text = std::string;

// Position of the first match of `pattern` at or after byte `start`, or -1.
// A start of 0 or below counts as 1. An empty pattern matches at 1 in any
// non-empty region.   find_text("abab", "ab", 2) == 3
[[nodiscard]] std::int32_t find_text(std::string_view text, std::string_view pattern,
                                     std::int32_t start = 1) noexcept;

// Position of the last match in the whole text, overlapping matches counted.
//   find_text_reverse("a/b/c", "/") == 4;  find_text_reverse("aaa", "aa") == 2
[[nodiscard]] std::int32_t find_text_reverse(std::string_view text,
                                             std::string_view pattern) noexcept;

// The first `count` bytes; empty for a count of 0 or below.
//   text_left("abc", 10) == "abc"
[[nodiscard]] Text text_left(std::string_view text, std::int32_t count);

// `count` bytes from the 1-based `start`; empty when start is outside the
// text or count is 0 or below. May cut a two-byte character in half.
//   text_mid("abcdef", 5, 10) == "ef"
[[nodiscard]] Text text_mid(std::string_view text, std::int32_t start, std::int32_t count);

// Every occurrence of `from` replaced by `to`, stepping by characters; the
// inserted text is never rescanned. A high byte left alone at the very end
// is not copied.   replace_all("a\r\nb\r\n", "\r\n", "") == "ab"
[[nodiscard]] Text replace_all(std::string_view text, std::string_view from, std::string_view to);

// Decimal form, with a leading '-' when negative.   int_to_text(-5) == "-5"
[[nodiscard]] Text int_to_text(std::int32_t value);

// The texts joined in order.   concat("D:\\", "Book", ".txt")
template <class... Parts>
[[nodiscard]] Text concat(const Parts&... parts) {
    const std::string_view views[] = {std::string_view(parts)..., {}};
    std::size_t size = 0;
    for (const auto view : views) size += view.size();
    Text joined;
    joined.reserve(size);
    for (const auto view : views) joined.append(view);
    return joined;
}

// True when the byte starts a two-byte character.
[[nodiscard]] constexpr bool is_lead_byte(char byte) noexcept {
    return static_cast<unsigned char>(byte) >= 0x80;
}

}  // namespace varentix
