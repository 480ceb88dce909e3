#include "core/line_encoding.h"

#include <gtest/gtest.h>

#include "core/batch_rename.h"
#include "core/file_system.h"
#include "core/first_line.h"
#include "core/title.h"
#include "core/title_stream.h"
#include "temp_folder.h"

namespace varentix {
namespace {

using testing::gb;
using testing::TempFolder;
using Snapshot = std::map<std::string, std::string>;

struct DetectCase {
    const char* what;
    std::string sample;
    Encoding encoding;
    std::size_t mark;
};

TEST(DetectEncoding, DecidesFromMarksThenFromValidUtf8) {
    const std::string gbk_then_broken = "\xC4\xBF\xC4\xBF\n\xD5\xFD\xCE\xC4";  // 正文 in GBK
    const DetectCase cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBFTitle", Encoding::Utf8, 3},
        {"UTF-16 LE mark", "\xFF\xFET\0", Encoding::Utf16LittleEndian, 2},
        {"UTF-16 BE mark", "\xFE\xFF\0T", Encoding::Utf16BigEndian, 2},
        {"UTF-8 without mark", "《书名》\n正文", Encoding::Utf8, 0},
        {"sequence cut off by the sample's end", "书名\xE6\xAD", Encoding::Utf8, 0},
        {"four-byte sequence", "\xF0\xA0\x80\x80", Encoding::Utf8, 0},
        {"plain ASCII", "Title\nbody", Encoding::CodePage, 0},
        {"empty file", "", Encoding::CodePage, 0},
        {"GBK", gb("《书名》\n正文"), Encoding::CodePage, 0},
        {"GBK line that alone passes for UTF-8", gbk_then_broken, Encoding::CodePage, 0},
        {"overlong form", "\xC0\xAF", Encoding::CodePage, 0},
        {"encoded surrogate", "\xED\xA0\x80", Encoding::CodePage, 0},
        {"past U+10FFFF", "\xF4\x90\x80\x80", Encoding::CodePage, 0},
        {"only a cut-off sequence", "abc\xE6", Encoding::CodePage, 0},
    };
    for (const auto& c : cases) {
        const DetectedEncoding detected = detect_encoding(c.sample);
        EXPECT_EQ(detected.encoding, c.encoding) << c.what;
        EXPECT_EQ(detected.byte_order_mark_size, c.mark) << c.what;
    }
}

std::string utf16(std::string_view utf8, Encoding order) {
    const std::string mark = order == Encoding::Utf16LittleEndian ? "\xFF\xFE" : "\xFE\xFF";
    return mark + *convert_encoding(utf8, Encoding::Utf8, order);
}

struct FileCase {
    const char* what;
    std::string content;
    std::string renamed;  // UTF-8 name afterwards
};

TEST(RenameAll, GivesUnicodeNovelsReadableNames) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string long_utf8 = "《书名》" + std::string(600, 'x') + "\r\n";
    const std::string past_sample = "《书名》" + std::string(9000, 'x') + "\r\n";
    const std::string gbk_like_utf8 = "\xC4\xBF\xC4\xBF\r\n" + gb("正文，第一章");
    const FileCase cases[] = {
        {"UTF-8 title marks", "《斗破苍穹》\r\n正文", "斗破苍穹.txt"},
        {"UTF-8 square bracket", "[诛仙]/萧鼎\n正文", "诛仙.txt"},
        {"UTF-8 plain", "遮天\r\n正文", "遮天.txt"},
        {"UTF-8 mark, title marks", bom + "《斗破苍穹》\r\n", "斗破苍穹.txt"},
        {"UTF-8 mark, square bracket", bom + "[诛仙]/萧鼎\r\n", "诛仙.txt"},
        {"UTF-8 mark, plain", bom + "遮天\r\n", "遮天.txt"},
        {"UTF-16 LE", utf16("《斗破苍穹》\r\n正文", Encoding::Utf16LittleEndian), "斗破苍穹.txt"},
        {"UTF-16 BE", utf16("[诛仙]/萧鼎\r\n正文", Encoding::Utf16BigEndian), "诛仙.txt"},
        // 上 is U+4E0A: its low byte is a line feed, which must not end the line.
        {"UTF-16 LE line-feed byte", utf16("上海\r\n", Encoding::Utf16LittleEndian), "上海.txt"},
        {"UTF-8 line over 512 bytes", long_utf8, "书名.txt"},
        {"UTF-8 line past the sample", past_sample, "书名.txt"},
        {"GBK title marks", gb("《斗破苍穹》\r\n正文"), "斗破苍穹.txt"},
        {"GBK square bracket", gb("[诛仙]/萧鼎\r\n正文"), "诛仙.txt"},
        {"GBK whose first line passes for UTF-8", gbk_like_utf8, "目目.txt"},
    };
    for (const auto& c : cases) {
        const TempFolder folder;
        VectorFileList list({folder.write("1001.txt", c.content)});
        rename_all(list);
        EXPECT_EQ(folder.snapshot(), (Snapshot{{c.renamed, c.content}})) << c.what;
        EXPECT_EQ(list.entry(0), folder.text() + gb(c.renamed)) << c.what;
    }
}

TEST(RenameAll, GivesUnicodeNovelsNamesOutsideGbk) {
    VARENTIX_SKIP_WITHOUT_GB18030();
    const TempFolder folder;
    const std::string content = "《𠀀𪚥》\n";
    VectorFileList list({folder.write("1001.txt", content)});
    rename_all(list);
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"𠀀𪚥.txt", content}}));
}

