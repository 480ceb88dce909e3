#include "core/batch_rename.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace varentix {
namespace {

using testing::gb;
using testing::TempFolder;
using Snapshot = std::map<std::string, std::string>;

// "《" + title + "》" in GBK, as most downloaded novels begin.
std::string marked(std::string_view utf8_title) {
    return gb("《") + gb(utf8_title) + gb("》");
}

// 60 Chinese characters: 120 bytes in GBK, 180 in a UTF-8 file name.
std::string long_title() {
    std::string title;
    for (int i = 0; i < 60; ++i) title += "书";
    return title;
}

// A first line over 512 bytes whose title starts at an odd offset, so that
// one of its characters straddles the edge of the first 512-byte block.
std::string long_first_line() {
    return std::string(401, 'x') + marked(long_title()) + std::string(200, 'y') + "\r\nbody";
}

struct RenameCase {
    const char* what;
    std::string content;  // the file 1001.txt
    const char* renamed;  // its name afterwards, UTF-8
};

TEST(RenameAll, RenamesEachLayoutAndKeepsTheBytes) {
    const RenameCase cases[] = {
        {"title marks", marked("斗破苍穹") + "\r\n正文", "斗破苍穹.txt"},
        {"marks inside a line", gb("书名：《凡人修仙传》作者：忘语") + "\n", "凡人修仙传.txt"},
        {"square bracket", gb("[诛仙]/萧鼎") + "\r\n", "诛仙.txt"},
        {"plain", gb("遮天") + "\r\nbody", "遮天.txt"},
        {"plain with CR LF", "Title\r\nbody", "Title.txt"},
        {"second byte [ in a plain title", "\x81\x5Bxy\n", "乕xy.txt"},
        {"second byte \\ in a plain title", "\x81\x5Cxy\n", "乗xy.txt"},
        {"title across the first block edge", long_first_line(), nullptr},
    };
    for (const auto& c : cases) {
        const TempFolder folder;
        VectorFileList list({folder.write("1001.txt", c.content)});
        rename_all(list);
        const std::string expected = c.renamed ? std::string(c.renamed) : long_title() + ".txt";
        EXPECT_EQ(folder.snapshot(), (Snapshot{{expected, c.content}})) << c.what;
        EXPECT_EQ(list.entry(0), folder.text() + gb(expected)) << c.what;
    }
}

TEST(RenameAll, RenamesToCharactersOutsideGbk) {
    VARENTIX_SKIP_WITHOUT_GB18030();
    const TempFolder folder;
    const std::string content = marked("𠀀𪚥") + "\n";
    VectorFileList list({folder.write("1001.txt", content)});
    rename_all(list);
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"𠀀𪚥.txt", content}}));
    EXPECT_EQ(list.entry(0), folder.text() + gb("𠀀𪚥.txt"));
}

TEST(RenameAll, LeavesFilesAloneWhenNoSafeNameComesOut) {
    const RenameCase cases[] = {
        {"leading line feed", "\nTitle", nullptr},
        {"empty file", "", nullptr},
        {"no closing mark", gb("《书名") + "\n", nullptr},
        {"bracket without slash", "[Title]\n", nullptr},
        {"last slash decides: Title]/", "[Title]/A/B\n", nullptr},
        {"climbs out of the folder", "[../x]/y\n", nullptr},
        {"slash in a plain title", "x/b\n", nullptr},
        {"UTF-16 without a readable line", std::string("\xFF\xFE\n\0", 4), nullptr},
        {"too long for any file name", std::string(1021, 'x') + "\n", nullptr},
        {"too long, far into the file", "[" + std::string(100000, 'x') + "]/", nullptr},
#ifndef _WIN32
        // "..txt", "...txt" and ".x.txt" would be hidden files.
        {"title .", ".\n", nullptr},
        {"title ..", "..\n", nullptr},
        {"title starting with a dot", gb("《.隐藏》") + "\n", nullptr},
#endif
    };
    for (const auto& c : cases) {
        const TempFolder folder;
        folder.make_folder("x");
        const Text path = folder.write("1001.txt", c.content);
        const auto before = folder.snapshot();
        VectorFileList list({path});
        rename_all(list);
        EXPECT_EQ(folder.snapshot(), before) << c.what;
        EXPECT_EQ(list.entry(0), path) << c.what;
    }
}

TEST(RenameAll, NeverReplacesAFileWithTheSameTitle) {
    const TempFolder folder;
    const std::string first = marked("书") + "\nfirst";
    const std::string second = marked("书") + "\nsecond";
    const std::string existing = "already here";
    VectorFileList list({folder.write("1.txt", first), folder.write("2.txt", second),
                         folder.write("3.txt", "Taken\n")});
    folder.write("Taken.txt", existing);
    rename_all(list);
    EXPECT_EQ(
        folder.snapshot(),
        (Snapshot{
            {"书.txt", first}, {"2.txt", second}, {"3.txt", "Taken\n"}, {"Taken.txt", existing}}));
    EXPECT_EQ(list.entries(),
              (std::vector<Text>{folder.text() + gb("书.txt"), folder.text() + "2.txt",
                                 folder.text() + "3.txt"}));
}

