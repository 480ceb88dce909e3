#pragma once

// Renaming every listed novel, inside its own folder, to the title its
// first line carries.

#include <cstdint>
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

// The 1-based position of the separator that ends the path's folder part,
// or -1. On Windows that is the last "\" or "/", whichever comes later.
[[nodiscard]] std::int32_t last_separator(std::string_view path) noexcept;

// False for a title that must not become a name: the empty title, one that
// holds a separator, and on Linux one that would make a hidden file.
[[nodiscard]] bool usable_title(std::string_view title) noexcept;

// For each entry present when called, in order: removes every CR LF from
// the path, reads the file's first line in the program's code page
// (converting UTF-8 and UTF-16 novels), cuts out its title and renames the
// file to folder + title + ".txt". The entry is replaced by the new path
// only when the rename succeeded. An empty title, one that would leave the
// folder, and one too long for any file name rename nothing. A failure
// never stops the loop and nothing is reported; every entry is attempted
// once.
void rename_all(FileList& list);

}  // namespace varentix
