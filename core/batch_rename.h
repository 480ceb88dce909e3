#pragma once

// Renaming every listed novel, inside its own folder, to the title its
// first line carries.

#include <string_view>

#include "core/file_list.h"
#include "core/text.h"

namespace varentix {

#ifdef _WIN32
inline constexpr std::string_view kPathSeparator = "\\";
#else
inline constexpr std::string_view kPathSeparator = "/";
#endif

// True when the title would name a path rather than a file: it holds a
// separator of the platform (on Windows "/" as well as "\"), searched by
// characters so the second byte of a Chinese character never counts.
[[nodiscard]] bool holds_path_separator(std::string_view title) noexcept;

// For each entry present when called, in order: removes every CR LF from
// the path, reads the file's first line in the program's code page
// (converting UTF-8 and UTF-16 novels), cuts out its title and renames the
// file to folder + title + ".txt". The entry is replaced by the new path
// only when the rename succeeded. An empty title, or one that would leave
// the folder, renames nothing. A failure never stops the loop and nothing
// is reported; every entry is attempted once.
void rename_all(FileList& list);

}  // namespace varentix
