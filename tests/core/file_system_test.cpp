#include "core/file_system.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

#include <functional>

#include "core/batch_rename.h"
#include "core/first_line.h"

#ifdef _WIN32
#include <windows.h>

#include "core/codepage.h"
#endif

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/codepage.h"
#include "core/file_system_posix.h"
#endif

namespace varentix {
namespace {

using testing::gb;
using testing::TempFolder;
using Snapshot = std::map<std::string, std::string>;

using RenameFunction = bool (*)(std::string_view, std::string_view);

// Through a held folder, as the batch renames: both paths lie in one folder.
bool in_folder(std::string_view from, std::string_view to) {
    const Text folder_part = text_left(from, last_separator(from));
    Folder folder;
    return folder.hold(folder_part) &&
           folder.rename(from.substr(folder_part.size()), to.substr(folder_part.size()));
}

#ifndef _WIN32
// The fallback takes file-system names; this wrapper gives it Texts.
bool into_placeholder(std::string_view from, std::string_view to) {
    return posix_detail::rename_into_placeholder(AT_FDCWD, text_to_file_name(from)->c_str(),
                                                 AT_FDCWD, text_to_file_name(to)->c_str());
}
#endif

struct Strategy {
    const char* name;
    RenameFunction rename;
};

class RenameStrategies : public ::testing::TestWithParam<Strategy> {};

TEST_P(RenameStrategies, MovesAFileToAFreeName) {
    const TempFolder folder;
    const Text from = folder.write("1001.txt", "Title\nbody");
    EXPECT_TRUE(GetParam().rename(from, folder.text() + gb("书名.txt")));
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"书名.txt", "Title\nbody"}}));
}

TEST_P(RenameStrategies, NeverReplacesAnExistingFile) {
    const TempFolder folder;
    const Text from = folder.write("1001.txt", "new");
    const Text to = folder.write("Book.txt", "old");
    const auto before = folder.snapshot();
    EXPECT_FALSE(GetParam().rename(from, to));
    EXPECT_EQ(folder.snapshot(), before);
}

TEST_P(RenameStrategies, FailsWithoutASourceOrATargetFolder) {
    const TempFolder folder;
    const Text from = folder.write("1001.txt", "x");
    const auto before = folder.snapshot();
    EXPECT_FALSE(GetParam().rename(folder.text() + "missing.txt", folder.text() + "a.txt"));
    EXPECT_FALSE(GetParam().rename(from, folder.text() + "no-such-folder/a.txt"));
    EXPECT_EQ(folder.snapshot(), before);
}

TEST_P(RenameStrategies, MovesAFolder) {
    const TempFolder folder;
    folder.write("inner.txt", "x");
    const Text from = folder.make_folder("novels");
    folder.write("novels/1.txt", "y");
    EXPECT_TRUE(GetParam().rename(from, folder.text() + "renamed"));
    EXPECT_EQ(folder.snapshot(),
              (Snapshot{{"inner.txt", "x"}, {"renamed/", ""}, {"renamed/1.txt", "y"}}));
}

const Strategy kStrategies[] = {
    {"rename_path", &rename_path},
    {"in_a_held_folder", &in_folder},
#ifndef _WIN32
    {"into_a_placeholder", &into_placeholder},
#endif
};

INSTANTIATE_TEST_SUITE_P(FileSystem, RenameStrategies, ::testing::ValuesIn(kStrategies),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RenamePath, RefusesNamesThatCannotBeConverted) {
    const TempFolder folder;
    const Text from = folder.write("1001.txt", "x");
    const auto before = folder.snapshot();
    EXPECT_FALSE(rename_path(from, folder.text() + "\x81.txt"));
    EXPECT_FALSE(rename_path(from, ""));
    EXPECT_EQ(folder.snapshot(), before);
}

TEST(InputFile, OpensOnlyExistingRegularFiles) {
    const TempFolder folder;
    EXPECT_TRUE(InputFile::open(folder.write("a.txt", "x")).has_value());
    EXPECT_FALSE(InputFile::open(folder.text() + "missing.txt").has_value());
    EXPECT_FALSE(InputFile::open(folder.make_folder("dir")).has_value());
#ifndef _WIN32
    // A FIFO would block a plain open() until someone writes to it.
    const Text fifo = folder.text() + "pipe.txt";
    ASSERT_EQ(::mkfifo(text_to_file_name(fifo)->c_str(), 0600), 0);
    EXPECT_FALSE(InputFile::open(fifo).has_value());
#endif
}

TEST(Folder, OpensAndRenamesByBareNames) {
    const TempFolder folder;
    folder.make_folder("sub");
    folder.write("sub/1001.txt", "Title\n");
    Folder held;
    ASSERT_TRUE(held.hold(folder.text() + "sub" + Text(kPathSeparator)));
    EXPECT_TRUE(held.open_file("1001.txt").has_value());
    EXPECT_FALSE(held.open_file("").has_value());
    EXPECT_FALSE(held.open_file("missing.txt").has_value());
    EXPECT_TRUE(held.rename("1001.txt", "Title.txt"));
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"sub/", ""}, {"sub/Title.txt", "Title\n"}}));
}

