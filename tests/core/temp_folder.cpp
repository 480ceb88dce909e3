#include "temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>

#include "core/batch_rename.h"
#include "core/codepage.h"

namespace varentix::testing {
namespace fs = std::filesystem;
namespace {

// Test names are UTF-8 whatever the platform's narrow code page is.
fs::path utf8_path(std::string_view utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string from_u8(const std::u8string& utf8) {
    return std::string(reinterpret_cast<const char*>(utf8.data()), utf8.size());
}

}  // namespace

Text gb(std::string_view utf8) {
    const auto text = utf8_to_text(utf8);
    if (!text) throw std::runtime_error("test text is not valid UTF-8");
    return *text;
}

TempFolder::TempFolder() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    path_ = fs::temp_directory_path() / ("varentix-test-" + std::to_string(random()));
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

Text TempFolder::text() const {
    return gb(path_.string()) + Text(kPathSeparator);
}

Text TempFolder::write(std::string_view utf8_name, std::string_view bytes) const {
    const fs::path file = path_ / utf8_path(utf8_name);
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write test file");
    return text() + gb(utf8_name);
}

Text TempFolder::make_folder(std::string_view utf8_name) const {
    fs::create_directories(path_ / utf8_path(utf8_name));
    return text() + gb(utf8_name);
}

std::map<std::string, std::string> TempFolder::snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(path_)) {
        const std::string name = from_u8(item.path().lexically_relative(path_).generic_u8string());
        if (item.is_directory())
            files[name + "/"] = "";
        else
            files[name] = read_bytes(item.path());
    }
    return files;
}

std::string read_bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace varentix::testing
