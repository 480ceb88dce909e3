#pragma once

// Conversions between the program's code page (GB18030) and the encodings
// it meets at its edges: UTF-8 (Qt strings, most novels from the web),
// UTF-16 (Windows "Unicode" text files) and the file system's names.
// A conversion never guesses: input that is not valid in its encoding, or
// that has no form in the target, gives std::nullopt.

#include <optional>
#include <string>
#include <string_view>

#include "core/text.h"

namespace varentix {

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
// The file system's name for a Text: UTF-16 through code page 54936.
[[nodiscard]] std::optional<std::wstring> text_to_file_name(std::string_view text);
#else
// The file system's name for a Text, in the codeset of the user's locale
// (UTF-8 where the locale names none, as for the plain C locale).
[[nodiscard]] std::optional<std::string> text_to_file_name(std::string_view text);
#endif

}  // namespace varentix
