#pragma once

// The fallbacks rename_path takes on POSIX file systems that refuse an
// atomic no-replace rename. Declared here so they can be tested on their own.

namespace varentix::posix_detail {

// link() then unlink(): atomic about the target, but needs hard links.
// Falls back to rename_after_check() where the file system has none.
[[nodiscard]] bool rename_by_link(const char* from, const char* to);

// A no-follow existence check right before rename(). The last resort: a
// file created between the two steps could still be replaced.
[[nodiscard]] bool rename_after_check(const char* from, const char* to);

}  // namespace varentix::posix_detail