TEST(Folder, FailsEverythingWhenTheFolderCannotBeHeld) {
    const TempFolder folder;
    const Text file = folder.write("1001.txt", "x");
    Folder held;
    EXPECT_FALSE(held.hold(folder.text() + "missing" + Text(kPathSeparator)));
    EXPECT_FALSE(held.open_file("1001.txt").has_value());
    EXPECT_FALSE(held.rename("1001.txt", "a.txt"));
#ifndef _WIN32
    // A file is no folder to hold.
    EXPECT_FALSE(held.hold(file + Text(kPathSeparator)));
#endif
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"1001.txt", "x"}}));
}

#ifdef _WIN32
std::wstring wide(const Text& path) {
    return *text_to_file_name(path);
}

// Downloaders keep a novel open for writing while it grows; it is read all
// the same, and renamed once they let go.
TEST(InputFile, ReadsAFileAnotherProgramHoldsOpenForWriting) {
    const TempFolder folder;
    const Text path = folder.write("1001.txt", "Title\nbody");
    const HANDLE writer =
        CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(read_first_line(path), "Title");
    CloseHandle(writer);
}

// Past MAX_PATH a name fails plainly: nothing is read or moved.
TEST(RenamePath, RefusesPathsPastTheLimit) {
    const TempFolder folder;
    const Text from = folder.write("1001.txt", "Title\n");
    const Text long_name = folder.text() + std::string(300, 'x') + ".txt";
    const auto before = folder.snapshot();
    EXPECT_FALSE(rename_path(from, long_name));
    EXPECT_FALSE(InputFile::open(long_name).has_value());
    EXPECT_EQ(folder.snapshot(), before);
}
#endif

#ifndef _WIN32
// Another program, acting between the placeholder's creation and the rename.
std::function<void(const char* to)> other_program;

class Placeholder : public ::testing::Test {
protected:
    Placeholder() {
        posix_detail::set_race_hook([](const char* to) { other_program(to); });
    }
    ~Placeholder() override {
        posix_detail::set_race_hook(nullptr);
        other_program = nullptr;
    }
    const TempFolder folder;
};

void write_file(const char* name, std::string_view bytes) {
    const int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

TEST_F(Placeholder, KeepsWhatAnotherProgramWroteAtTheTarget) {
    const Text from = folder.write("1001.txt", "novel");
    other_program = [](const char* to) { write_file(to, "theirs"); };
    EXPECT_FALSE(into_placeholder(from, folder.text() + "Title.txt"));
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"1001.txt", "novel"}, {"Title.txt", "theirs"}}));
}

TEST_F(Placeholder, KeepsAFileAnotherProgramMovedOntoTheTarget) {
    const Text from = folder.write("1001.txt", "novel");
    const Text theirs = folder.write("theirs.tmp", "");  // empty, as the placeholder is
    other_program = [&theirs](const char* to) {
        ASSERT_EQ(::rename(text_to_file_name(theirs)->c_str(), to), 0);
    };
    EXPECT_FALSE(into_placeholder(from, folder.text() + "Title.txt"));
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"1001.txt", "novel"}, {"Title.txt", ""}}));
}

TEST_F(Placeholder, RemovesItsPlaceholderWhenTheSourceVanished) {
    const Text from = folder.write("1001.txt", "novel");
    other_program = [&from](const char*) {
        ASSERT_EQ(::unlink(text_to_file_name(from)->c_str()), 0);
    };
    EXPECT_FALSE(into_placeholder(from, folder.text() + "Title.txt"));
    EXPECT_EQ(folder.snapshot(), Snapshot{});
}

TEST_F(Placeholder, GivesTheTitleToAFileThatReplacedTheSource) {
    const Text from = folder.write("1001.txt", "novel");
    other_program = [&from](const char*) { write_file(text_to_file_name(from)->c_str(), "new"); };
    EXPECT_TRUE(into_placeholder(from, folder.text() + "Title.txt"));
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"Title.txt", "new"}}));
}

TEST_F(Placeholder, NeverPutsAFolderOverAFile) {
    const Text from = folder.make_folder("novels");
    folder.write("novels/1.txt", "y");
    other_program = [](const char* to) {
        ASSERT_EQ(::rmdir(to), 0);
        write_file(to, "theirs");
    };
    EXPECT_FALSE(into_placeholder(from, folder.text() + "renamed"));
    EXPECT_EQ(folder.snapshot(),
              (Snapshot{{"novels/", ""}, {"novels/1.txt", "y"}, {"renamed", "theirs"}}));
}
#endif

}  // namespace
}  // namespace varentix