TEST(RenameAll, LeavesUnicodeNovelsWithoutAUsableLineAlone) {
    const FileCase cases[] = {
        {"UTF-16 lone surrogate", std::string("\xFF\xFE\x00\xD8\n\0", 6), ""},
        {"UTF-8 mark and an empty line", "\xEF\xBB\xBF\r\n正文", ""},
        {"UTF-8 slash in a plain title", "上/下\n正文", ""},
    };
    for (const auto& c : cases) {
        const TempFolder folder;
        const Text path = folder.write("1001.txt", c.content);
        VectorFileList list({path});
        rename_all(list);
        EXPECT_EQ(folder.snapshot(), (Snapshot{{"1001.txt", c.content}})) << c.what;
        EXPECT_EQ(list.entry(0), path) << c.what;
    }
}

TEST(ReadFirstLineInCodePage, MatchesTheByteReaderForCodePageFiles) {
    const TempFolder folder;
    const std::string contents[] = {
        gb("《书名》\r\n正文"),
        std::string(9000, 'a') + "\x81\x0A" + "b\n",
        std::string(8191, 'a') + "\x81\x0A" + "b\n",
        std::string("ab\x81\0cd", 7),
    };
    for (const auto& content : contents) {
        const Text path = folder.write("1001.txt", content);
        EXPECT_EQ(read_first_line_in_code_page(path), read_first_line(path));
    }
}

struct LineCase {
    const char* what;
    std::string content;
    std::string line;  // in the code page
};

// Most files are decided by their first 512 bytes; the rest of the 8 KiB
// sample is read only when those are ASCII or valid UTF-8 so far.
TEST(ReadFirstLineInCodePage, DecidesAsTheWholeSampleWould) {
    const std::string a511(511, 'a');
    const std::string a600(600, 'a');
    const std::string utf8_then_gbk = "书" + std::string(600, 'a') + gb("名") + "\n";
    const LineCase cases[] = {
        {"GBK in the first block", gb("《书名》\r\n正文"), gb("《书名》")},
        {"GBK after an ASCII first block", a600 + gb("书名") + "\n", a600 + gb("书名")},
        {"UTF-8 after an ASCII first block", a600 + "书名\n", a600 + gb("书名")},
        {"UTF-8 cut by the first block's end", a511 + "书\n", a511 + gb("书")},
        {"UTF-8, then GBK past the first block", utf8_then_gbk, utf8_then_gbk.substr(0, 605)},
        {"short file", "Title\r\n", "Title"},
        // Read in the code page, 书's last byte takes the line feed with it.
        {"ASCII sample, UTF-8 past it", std::string(8192, 'a') + "书\n",
         std::string(8192, 'a') + "书\n"},
        // The sample ends inside 书: it is read whole, then the file is UTF-8.
        {"UTF-8 cut by the sample's end, one byte in", std::string(8191, 'a') + "书\n",
         std::string(8191, 'a') + gb("书")},
        {"UTF-8 cut by the sample's end, two bytes in", std::string(8190, 'a') + "书\n",
         std::string(8190, 'a') + gb("书")},
        {"GBK cut by the sample's end", std::string(8191, 'a') + gb("书") + "\n",
         std::string(8191, 'a') + gb("书")},
    };
    const TempFolder folder;
    for (const auto& c : cases) {
        const Text path = folder.write("1001.txt", c.content);
        EXPECT_EQ(read_first_line_in_code_page(path), c.line) << c.what;
    }
}

TEST(ReadFirstLineInCodePage, CompletesAFourByteSequenceCutByTheSample) {
    VARENTIX_SKIP_WITHOUT_GB18030();
    const TempFolder folder;
    const Text path = folder.write("1001.txt", std::string(8189, 'a') + "𠀀\n");
    EXPECT_EQ(read_first_line_in_code_page(path), std::string(8189, 'a') + gb("𠀀"));
}

// read_title keeps only what a title needs; it must give what the whole
// line gives.
TEST(ReadTitle, GivesTheTitleOfTheWholeLine) {
    const std::string far(20000, 'x');
    const std::string contents[] = {
        gb("《书名》\r\n正文"),
        "《书名》" + far + "\r\n",
        far + "《书名》\r\n",
        far + gb("《书名》") + "\r\n",
        utf16("《斗破苍穹》" + far + "》\r\n", Encoding::Utf16LittleEndian),
        utf16(far + "[𠀀𪚥]/x\r\n", Encoding::Utf16BigEndian),
        utf16(std::string(4095, 'x') + "[𠀀]/\r\n", Encoding::Utf16LittleEndian),
        std::string(8190, 'x') + "[书名]/" + "\r\n",
        far,
        std::string(1000, 'x') + "\r",
        std::string("\xFF\xFE\x00\xD8\n\0", 6),
        "\xEF\xBB\xBF" + far + "\xE6",
    };
    const TempFolder folder;
    Folder held;
    ASSERT_TRUE(held.hold(folder.text()));
    for (const auto& content : contents) {
        const Text path = folder.write("1001.txt", content);
        const Text line = read_first_line_in_code_page(path);
        Text expected = extract_title(line, detect_layout(line));
        if (expected.size() > kMaxTitleSize) expected.clear();
        EXPECT_EQ(read_title(held, "1001.txt"), expected) << content.size() << " bytes";
    }
}

}  // namespace
}  // namespace varentix
