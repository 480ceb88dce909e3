#include "core/codepage.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace varentix {
namespace {

struct ConversionCase {
    const char* what;
    std::string_view code_page;
    std::string_view utf8;
};

TEST(Codepage, RoundTripsBetweenGb18030AndUtf8) {
    const ConversionCase cases[] = {
        {"ASCII", "Book 1", "Book 1"},        {"title marks", "\xA1\xB6\xA1\xB7", "《》"},
        {"GBK", "\xD6\xD0\xCE\xC4", "中文"},  {"second byte [", "\x81\x5B", "乕"},
        {"second byte \\", "\x81\x5C", "乗"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8_to_text(c.utf8), std::optional<std::string>(c.code_page)) << c.what;
        EXPECT_EQ(text_to_utf8(c.code_page), std::optional<std::string>(c.utf8)) << c.what;
    }
}

TEST(Codepage, RoundTripsWhatOnlyGb18030Holds) {
    VARENTIX_SKIP_WITHOUT_GB18030();
    const ConversionCase cases[] = {
        {"outside GBK (U+20000)", "\x95\x32\x82\x36", "𠀀"},
        {"euro sign", "\xA2\xE3", "€"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8_to_text(c.utf8), std::optional<std::string>(c.code_page)) << c.what;
        EXPECT_EQ(text_to_utf8(c.code_page), std::optional<std::string>(c.utf8)) << c.what;
    }
}

TEST(Codepage, RefusesInvalidInputInsteadOfGuessing) {
    EXPECT_EQ(text_to_utf8("ab\x81"), std::nullopt) << "cut-off character";
    EXPECT_EQ(utf8_to_text("\xC3("), std::nullopt) << "broken UTF-8";
    EXPECT_EQ(convert_encoding(std::string("\x00\xD8", 2), Encoding::Utf16LittleEndian,
                               Encoding::CodePage),
              std::nullopt)
        << "lone surrogate";
}

TEST(Codepage, ReadsUtf16InBothByteOrders) {
    const std::string little("\x2D\x4E\x87\x65", 4);  // 中文
    const std::string big("\x4E\x2D\x65\x87", 4);
    EXPECT_EQ(convert_encoding(little, Encoding::Utf16LittleEndian, Encoding::CodePage),
              std::optional<std::string>("\xD6\xD0\xCE\xC4"));
    EXPECT_EQ(convert_encoding(big, Encoding::Utf16BigEndian, Encoding::CodePage),
              std::optional<std::string>("\xD6\xD0\xCE\xC4"));
}

}  // namespace
}  // namespace varentix
