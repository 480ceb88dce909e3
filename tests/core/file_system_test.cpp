#include "core/file_system.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>

#include "core/codepage.h"
#include "core/file_system_posix.h"
#endif

namespace varentix {
namespace {

using testing::gb;
using testing::TempFolder;
using Snapshot = std::map<std::string, std::string>;

using RenameFunction = bool (*)(std::string_view, std::string_view);

#ifndef _WIN32
// The fallbacks take file-system names; these wrappers give them Texts.
bool by_link(std::string_view from, std::string_view to) {
    return posix_detail::rename_by_link(text_to_file_name(from)->c_str(),
                                        text_to_file_name(to)->c_str());
}
bool after_check(std::string_view from, std::string_view to) {
    return posix_detail::rename_after_check(text_to_file_name(from)->c_str(),
                                            text_to_file_name(to)->c_str());
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
#ifndef _WIN32
    {"link_then_unlink", &by_link},
    {"check_then_rename", &after_check},
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

}  // namespace
}  // namespace varentix
