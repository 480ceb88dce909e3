#include "core/batch_rename.h"

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

void rename_all(FileList& list) {
    const std::int32_t count = list.count();
    for (std::int32_t index = 0; index < count; ++index) {
        const Text path = replace_all(list.entry(index), "\r\n", "");
        const Text folder = text_left(path, find_text_reverse(path, kPathSeparator));
        const Text line = read_first_line_in_code_page(path);
        const Text title = extract_title(line, detect_layout(line));
        // A nameless ".txt" would hide the file on Linux, and a separator
        // would let a file's own first line move it to another folder.
        if (title.empty() || holds_path_separator(title)) continue;
        const Text renamed = concat(folder, title, ".txt");
        if (rename_path(path, renamed)) list.replace(index, renamed);
    }
}

}  // namespace varentix
