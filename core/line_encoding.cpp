#include "core/line_encoding.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/file_system.h"
#include "core/first_line.h"
#include "core/title_stream.h"

namespace varentix {
namespace {

// Most novels are decided by their first block: a GBK line fails UTF-8
// at once. ASCII and UTF-8 need the whole sample.
constexpr std::size_t kFirstBlockSize = 512;

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

struct Utf8Scan {
    bool valid;      // no invalid sequence (one cut off by the end is not)
    bool multibyte;  // a complete multi-byte sequence was seen
};

// Chinese text is mostly three-byte sequences, checked a word at a time.
Utf8Scan scan_utf8(std::string_view sample) {
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
                    return {false, multibyte};  // overlong form or surrogate
                at += 3;
                multibyte = true;
                continue;
            }
        }
        switch (check_sequence(at, end)) {
            case Step::Invalid:
                return {false, multibyte};
            case Step::CutOff:
                return {true, multibyte};
            case Step::Sequence:
                multibyte = true;
                break;
        }
    }
    return {true, multibyte};
}

bool has_byte_order_mark(std::string_view sample) {
    return sample.starts_with(kUtf8Mark) || sample.starts_with(kUtf16LittleMark) ||
           sample.starts_with(kUtf16BigMark);
}

// The UTF-8 sequence the bytes end inside of, if any: how many of its bytes
// are there and how many it still lacks; {0, 0} when the bytes end on a
// whole character.
struct Utf8Tail {
    std::size_t have;
    std::size_t missing;
};

Utf8Tail unfinished_utf8_tail(std::string_view bytes) {
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const unsigned byte = byte_at(bytes, bytes.size() - back);
        if (is_continuation(byte)) continue;
        const std::size_t length = kUtf8Leads[byte].length;
        return length > back ? Utf8Tail{back, length - back} : Utf8Tail{0, 0};
    }
    return {0, 0};
}

// The start of a file, as much as decides its encoding.
class Sample {
public:
    // False when reading fails.
    bool read(InputFile& file) {
        if (!fill(file, kFirstBlockSize)) return false;
        if (size_ < kFirstBlockSize || has_byte_order_mark(view())) return true;
        if (!scan_utf8(view()).valid) return true;  // the code page whatever follows
        if (!fill(file, kEncodingSampleSize)) return false;
        // A character cut by the sample's end is read whole before deciding.
        if (size_ == kEncodingSampleSize)
            return fill(file, size_ + unfinished_utf8_tail(view()).missing);
        return true;
    }

    [[nodiscard]] std::string_view view() const { return {bytes_.data(), size_}; }

private:
    bool fill(InputFile& file, std::size_t wanted) {
        while (size_ < wanted) {
            const std::ptrdiff_t got = file.read(bytes_.data() + size_, wanted - size_);
            if (got < 0) return false;
            if (got == 0) break;
            size_ += static_cast<std::size_t>(got);
        }
        return true;
    }

    std::array<char, kEncodingSampleSize + 3> bytes_;  // on the stack: no allocation per file
    std::size_t size_ = 0;
};

// Finds where a UTF-8 or UTF-16 first line ends (an LF, NUL or 0x1A unit)
// and converts it to the code page as it comes, a whole number of
// characters at a time, so that a long line is never held whole. UTF-8
// terminators never occur inside a sequence, so both encodings are scanned
// unit by unit. A trailing CR is left to the receiver: no character of the
// code page ends in a 0x0D byte, so dropping it there drops the same CR.
class UnicodeLine {
public:
    explicit UnicodeLine(Encoding encoding)
        : encoding_(encoding),
          unit_(encoding == Encoding::Utf8 ? 1 : 2),
          big_endian_(encoding == Encoding::Utf16BigEndian) {}

    // True once the line has ended.
    template <class Append>
    bool feed(std::string_view block, Append&& append) {
        if (done_) return true;
        pending_.append(block);
        std::size_t end = scanned_;
        for (; end + unit_ <= pending_.size(); end += unit_) {
            const unsigned value = unit_at(end);
            if (value == '\n' || value == 0 || value == 0x1A) {
                pending_.resize(end);
                done_ = true;
                break;
            }
        }
        const std::size_t complete = done_ ? end : end - unfinished_tail(end);
        convert(complete, append);
        scanned_ = end - complete;
        return done_;
    }