TEST(RenameAll, HandlesOddEntriesSafely) {
    const TempFolder folder;
    const Text missing = folder.text() + "missing.txt";
    const Text dropped_folder = folder.make_folder("dropped");
    const Text twice = folder.write("1.txt", "Twice\n");
    const Text with_crlf = folder.write("2.txt", "Crlf\n");
    const Text split_entry = with_crlf.substr(0, 5) + "\r\n" + with_crlf.substr(5);
    VectorFileList list({missing, dropped_folder, twice, twice, split_entry});
    rename_all(list);
    EXPECT_EQ(folder.snapshot(),
              (Snapshot{{"dropped/", ""}, {"Twice.txt", "Twice\n"}, {"Crlf.txt", "Crlf\n"}}));
    EXPECT_EQ(list.entries(),
              (std::vector<Text>{missing, dropped_folder, folder.text() + "Twice.txt", twice,
                                 folder.text() + "Crlf.txt"}));
}

TEST(RenameAll, RenamesAnEntryWithoutSeparatorInTheCurrentFolder) {
    const TempFolder folder;
    folder.write("1001.txt", "[Here]/x\n");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    VectorFileList list({"1001.txt"});
    rename_all(list);
    std::filesystem::current_path(previous);
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"Here.txt", "[Here]/x\n"}}));
    EXPECT_EQ(list.entry(0), "Here.txt");
}

TEST(RenameAll, WorksInFoldersNamedOutsideGbk) {
    VARENTIX_SKIP_WITHOUT_GB18030();
    const TempFolder folder;
    folder.make_folder("𠀀小说");
    const Text path = folder.write("𠀀小说/1001.txt", marked("书名") + "\n");
    VectorFileList list({path});
    rename_all(list);
    EXPECT_EQ(folder.snapshot(),
              (Snapshot{{"𠀀小说/", ""}, {"𠀀小说/书名.txt", marked("书名") + "\n"}}));
    EXPECT_EQ(list.entry(0), folder.text() + gb("𠀀小说/书名.txt"));
}

TEST(RenameAll, RenamesEachFileInItsOwnFolderWhateverTheOrder) {
    const TempFolder folder;
    folder.make_folder("a");
    folder.make_folder("b");
    const std::string a = "a" + std::string(kPathSeparator);
    const std::string b = "b" + std::string(kPathSeparator);
    VectorFileList list({folder.write(a + "1.txt", "A1\n"), folder.write(b + "1.txt", "B1\n"),
                         folder.write(a + "2.txt", "A2\n"), folder.write(a + "3.txt", "A3\n"),
                         folder.write("1.txt", "Top\n")});
    rename_all(list);
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"a/", ""},
                                           {"a/A1.txt", "A1\n"},
                                           {"a/A2.txt", "A2\n"},
                                           {"a/A3.txt", "A3\n"},
                                           {"b/", ""},
                                           {"b/B1.txt", "B1\n"},
                                           {"Top.txt", "Top\n"}}));
    EXPECT_EQ(list.entries(),
              (std::vector<Text>{folder.text() + a + "A1.txt", folder.text() + b + "B1.txt",
                                 folder.text() + a + "A2.txt", folder.text() + a + "A3.txt",
                                 folder.text() + "Top.txt"}));
}

#ifdef _WIN32
// "/" separates on Windows too: a file named with one stays in its folder.
TEST(RenameAll, KeepsAFileInTheFolderASlashNames) {
    const TempFolder folder;
    folder.make_folder("sub");
    const Text entry = folder.text() + "sub/1001.txt";
    folder.write("sub/1001.txt", "[Slash]/x\n");
    VectorFileList list({entry});
    rename_all(list);
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"sub/", ""}, {"sub/Slash.txt", "[Slash]/x\n"}}));
    EXPECT_EQ(list.entry(0), folder.text() + "sub/Slash.txt");
}
#endif

#ifdef _WIN32
// A folder whose name the code page cannot hold, or a path past MAX_PATH:
// the entry fails plainly and is left as it was; no name is ever guessed.
TEST(RenameAll, LeavesEntriesTheWindowsCodePageOrPathLimitCannotTakeAlone) {
    const TempFolder folder;
    const std::string deep = std::string(120, 'd') + "\\" + std::string(120, 'e');
    folder.make_folder(deep);
    const Text long_path = folder.write(deep + "\\1001.txt", "Title\n");
    VectorFileList list({long_path});
    if (!code_page_is_gb18030()) {
        // Made through UTF-16, so it exists on disk though no Text can name it.
        std::filesystem::create_directory(folder.path() / std::filesystem::path(u8"𠀀"));
        list.append(folder.text() + "\x95\x32\x82\x36\\1.txt");
    }
    const auto entries = list.entries();
    rename_all(list);
    EXPECT_EQ(list.entries(), entries);
    // Only the long form of the path can see the file still where it was.
    const std::wstring long_form = L"\\\\?\\" + *text_to_file_name(long_path);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(long_form)));
}
#endif

/// A list that grows while it is walked: only the entries present at the
/// start are visited.
class GrowingList final : public FileList {
public:
    explicit GrowingList(Text first) { inner_.append(first); }
    std::int32_t count() const override { return inner_.count(); }
    Text entry(std::int32_t index) const override {
        const_cast<GrowingList*>(this)->inner_.append(inner_.entry(index));
        return inner_.entry(index);
    }
    void append(const Text& text) override { inner_.append(text); }
    void replace(std::int32_t index, const Text& text) override { inner_.replace(index, text); }
    void remove_all() override { inner_.remove_all(); }
    VectorFileList inner_;
};

TEST(RenameAll, TakesTheEntryCountOnce) {
    const TempFolder folder;
    GrowingList list(folder.write("1.txt", "Once\n"));
    rename_all(list);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.entry(0), folder.text() + "Once.txt");
}

}  // namespace
}  // namespace varentix
