#include "core/first_line.h"

#include <array>
#include <utility>

#include "core/file_system.h"

namespace varentix {
namespace {

constexpr std::size_t kBlockSize = 512;

}  // namespace

Text FirstLineScanner::take() {
    cutter_.finish([this](std::string_view bytes) { line_.append(bytes); });
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
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
