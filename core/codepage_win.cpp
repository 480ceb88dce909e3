#include <windows.h>

#include "core/codepage.h"

namespace varentix {
namespace {

constexpr UINT kGb18030 = 54936;
constexpr UINT kGbk = 936;

UINT code_page_of(Encoding encoding) {
    return encoding == Encoding::Utf8 ? CP_UTF8 : program_code_page();
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
    const UINT code_page = code_page_of(to);
    // WC_ERR_INVALID_CHARS is taken by UTF-8 and GB18030 only; for GBK a
    // character it cannot hold shows as the default character being used.
    const bool strict = code_page == CP_UTF8 || code_page == kGb18030;
    BOOL lossy = FALSE;
    BOOL* const lossy_out = strict ? nullptr : &lossy;
    const DWORD flags = strict ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    const int needed =
        WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, lossy_out);
    if (needed <= 0 || lossy) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(code_page, flags, wide.data(), size, bytes.data(), needed, nullptr,
                        lossy_out);
    if (lossy) return std::nullopt;
    return bytes;
}

}  // namespace

UINT program_code_page() {
    static const UINT code_page = IsValidCodePage(kGb18030) ? kGb18030 : kGbk;
    return code_page;
}

bool code_page_is_gb18030() {
    return program_code_page() == kGb18030;
}

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
