#include "core/line_encoding.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/file_system.h"
#include "core/first_line.h"

namespace varentix {
namespace {

constexpr std::size_t kLineBlockSize = 512;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

unsigned byte_at(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

// For each byte that can lead a UTF-8 sequence: the sequence's length and
// the range its first continuation byte must fall in, which rules out
// overlong forms, surrogates and code points past U+10FFFF. Length 0 marks
// a byte that cannot lead.
struct Utf8Lead {
    std::uint8_t length;
    std::uint8_t low;
    std::uint8_t high;
};

constexpr std::array<Utf8Lead, 256> kUtf8Leads = [] {
    std::array<Utf8Lead, 256> leads{};
    for (unsigned lead = 0; lead < 0x80; ++lead) leads[lead] = {1, 0, 0};
    for (unsigned lead = 0xC2; lead <= 0xDF; ++lead) leads[lead] = {2, 0x80, 0xBF};
    for (unsigned lead = 0xE0; lead <= 0xEF; ++lead) leads[lead] = {3, 0x80, 0xBF};
    for (unsigned lead = 0xF1; lead <= 0xF3; ++lead) leads[lead] = {4, 0x80, 0xBF};
    leads[0xE0] = {3, 0xA0, 0xBF};
    leads[0xED] = {3, 0x80, 0x9F};
    leads[0xF0] = {4, 0x90, 0xBF};
    leads[0xF4] = {4, 0x80, 0x8F};
    return leads;
}();

bool is_continuation(unsigned byte) {
    return (byte & 0xC0) == 0x80;
}

// Whether the `size` bytes at `bytes` are valid as the start of the
// sequence `lead` opens.
bool valid_prefix(const unsigned char* bytes, std::size_t size, Utf8Lead lead) {
    if (size > 1 && (bytes[1] < lead.low || bytes[1] > lead.high)) return false;
    for (std::size_t i = 2; i < size; ++i)
        if (!is_continuation(bytes[i])) return false;
    return true;
}

// Four bytes with the first in the low eight bits, whatever the machine.
std::uint32_t load_little_endian(const unsigned char* bytes) {
    std::uint32_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::big)
        word = (word >> 24) | ((word >> 8) & 0xFF00u) | ((word << 8) & 0xFF0000u) | (word << 24);
    return word;
}

enum class Step { Invalid, CutOff, Sequence };

// Checks the sequence at `at`; advances past it when it is complete.
Step check_sequence(const unsigned char*& at, const unsigned char* end) {
    const Utf8Lead lead = kUtf8Leads[*at];
    if (lead.length == 0) return Step::Invalid;
    const auto left = static_cast<std::size_t>(end - at);
    if (left < lead.length) return valid_prefix(at, left, lead) ? Step::CutOff : Step::Invalid;
    if (!valid_prefix(at, lead.length, lead)) return Step::Invalid;
    at += lead.length;
    return Step::Sequence;
}

// True when the sample is valid UTF-8 (a sequence cut off by its end
// included) and holds a complete multi-byte sequence. Chinese text is
// mostly three-byte sequences, checked a word at a time.
bool looks_like_utf8(std::string_view sample) {
    const auto* at = reinterpret_cast<const unsigned char*>(sample.data());
    const auto* const end = at + sample.size();
    bool multibyte = false;
    while (at < end) {
        if (*at < 0x80) {
            ++at;
            continue;
        }
        if (end - at >= 4) {
            const std::uint32_t word = load_little_endian(at);
            if ((word & 0x00C0C0F0u) == 0x008080E0u) {
                const std::uint32_t lead = word & 0xFFu;
                const std::uint32_t second = (word >> 8) & 0xFFu;
                if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F))
                    return false;  // overlong form or surrogate
                at += 3;
                multibyte = true;
                continue;
            }
        }
        switch (check_sequence(at, end)) {
            case Step::Invalid:
                return false;
            case Step::CutOff:
                return multibyte;
            case Step::Sequence:
                multibyte = true;
                break;
        }
    }
    return multibyte;
}

// Collects a Unicode first line, reading on from `file` when the sample
// does not hold its end. UTF-8 terminators never occur inside a sequence,
// so both encodings can be scanned unit by unit.
class UnicodeLine {
public:
    explicit UnicodeLine(Encoding encoding)
        : unit_(encoding == Encoding::Utf8 ? 1 : 2),
          big_endian_(encoding == Encoding::Utf16BigEndian) {}

    // True once the line has ended.
    bool feed(std::string_view block) {
        bytes_.append(block);
        for (; scanned_ + unit_ <= bytes_.size(); scanned_ += unit_) {
            const unsigned value = unit_at(scanned_);
            if (value == '\n' || value == 0 || value == 0x1A) {
                bytes_.resize(scanned_);
                return true;
            }
        }
        return false;
    }

    std::string take() {
        bytes_.resize(bytes_.size() - bytes_.size() % unit_);  // a cut-off UTF-16 unit
        if (bytes_.size() >= unit_ && unit_at(bytes_.size() - unit_) == '\r')
            bytes_.resize(bytes_.size() - unit_);
        return std::move(bytes_);
    }

private:
    unsigned unit_at(std::size_t at) const {
        if (unit_ == 1) return byte_at(bytes_, at);
        const unsigned first = byte_at(bytes_, at);
        const unsigned second = byte_at(bytes_, at + 1);
        return big_endian_ ? (first << 8) | second : (second << 8) | first;
    }

    std::size_t unit_;
    bool big_endian_;
    std::string bytes_;
    std::size_t scanned_ = 0;
};

// Feeds blocks from the file until the collector has its line or the file
// ends. False when reading fails.
template <class Collector>
bool read_on(InputFile& file, Collector& collector, bool done) {
    char block[kLineBlockSize];
    while (!done) {
        const std::ptrdiff_t got = file.read(block, sizeof block);
        if (got < 0) return false;
        if (got == 0) break;
        done = collector.feed(std::string_view(block, static_cast<std::size_t>(got)));
    }
    return true;
}

}  // namespace

DetectedEncoding detect_encoding(std::string_view sample) noexcept {
    if (sample.starts_with(kUtf8Mark)) return {Encoding::Utf8, kUtf8Mark.size()};
    if (sample.starts_with(kUtf16LittleMark)) return {Encoding::Utf16LittleEndian, 2};
    if (sample.starts_with(kUtf16BigMark)) return {Encoding::Utf16BigEndian, 2};
    if (looks_like_utf8(sample)) return {Encoding::Utf8, 0};
    return {Encoding::CodePage, 0};
}

Text read_first_line_in_code_page(std::string_view path) {
    auto file = InputFile::open(path);
    if (!file) return {};
    std::array<char, kEncodingSampleSize> buffer;  // on the stack: no allocation per file
    std::size_t have = 0;
    while (have < buffer.size()) {
        const std::ptrdiff_t got = file->read(buffer.data() + have, buffer.size() - have);
        if (got < 0) return {};
        if (got == 0) break;
        have += static_cast<std::size_t>(got);
    }
    const std::string_view sample(buffer.data(), have);

    const DetectedEncoding detected = detect_encoding(sample);
    if (detected.encoding == Encoding::CodePage) {
        FirstLineScanner scanner;
        if (!read_on(*file, scanner, scanner.feed(sample))) return {};
        return scanner.take();
    }
    UnicodeLine line(detected.encoding);
    const bool ended = line.feed(sample.substr(detected.byte_order_mark_size));
    if (!read_on(*file, line, ended)) return {};
    return convert_encoding(line.take(), detected.encoding, Encoding::CodePage).value_or(Text());
}

}  // namespace varentix
