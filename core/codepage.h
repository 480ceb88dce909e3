#pragma once

// Conversions between the program's code page (GB18030) and the encodings
// it meets at its edges: UTF-8 (Qt strings, most novels from the web),
// UTF-16 (Windows "Unicode" text files) and the file system's names.
// A conversion never guesses: input that is not valid in its encoding, or
// that has no form in the target, gives std::nullopt.
//
// Where the code page is GBK rather than GB18030 (code_page_is_gb18030()
// false, on some Windows systems), characters outside GBK have no Text.

#include <optional>
#include <string>
#include <string_view>

#include "core/text.h"

namespace varentix {

// True where the program's code page is GB18030, which holds every
// character; false where it falls back to GBK.
[[nodiscard]] bool code_page_is_gb18030();

enum class Encoding {
    CodePage,  // GB18030, the program's own
    Utf8,
    Utf16LittleEndian,
    Utf16BigEndian,
};

[[nodiscard]] std::optional<std::string> convert_encoding(std::string_view bytes, Encoding from,
                                                          Encoding to);

[[nodiscard]] inline std::optional<Text> utf8_to_text(std::string_view utf8) {
    return convert_encoding(utf8, Encoding::Utf8, Encoding::CodePage);
}

[[nodiscard]] inline std::optional<std::string> text_to_utf8(std::string_view text) {
    return convert_encoding(text, Encoding::CodePage, Encoding::Utf8);
}

#ifdef _WIN32
// The program's code page on Windows: GB18030 (54936) where the system has
// it, else GBK (936), the code page the tool was first written for. Wine 8
// and stripped systems lack 54936; characters outside GBK then have no Text.
[[nodiscard]] unsigned program_code_page();

// The file system's name for a Text: UTF-16 through the program's code page.
[[nodiscard]] std::optional<std::wstring> text_to_file_name(std::string_view text);
#else
// The file system's name for a Text, in the codeset of the user's locale
// (UTF-8 where the locale names none, as for the plain C locale).
[[nodiscard]] std::optional<std::string> text_to_file_name(std::string_view text);
#endif

}  // namespace varentix
