#include "core/title_stream.h"

#include <algorithm>

#include "core/title.h"

namespace varentix {
namespace {

constexpr auto kLimit = static_cast<std::int64_t>(kMaxTitleSize);

unsigned char byte_of(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]);
}

}  // namespace

void TitleStream::feed(std::string_view bytes) {
    if (bytes.empty()) return;
    const std::int64_t from = size_;
    if (prefix_.size() <= kMaxTitleSize)
        prefix_.append(bytes.substr(0, kMaxTitleSize + 1 - prefix_.size()));
    // The same character stepping as find_text and find_text_reverse, so
    // the same marks are seen.
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char byte = byte_of(bytes, i);
        const std::int64_t at = from + static_cast<std::int64_t>(i) + 1;
        if (lead_ >= 0) {
            on_character(at - 1, static_cast<unsigned char>(lead_), byte);
            lead_ = -1;
        } else if (is_lead_byte(static_cast<char>(byte))) {
            lead_ = byte;
        } else {
            on_character(at, byte, -1);
        }
    }
    size_ += static_cast<std::int64_t>(bytes.size());
    last_ = bytes.back();
    keep(opening_mark_, bytes, from);
    keep(bracket_, bytes, from);
}

void TitleStream::on_character(std::int64_t at, unsigned char first, int second) {
    if (second < 0) {
        if (first == '[' && bracket_.at < 0) bracket_ = {at, at, {}};
        if (first == '/') slash_ = at;
        return;
    }
    const auto mark = [](std::string_view m) {
        return std::pair{byte_of(m, 0), static_cast<int>(byte_of(m, 1))};
    };
    if (std::pair{first, second} == mark(kOpeningTitleMark) && opening_mark_.at < 0)
        opening_mark_ = {at, at + 1, {}};
    if (std::pair{first, second} == mark(kClosingTitleMark)) closing_mark_ = at;
}

void TitleStream::keep(Window& window, std::string_view bytes, std::int64_t bytes_from) {
    if (window.at < 0) return;
    const std::int64_t bytes_end = bytes_from + static_cast<std::int64_t>(bytes.size());
    const std::int64_t begin =
        std::max(window.after_from + static_cast<std::int64_t>(window.after.size()), bytes_from);
    const std::int64_t end = std::min(window.after_from + kLimit, bytes_end);
    if (begin < end)
        window.after.append(bytes.substr(static_cast<std::size_t>(begin - bytes_from),
                                         static_cast<std::size_t>(end - begin)));
}

Text TitleStream::cut(const Window& window, std::int64_t count) {
    if (count <= 0 || count > kLimit) return {};
    return window.after.substr(0, static_cast<std::size_t>(count));
}

Text TitleStream::finish() const {
    // As in extract_title: the bytes between the first [ and the byte
    // before the last /, or between the first 《 and the last 》.
    if (bracket_.at >= 0) return cut(bracket_, slash_ - bracket_.at - 2);
    if (opening_mark_.at >= 0) return cut(opening_mark_, closing_mark_ - opening_mark_.at - 2);
    const std::int64_t line_size = size_ > 0 && last_ == '\r' ? size_ - 1 : size_;
    if (line_size > kLimit) return {};
    return prefix_.substr(0, static_cast<std::size_t>(line_size));
}

}  // namespace varentix
