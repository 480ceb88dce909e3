#include "core/batch_rename.h"

#include <algorithm>

#include "core/file_system.h"
#include "core/line_encoding.h"
#include "core/title.h"

namespace varentix {

bool holds_path_separator(std::string_view title) noexcept {
#ifdef _WIN32
    if (find_text(title, "/") != -1) return true;
#endif
    return find_text(title, kPathSeparator) != -1;
}

std::int32_t last_separator(std::string_view path) noexcept {
#ifdef _WIN32
    // "/" separates too, so the folder part ends at whichever comes last.
    return std::max(find_text_reverse(path, "\\"), find_text_reverse(path, "/"));
#else
    return find_text_reverse(path, kPathSeparator);
#endif
}

bool usable_title(std::string_view title) noexcept {
    // A nameless ".txt" would hide the file on Linux, and a separator would
    // let a file's own first line move it to another folder.
    if (title.empty() || holds_path_separator(title)) return false;
#ifndef _WIN32
    // "..txt" and ".Book.txt" are hidden files there too.
    if (title.front() == '.') return false;
#endif
    return true;
}

void rename_all(FileList& list) {
    const std::int32_t count = list.count();
    Folder folder;  // consecutive entries of one folder share it
    for (std::int32_t index = 0; index < count; ++index) {
        const Text path = replace_all(list.entry(index), "\r\n", "");
        const Text folder_part = text_left(path, last_separator(path));
        const std::string_view name = std::string_view(path).substr(folder_part.size());
        if (!folder.hold(folder_part)) continue;
        const Text title = read_title(folder, name);
        if (!usable_title(title)) continue;
        const Text new_name = concat(title, ".txt");
        if (folder.rename(name, new_name)) list.replace(index, concat(folder_part, new_name));
    }
}

}  // namespace varentix
