#pragma once

// The first line of a novel file, byte for byte as it stands in the file.

#include <string_view>

#include "core/text.h"

namespace varentix {

// Finds where a first line ends in blocks of any size and hands the line's
// bytes on as they come. The line ends at the first LF, NUL or 0x1A byte
// that starts a character; stepping carries across blocks, so the second
// byte of a two-byte character split by a block edge is never taken for a
// terminator. A high byte followed directly by NUL (UTF-16 text, binary
// data) ends the line without the high byte, so a high byte that ends a
// block is held back until the next block tells.
class LineCutter {
public:
    // Hands the block's line bytes to `append` (called with string_views);
    // true once the line has ended and more blocks are not needed.
    template <class Append>
    bool feed(std::string_view block, Append&& append);

    // At the end of the file: hands on a high byte still held back.
    template <class Append>
    void finish(Append&& append);

    [[nodiscard]] bool done() const { return done_; }

private:
    static bool ends_line(char byte) { return byte == '\n' || byte == '\0' || byte == '\x1A'; }

    char held_ = 0;              // a high byte that ended the last block
    bool in_character_ = false;  // held_ is waiting for its second byte
    bool done_ = false;
};

// Collects a first line from blocks of any size (see LineCutter).
class FirstLineScanner {
public:
    // Adds a block; true once the line has ended and more blocks are not needed.
    bool feed(std::string_view block) {
        return cutter_.feed(block, [this](std::string_view bytes) { line_.append(bytes); });
    }

    [[nodiscard]] bool done() const { return cutter_.done(); }

    // The line, with one trailing CR removed.
    [[nodiscard]] Text take();

private:
    LineCutter cutter_;
    Text line_;
};

// The first line of the file at `path`, read in 512-byte blocks up to its
// terminator or the end of the file, one trailing CR removed. Empty when
// the file cannot be opened or reading fails.
[[nodiscard]] Text read_first_line(std::string_view path);

template <class Append>
bool LineCutter::feed(std::string_view block, Append&& append) {
    if (done_) return true;
    if (block.empty()) return false;
    std::size_t at = 0;
    if (in_character_) {
        in_character_ = false;
        if (block[0] == '\0') {
            done_ = true;
            return true;
        }
        append(std::string_view(&held_, 1));
        at = 1;  // the held byte's second byte, which belongs to the line
    }
    constexpr std::size_t begin = 0;
    for (; at < block.size(); ++at) {
        const char byte = block[at];
        if (is_lead_byte(byte)) {
            if (at + 1 == block.size()) {
                held_ = byte;
                in_character_ = true;
                append(block.substr(begin, at - begin));
                return false;
            }
            if (block[at + 1] == '\0') {
                append(block.substr(begin, at - begin));
                done_ = true;
                return true;
            }
            ++at;
        } else if (ends_line(byte)) {
            append(block.substr(begin, at - begin));
            done_ = true;
            return true;
        }
    }
    append(block.substr(begin));
    return false;
}

template <class Append>
void LineCutter::finish(Append&& append) {
    if (in_character_) append(std::string_view(&held_, 1));
    in_character_ = false;
    done_ = true;
}

}  // namespace varentix
