#pragma once

// A fresh folder per test, removed with everything in it afterwards. Names
// on disk are UTF-8 here; the helpers take and give the program's Texts.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "core/codepage.h"
#include "core/text.h"

namespace varentix::testing {

// GB18030 bytes of a UTF-8 literal, for writing Chinese test data legibly.
Text gb(std::string_view utf8);

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path as a Text, with a trailing separator.
    [[nodiscard]] Text text() const;
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

    // Writes a file (name in UTF-8) and returns its full path as a Text.
    Text write(std::string_view utf8_name, std::string_view bytes) const;
    Text make_folder(std::string_view utf8_name) const;

    // Every file below the folder (names relative, UTF-8) with its bytes;
    // folders appear with a trailing "/" and no bytes.
    [[nodiscard]] std::map<std::string, std::string> snapshot() const;

private:
    std::filesystem::path path_;
};

std::string read_bytes(const std::filesystem::path& file);

}  // namespace varentix::testing

// Characters outside GBK have no Text where the program's code page falls
// back to GBK (Windows systems without code page 54936, Wine 8 among them).
#define VARENTIX_SKIP_WITHOUT_GB18030()                                                     \
    if (!::varentix::code_page_is_gb18030())                                                \
    GTEST_SKIP() << "the program's code page here is GBK (936), which holds no characters " \
                    "outside GBK"

namespace varentix::testing {}  // namespace varentix::testing
