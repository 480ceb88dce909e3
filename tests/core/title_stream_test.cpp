#include "core/title_stream.h"

#include <gtest/gtest.h>

#include <random>

#include "core/first_line.h"
#include "core/title.h"
#include "temp_folder.h"

namespace varentix {
namespace {

using testing::gb;

// What the title would be with the whole line in memory.
Text whole_line_title(std::string_view line) {
    FirstLineScanner scanner;
    scanner.feed(line);
    const Text taken = scanner.take();
    const Text title = extract_title(taken, detect_layout(taken));
    return title.size() <= kMaxTitleSize ? title : Text();
}

Text streamed_title(std::string_view line, std::size_t block) {
    TitleStream stream;
    for (std::size_t at = 0; at < line.size(); at += block) stream.feed(line.substr(at, block));
    return stream.finish();
}

TEST(TitleStream, GivesTheWholeLineTitleInBlocksOfAnySize) {
    const std::string far = std::string(5000, 'x');
    const std::string lines[] = {
        "",
        "Title",
        "Title\r",
        "Ti\rtle\r",
        gb("《斗破苍穹》"),
        gb("书名：《凡人修仙传》作者：忘语"),
        gb("《A》 and 《B》"),
        gb("《T》 [x]/y"),
        "[Title]/A/B",
        "[Title] / Author",
        "a/b[c",
        "[Title]",
        gb("《只有开头"),
        gb("》x《"),
        "\x81\x5B"
        "x[y]/z",                     // a [ that is a second byte does not count
        "\xA1\xB6\xA1\xB6T\xA1\xB7",  // 《《T》
        "\xA1\xA1\xB6T\xA1\xB7",      // the 0xA1 0xB6 inside 0xA1 0xA1 0xB6 is no mark
        "ab\x81",
        "ab\x81\r",
        far + gb("《远处的书名》") + far,
        far + "[Far]/x",
        "[" + far + "]/x",
        gb("《") + std::string(kMaxTitleSize, 'x') + gb("》"),
        gb("《") + std::string(kMaxTitleSize + 1, 'x') + gb("》"),
        std::string(kMaxTitleSize, 'x'),
        std::string(kMaxTitleSize, 'x') + "\r",
        std::string(kMaxTitleSize + 1, 'x'),
        "[" + std::string(kMaxTitleSize, 'x') + "]/",
        "[" + std::string(kMaxTitleSize + 1, 'x') + "]/",
    };
    for (const auto& line : lines)
        for (const std::size_t block : {1, 2, 3, 7, 512, 100000}) {
            EXPECT_EQ(streamed_title(line, block), whole_line_title(line))
                << "line of " << line.size() << " bytes in blocks of " << block;
        }
}

// Lines made of the bytes that matter, in every order chance gives: marks,
// their halves, separators, high bytes, CR.
TEST(TitleStream, AgreesWithTheWholeLineOnRandomLines) {
    const std::string_view pieces[] = {"\xA1\xB6", "\xA1\xB7", "\xA1", "\xB6", "\xB7", "[",   "]",
                                       "/",        "\r",       "a",    "\x81", "\x5B", "\x2F"};
    std::mt19937 random(20261211);
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) line += pieces[random() % std::size(pieces)];
        if (round % 10 == 0) line += std::string(kMaxTitleSize - 8 + random() % 16, 'x');
        const std::size_t block = 1 + random() % 8;
        ASSERT_EQ(streamed_title(line, block), whole_line_title(line)) << "round " << round;
    }
}

}  // namespace
}  // namespace varentix
