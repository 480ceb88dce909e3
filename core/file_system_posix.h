#pragma once

// How rename_path moves a file without ever replacing what is at the target,
// on every POSIX file system. Declared here so the steps can be tested on
// their own.

namespace varentix::posix_detail {

// renameat2(RENAME_NOREPLACE), or, where the file system refuses it (exFAT
// and NTFS through FUSE, some network shares), rename_into_placeholder().
[[nodiscard]] bool rename_no_replace(int from_folder, const char* from, int to_folder,
                                     const char* to);

// Claims the target by creating it exclusively, as an empty file (a folder
// when moving a folder), then renames the source over that placeholder.
// Whatever another program does meanwhile, nothing but our own placeholder
// is ever replaced: the rename is not made when the placeholder is no
// longer ours and empty, and the placeholder is removed when the rename
// fails.
[[nodiscard]] bool rename_into_placeholder(int from_folder, const char* from, int to_folder,
                                           const char* to);

// Called between claiming the placeholder and the rename; tests set it to
// play another program that acts at the worst moment.
using RaceHook = void (*)(const char* to);
void set_race_hook(RaceHook hook) noexcept;

}  // namespace varentix::posix_detail
