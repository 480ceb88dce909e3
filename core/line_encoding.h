#pragma once

// Novels come as GBK, UTF-8 or UTF-16 text. The renamer works on the
// program's code page, so a file's first line is read in the file's own
// encoding and converted before its title is looked for. GBK files (and
// anything else that is not recognisably Unicode) are read byte for byte.

#include <cstddef>
#include <string_view>

#include "core/codepage.h"
#include "core/text.h"

namespace varentix {

class Folder;

// How much of a file decides its encoding. The first 512 bytes are read
// first, and the rest of the sample only when they have not decided (they
// hold no byte-order mark and are ASCII or valid UTF-8 so far); a character
// cut by the sample's end is read whole before deciding.
inline constexpr std::size_t kEncodingSampleSize = 8192;

struct DetectedEncoding {
    Encoding encoding;
    std::size_t byte_order_mark_size;  // bytes to skip at the start of the file
};

// From the first bytes of a file: a UTF-8 or UTF-16 byte-order mark decides;
// without one, a sample that is valid UTF-8 (a sequence cut off by the
// sample's end included) and holds at least one multi-byte sequence is
// UTF-8; everything else is the program's code page.
//   detect_encoding("\xEF\xBB\xBFabc") == {Encoding::Utf8, 3}
[[nodiscard]] DetectedEncoding detect_encoding(std::string_view sample) noexcept;

// The file's first line in the program's code page. For a file in the code
// page this is exactly read_first_line(). A Unicode line ends at the first
// LF, NUL or 0x1A character, loses one trailing CR and its byte-order mark,
// and is converted losslessly; the empty text when it cannot be converted
// or the file cannot be read.
[[nodiscard]] Text read_first_line_in_code_page(std::string_view path);

// The title the first line of the file `name` in `folder` gives, read as
// read_first_line_in_code_page() reads it, without ever holding more of the
// line than a title can use: the empty text when the title would be too
// long for any file name (kMaxTitleSize), or the file cannot be read.
[[nodiscard]] Text read_title(const Folder& folder, std::string_view name);

}  // namespace varentix
