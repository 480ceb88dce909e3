#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "core/codepage.h"

namespace varentix {
namespace {

constexpr std::array<const char*, 4> kIconvNames = {"GB18030", "UTF-8", "UTF-16LE", "UTF-16BE"};

const char* iconv_name(Encoding encoding) {
    return kIconvNames[static_cast<std::size_t>(encoding)];
}

// iconv_open is far dearer than a conversion, and a batch converts every
// path several times, so each thread keeps its descriptors open.
class Converter {
public:
    Converter(const char* from, const char* to) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    [[nodiscard]] bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> run(std::string_view bytes) {
        if (!valid()) return std::nullopt;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // fresh shift state
        std::string out(bytes.size() * 2 + 16, '\0');
        char* in_ptr = const_cast<char*>(bytes.data());
        std::size_t in_left = bytes.size();
        std::size_t done = 0;
        for (;;) {
            char* out_ptr = out.data() + done;
            std::size_t out_left = out.size() - done;
            const std::size_t result = iconv(handle_, &in_ptr, &in_left, &out_ptr, &out_left);
            done = out.size() - out_left;
            if (result != static_cast<std::size_t>(-1)) break;
            if (errno != E2BIG) return std::nullopt;  // invalid or cut-off input
            out.resize(out.size() * 2);
        }
        out.resize(done);
        return out;
    }

private:
    iconv_t handle_;
};

bool is_ascii(std::string_view bytes) {
    for (const char byte : bytes)
        if (is_lead_byte(byte)) return false;
    return true;
}

// ASCII bytes mean the same in GB18030 and UTF-8.
bool ascii_compatible(Encoding encoding) {
    return encoding == Encoding::CodePage || encoding == Encoding::Utf8;
}

std::string locale_codeset() {
    const locale_t user = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) return "UTF-8";
    std::string codeset = nl_langinfo_l(CODESET, user);
    freelocale(user);
    if (codeset.empty() || codeset == "ANSI_X3.4-1968" || codeset == "ASCII") return "UTF-8";
    return codeset;
}

}  // namespace

bool code_page_is_gb18030() {
    return true;  // iconv always has it
}

std::optional<std::string> convert_encoding(std::string_view bytes, Encoding from, Encoding to) {
    if (from == to || (ascii_compatible(from) && ascii_compatible(to) && is_ascii(bytes)))
        return std::string(bytes);
    thread_local std::array<std::array<std::optional<Converter>, 4>, 4> converters;
    auto& slot = converters[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)];
    if (!slot) slot.emplace(iconv_name(from), iconv_name(to));
    return slot->run(bytes);
}

std::optional<std::string> text_to_file_name(std::string_view text) {
    if (is_ascii(text)) return std::string(text);
    thread_local Converter converter(iconv_name(Encoding::CodePage), locale_codeset().c_str());
    return converter.run(text);
}

}  // namespace varentix
