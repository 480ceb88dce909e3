#pragma once

// Cutting the title out of a first line while its bytes arrive, keeping only
// what a title that can still be a file name needs: a line of any length,
// a whole file without a line end included, costs a few KiB.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/text.h"

namespace varentix {

// No file system takes a name this long (255 UTF-16 units or UTF-8 bytes
// at most, and a title needs at least one byte per unit), so a longer
// title can never rename anything.
inline constexpr std::size_t kMaxTitleSize = 1020;

class TitleStream {
public:
    // The line's next bytes, in the program's code page.
    void feed(std::string_view bytes);

    // extract_title(line, detect_layout(line)) for the whole line fed, one
    // trailing CR removed; the empty text when that title would be longer
    // than kMaxTitleSize.
    [[nodiscard]] Text finish() const;

private:
    // Where a mark starts (1-based, -1 until one is seen) and the bytes
    // after it, as many as a title can use.
    struct Window {
        std::int64_t at = -1;
        std::int64_t after_from = 0;  // offset of the first byte after the mark
        Text after;
    };

    // A character starting at the 1-based position `at`; `second` is -1
    // for a one-byte character.
    void on_character(std::int64_t at, unsigned char first, int second);
    static void keep(Window& window, std::string_view bytes, std::int64_t bytes_from);
    static Text cut(const Window& window, std::int64_t count);

    std::int64_t size_ = 0;           // bytes fed so far
    Text prefix_;                     // the line's first bytes, for a plain title
    Window opening_mark_;             // the first 《
    Window bracket_;                  // the first [
    std::int64_t closing_mark_ = -1;  // the last 》
    std::int64_t slash_ = -1;         // the last /
    int lead_ = -1;                   // a high byte still waiting for its second byte
    char last_ = 0;
};

}  // namespace varentix