    // Converts what is left; false when the line is not valid in its
    // encoding (a lone surrogate, a cut-off sequence) and so has no title.
    template <class Append>
    bool finish(Append&& append) {
        pending_.resize(pending_.size() - pending_.size() % unit_);  // a cut-off UTF-16 unit
        convert(pending_.size(), append);
        return !failed_;
    }

private:
    unsigned unit_at(std::size_t at) const {
        if (unit_ == 1) return byte_at(pending_, at);
        const unsigned first = byte_at(pending_, at);
        const unsigned second = byte_at(pending_, at + 1);
        return big_endian_ ? (first << 8) | second : (second << 8) | first;
    }

    // The bytes before `end` that start a character not yet complete: a
    // high surrogate waiting for its partner, or a UTF-8 sequence cut off.
    std::size_t unfinished_tail(std::size_t end) const {
        if (unit_ == 2) return end >= 2 && (unit_at(end - 2) & 0xFC00u) == 0xD800u ? 2 : 0;
        return unfinished_utf8_tail(std::string_view(pending_).substr(0, end)).have;
    }

    template <class Append>
    void convert(std::size_t size, Append&& append) {
        if (size > 0 && !failed_) {
            const auto converted = convert_encoding(std::string_view(pending_).substr(0, size),
                                                    encoding_, Encoding::CodePage);
            if (converted)
                append(std::string_view(*converted));
            else
                failed_ = true;
        }
        pending_.erase(0, size);
    }

    Encoding encoding_;
    std::size_t unit_;
    bool big_endian_;
    std::string pending_;      // bytes not yet converted
    std::size_t scanned_ = 0;  // of them, those already searched for the line's end
    bool done_ = false;
    bool failed_ = false;
};

// Reads the first line of an opened file in its own encoding and hands it
// on in the code page, in pieces; false when there is none to take (reading
// failed, or the line is not valid in its encoding).
template <class Append>
bool read_line(InputFile& file, Append&& append) {
    Sample sample;
    if (!sample.read(file)) return false;
    const DetectedEncoding detected = detect_encoding(sample.view());
    std::array<char, kEncodingSampleSize> block;
    const auto read_on = [&](auto& cutter, bool done) {
        while (!done) {
            const std::ptrdiff_t got = file.read(block.data(), block.size());
            if (got < 0) return false;
            if (got == 0) break;
            done =
                cutter.feed(std::string_view(block.data(), static_cast<std::size_t>(got)), append);
        }
        return true;
    };
    if (detected.encoding == Encoding::CodePage) {
        LineCutter cutter;
        if (!read_on(cutter, cutter.feed(sample.view(), append))) return false;
        cutter.finish(append);
        return true;
    }
    UnicodeLine line(detected.encoding);
    const bool ended = line.feed(sample.view().substr(detected.byte_order_mark_size), append);
    if (!read_on(line, ended)) return false;
    return line.finish(append);
}

}  // namespace

DetectedEncoding detect_encoding(std::string_view sample) noexcept {
    if (sample.starts_with(kUtf8Mark)) return {Encoding::Utf8, kUtf8Mark.size()};
    if (sample.starts_with(kUtf16LittleMark)) return {Encoding::Utf16LittleEndian, 2};
    if (sample.starts_with(kUtf16BigMark)) return {Encoding::Utf16BigEndian, 2};
    const Utf8Scan scan = scan_utf8(sample);
    if (scan.valid && scan.multibyte) return {Encoding::Utf8, 0};
    return {Encoding::CodePage, 0};
}

Text read_first_line_in_code_page(std::string_view path) {
    auto file = InputFile::open(path);
    if (!file) return {};
    Text line;
    if (!read_line(*file, [&line](std::string_view bytes) { line.append(bytes); })) return {};
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

Text read_title(const Folder& folder, std::string_view name) {
    auto file = folder.open_file(name);
    if (!file) return {};
    TitleStream title;
    if (!read_line(*file, [&title](std::string_view bytes) { title.feed(bytes); })) return {};
    return title.finish();
}

}  // namespace varentix
