#pragma once

// The first line of a novel file, byte for byte as it stands in the file.

#include <string_view>

#include "core/text.h"

namespace varentix {

// Collects a first line from blocks of any size. The line ends at the first
// LF, NUL or 0x1A byte that starts a character; stepping carries across
// blocks, so the second byte of a two-byte character split by a block edge
// is never taken for a terminator. A high byte followed directly by NUL
// (UTF-16 text, binary data) ends the line without the high byte.
class FirstLineScanner {
public:
    // Adds a block; true once the line has ended and more blocks are not needed.
    bool feed(std::string_view block);

    [[nodiscard]] bool done() const { return done_; }

    // The line, with one trailing CR removed.
    [[nodiscard]] Text take();

private:
    Text line_;
    bool in_character_ = false;  // the last byte fed started a two-byte character
    bool done_ = false;
};

// The first line of the file at `path`, read in 512-byte blocks up to its
// terminator or the end of the file, one trailing CR removed. Empty when
// the file cannot be opened or reading fails.
[[nodiscard]] Text read_first_line(std::string_view path);

}  // namespace varentix
