#include "ui/dropped_paths.h"

#include <climits>

#include "core/codepage.h"

namespace varentix {
namespace {

#ifdef _WIN32
// Long paths are not enabled for the program: MAX_PATH, its NUL included.
constexpr std::size_t kPathLimit = 260;

bool is_absolute(std::string_view path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    const bool share = path.starts_with("\\\\");
    return drive || share;
}
#else
constexpr std::size_t kPathLimit = PATH_MAX;  // its NUL included

bool is_absolute(std::string_view path) {
    return path.starts_with('/');
}
#endif

}  // namespace

bool usable_dropped_path(std::string_view path) {
    if (!is_absolute(path) || path.find_first_of(std::string_view("\r\n\0", 3)) != path.npos)
        return false;
    const auto name = text_to_file_name(path);
    return name && name->size() < kPathLimit;
}

}  // namespace varentix
