#include "core/first_line.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace varentix {
namespace {

using testing::TempFolder;

struct LineCase {
    const char* what;
    std::string content;
    std::string line;
};

TEST(ReadFirstLine, EndsAtTheFirstTerminatorThatStartsACharacter) {
    const std::string long_line(1500, 'x');
    // 511 ASCII bytes put the first byte of a GBK character last in the first
    // block; its second byte, 0x0A here, opens the next block and must not
    // end the line.
    const std::string straddling = std::string(511, 'a') + "\x81\x0A" + "tail";
    const std::string straddling_nul = std::string(511, 'a') + std::string("\x81\0rest", 6);
    const LineCase cases[] = {
        {"CR LF", "Title\r\nbody", "Title"},
        {"LF", "Title\nbody", "Title"},
        {"leading LF", "\nTitle", ""},
        {"NUL", std::string("Ti\0tle", 6), "Ti"},
        {"0x1A", "Ti\x1Atle", "Ti"},
        {"no terminator", "Title", "Title"},
        {"only one CR dropped", "Title\r\r\n", "Title\r"},
        {"inner CR kept", "Ti\rtle\n", "Ti\rtle"},
        {"empty file", "", ""},
        {"LF as a second byte",
         "\x81\x0A"
         "x\ny",
         "\x81\x0A"
         "x"},
        {"0x1A as a second byte",
         "\x81\x1A"
         "x\ny",
         "\x81\x1A"
         "x"},
        {"high byte before NUL", std::string("ab\x81\0cd", 7), "ab"},
        {"UTF-16 text", std::string("\xFF\xFET\0i\0", 6), "\xFF\xFET"},
        {"line longer than a block", long_line + "\nrest", long_line},
        {"character across blocks", straddling,
         std::string(511, 'a') + "\x81\x0A"
                                 "tail"},
        {"high byte before NUL across blocks", straddling_nul, std::string(511, 'a')},
        {"lone high byte at the end", "ab\x81", "ab\x81"},
    };
    const TempFolder folder;
    for (const auto& c : cases) {
        const Text path = folder.write("1001.txt", c.content);
        EXPECT_EQ(read_first_line(path), c.line) << c.what;
    }
}

TEST(ReadFirstLine, GivesTheEmptyTextForWhatCannotBeRead) {
    const TempFolder folder;
    EXPECT_EQ(read_first_line(folder.text() + "missing.txt"), "");
    EXPECT_EQ(read_first_line(folder.make_folder("folder")), "");
    EXPECT_EQ(read_first_line(""), "");
    // Not valid GB18030: no file-system name can be made of it.
    EXPECT_EQ(read_first_line(folder.text() + "\x81"), "");
}

TEST(ReadFirstLine, LeavesTheFileUnchanged) {
    const TempFolder folder;
    const std::string content = "Title\r\nbody\n";
    folder.write("1001.txt", content);
    const auto before = folder.snapshot();
    EXPECT_EQ(read_first_line(folder.text() + "1001.txt"), "Title");
    EXPECT_EQ(folder.snapshot(), before);
}

TEST(FirstLineScanner, GivesTheSameLineWhateverTheBlockSize) {
    const std::string content =
        "ab\x81\x0A"
        "cd\x82\x5C"
        "ef\r\ngh";
    for (std::size_t size = 1; size <= content.size(); ++size) {
        FirstLineScanner scanner;
        for (std::size_t at = 0; at < content.size() && !scanner.done(); at += size)
            scanner.feed(std::string_view(content).substr(at, size));
        EXPECT_EQ(scanner.take(),
                  "ab\x81\x0A"
                  "cd\x82\x5C"
                  "ef")
            << "blocks of " << size;
    }
}

}  // namespace
}  // namespace varentix
