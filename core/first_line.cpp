#include "core/first_line.h"

#include <array>
#include <utility>

#include "core/file_system.h"

namespace varentix {
namespace {

constexpr std::size_t kBlockSize = 512;

bool ends_line(char byte) {
    return byte == '\n' || byte == '\0' || byte == '\x1A';
}

}  // namespace

bool FirstLineScanner::feed(std::string_view block) {
    if (done_) return true;
    std::size_t at = 0;
    if (in_character_ && !block.empty()) {
        in_character_ = false;
        if (block[0] == '\0') {
            line_.pop_back();
            done_ = true;
            return true;
        }
        at = 1;
    }
    for (; at < block.size(); ++at) {
        const char byte = block[at];
        if (is_lead_byte(byte)) {
            if (at + 1 == block.size()) {
                in_character_ = true;
                break;
            }
            if (block[at + 1] == '\0') {
                line_.append(block.substr(0, at));
                done_ = true;
                return true;
            }
            ++at;
        } else if (ends_line(byte)) {
            line_.append(block.substr(0, at));
            done_ = true;
            return true;
        }
    }
    line_.append(block);
    return false;
}

Text FirstLineScanner::take() {
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    done_ = true;
    return std::move(line_);
}

Text read_first_line(std::string_view path) {
    auto file = InputFile::open(path);
    if (!file) return {};
    FirstLineScanner scanner;
    std::array<char, kBlockSize> block{};
    while (!scanner.done()) {
        const std::ptrdiff_t got = file->read(block.data(), block.size());
        if (got < 0) return {};
        if (got == 0) break;
        scanner.feed(std::string_view(block.data(), static_cast<std::size_t>(got)));
    }
    return scanner.take();
}

}  // namespace varentix
