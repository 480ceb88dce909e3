#include <windows.h>

#include "core/codepage.h"

namespace varentix {
namespace {

constexpr UINT kGb18030 = 54936;

UINT code_page_of(Encoding encoding) {
    return encoding == Encoding::Utf8 ? CP_UTF8 : kGb18030;
}

bool is_utf16(Encoding encoding) {
    return encoding == Encoding::Utf16LittleEndian || encoding == Encoding::Utf16BigEndian;
}

std::optional<std::wstring> to_wide(std::string_view bytes, Encoding from) {
    if (bytes.empty()) return std::wstring();
    if (is_utf16(from)) {
        if (bytes.size() % 2 != 0) return std::nullopt;
        const bool big = from == Encoding::Utf16BigEndian;
        std::wstring wide(bytes.size() / 2, L'\0');
        for (std::size_t i = 0; i < wide.size(); ++i) {
            const auto first = static_cast<unsigned char>(bytes[2 * i]);
            const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
            wide[i] = static_cast<wchar_t>(big ? (first << 8) | second : (second << 8) | first);
        }
        return wide;
    }
    const int size = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(code_page_of(from), MB_ERR_INVALID_CHARS, bytes.data(),
                                           size, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(code_page_of(from), MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(),
                        needed);
    return wide;
}

std::optional<std::string> from_wide(std::wstring_view wide, Encoding to) {
    if (wide.empty()) return std::string();
    if (is_utf16(to)) {
        const bool big = to == Encoding::Utf16BigEndian;
        std::string bytes(wide.size() * 2, '\0');
        for (std::size_t i = 0; i < wide.size(); ++i) {
            const auto unit = static_cast<unsigned>(wide[i]);
            bytes[2 * i] = static_cast<char>(big ? unit >> 8 : unit & 0xFF);
            bytes[2 * i + 1] = static_cast<char>(big ? unit & 0xFF : unit >> 8);
        }
        return bytes;
    }
    const int size = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(code_page_of(to), WC_ERR_INVALID_CHARS, wide.data(),
                                           size, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(code_page_of(to), WC_ERR_INVALID_CHARS, wide.data(), size, bytes.data(),
                        needed, nullptr, nullptr);
    return bytes;
}

}  // namespace

std::optional<std::string> convert_encoding(std::string_view bytes, Encoding from, Encoding to) {
    if (from == to) return std::string(bytes);
    const auto wide = to_wide(bytes, from);
    if (!wide) return std::nullopt;
    return from_wide(*wide, to);
}

std::optional<std::wstring> text_to_file_name(std::string_view text) {
    return to_wide(text, Encoding::CodePage);
}

}  // namespace varentix
