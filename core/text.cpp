#include "core/text.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace varentix {
namespace {

// Offset of the character after the one starting at `at`, or npos when the
// walk ends at a high byte that has no second byte.
std::size_t next_char(std::string_view text, std::size_t at) noexcept {
    if (!is_lead_byte(text[at])) return at + 1;
    if (at + 1 >= text.size()) return std::string_view::npos;
    return at + 2;
}

bool matches_at(std::string_view text, std::size_t at, std::string_view pattern) noexcept {
    return text.size() - at >= pattern.size() &&
           std::memcmp(text.data() + at, pattern.data(), pattern.size()) == 0;
}

}  // namespace

std::int32_t find_text(std::string_view text, std::string_view pattern,
                       std::int32_t start) noexcept {
    const std::size_t begin = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
    if (begin >= text.size()) return -1;
    if (pattern.empty()) return 1;
    for (std::size_t at = begin; at != std::string_view::npos && at < text.size();
         at = next_char(text, at)) {
        if (text.size() - at < pattern.size()) return -1;
        if (matches_at(text, at, pattern)) return static_cast<std::int32_t>(at + 1);
    }
    return -1;
}

std::int32_t find_text_reverse(std::string_view text, std::string_view pattern) noexcept {
    if (text.empty()) return -1;
    if (pattern.empty()) return 1;
    std::int32_t last = -1;
    for (std::size_t at = 0; at != std::string_view::npos && at < text.size();
         at = next_char(text, at)) {
        if (text.size() - at < pattern.size()) break;
        if (matches_at(text, at, pattern)) last = static_cast<std::int32_t>(at + 1);
    }
    return last;
}

Text text_left(std::string_view text, std::int32_t count) {
    if (count <= 0) return {};
    return Text(text.substr(0, static_cast<std::size_t>(count)));
}

Text text_mid(std::string_view text, std::int32_t start, std::int32_t count) {
    if (start < 1 || static_cast<std::size_t>(start) > text.size() || count <= 0) return {};
    return Text(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count)));
}

Text replace_all(std::string_view text, std::string_view from, std::string_view to) {
    if (text.empty() || from.empty()) return Text(text);
    Text result;
    result.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.size() - at < from.size()) {
            result.append(text.substr(at));
            break;
        }
        if (matches_at(text, at, from)) {
            result.append(to);
            at += from.size();
            continue;
        }
        const std::size_t next = next_char(text, at);
        if (next == std::string_view::npos) break;  // lone high byte at the end
        result.append(text.substr(at, next - at));
        at = next;
    }
    return result;
}

Text int_to_text(std::int32_t value) {
    char digits[16];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), value);
    static_cast<void>(error);
    return Text(digits, end);
}

}  // namespace varentix
