#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "core/codepage.h"
#include "core/file_system.h"
#include "core/file_system_posix.h"

namespace varentix {
namespace {

#ifdef O_PATH
// A folder held only to name files relative to it needs no read access.
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

posix_detail::RaceHook race_hook = nullptr;

bool means_unsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

// The regular file `path` names, relative to `folder` (AT_FDCWD for the
// current one), opened read-only; -1 when it cannot be. O_NONBLOCK keeps
// open() from waiting on a FIFO; the type check then turns it away, with
// folders and devices.
int open_regular(int folder, std::string_view path) {
    const auto name = text_to_file_name(path);
    if (!name || name->empty()) return -1;
    const int fd = ::openat(folder, name->c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// rename_no_replace for two paths relative to one folder.
bool rename_within(int folder, std::string_view from, std::string_view to) {
    const auto old_name = text_to_file_name(from);
    const auto new_name = text_to_file_name(to);
    if (!old_name || !new_name || old_name->empty() || new_name->empty()) return false;
    return posix_detail::rename_no_replace(folder, old_name->c_str(), folder, new_name->c_str());
}

bool same_object(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::optional<InputFile> InputFile::open(std::string_view path) {
    const int fd = open_regular(AT_FDCWD, path);
    if (fd < 0) return std::nullopt;
    return InputFile(fd);
}

void InputFile::close() noexcept {
    if (handle_ != kClosed) ::close(static_cast<int>(std::exchange(handle_, kClosed)));
}

std::ptrdiff_t InputFile::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(handle_), buffer, size);
        if (got >= 0 || errno != EINTR) return got;
    }
}

bool rename_path(std::string_view from, std::string_view to) {
    return rename_within(AT_FDCWD, from, to);
}

Folder::~Folder() {
    release();
}

void Folder::release() noexcept {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));  // AT_FDCWD is negative
    handle_ = -1;
    held_ = false;
}

bool Folder::hold(std::string_view path) {
    if (held_ && path == path_) return true;
    release();
    path_.assign(path);
    if (path.empty()) {
        handle_ = AT_FDCWD;
    } else {
        const auto name = text_to_file_name(path);
        if (!name) return false;
        const int fd = ::open(name->c_str(), kFolderFlags);
        if (fd < 0) return false;
        handle_ = fd;
    }
    held_ = true;
    return true;
}

std::optional<InputFile> Folder::open_file(std::string_view name) const {
    const int fd = held_ ? open_regular(static_cast<int>(handle_), name) : -1;
    if (fd < 0) return std::nullopt;
    return InputFile(fd);
}

bool Folder::rename(std::string_view from, std::string_view to) const {
    return held_ && rename_within(static_cast<int>(handle_), from, to);
}

namespace posix_detail {

bool rename_no_replace(int from_folder, const char* from, int to_folder, const char* to) {
    if (::renameat2(from_folder, from, to_folder, to, RENAME_NOREPLACE) == 0) return true;
    if (!means_unsupported(errno)) return false;
    return rename_into_placeholder(from_folder, from, to_folder, to);
}

bool rename_into_placeholder(int from_folder, const char* from, int to_folder, const char* to) {
    struct stat source {};
    if (::fstatat(from_folder, from, &source, AT_SYMLINK_NOFOLLOW) != 0) return false;
    const bool moving_folder = S_ISDIR(source.st_mode);
    struct stat claimed {};
    if (moving_folder) {
        // A folder is only ever renamed over an empty folder.
        if (::mkdirat(to_folder, to, 0700) != 0) return false;
        if (::fstatat(to_folder, to, &claimed, AT_SYMLINK_NOFOLLOW) != 0) {
            ::unlinkat(to_folder, to, AT_REMOVEDIR);
            return false;
        }
    } else {
        const int fd =
            ::openat(to_folder, to, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) return false;
        const bool known = ::fstat(fd, &claimed) == 0;
        ::close(fd);
        if (!known) {
            ::unlinkat(to_folder, to, 0);
            return false;
        }
    }
    const auto placeholder_is_ours = [&] {
        struct stat now {};
        return ::fstatat(to_folder, to, &now, AT_SYMLINK_NOFOLLOW) == 0 &&
               same_object(now, claimed) && (moving_folder || now.st_size == 0);
    };
    const auto remove_placeholder = [&] {
        // rmdir never removes a folder that something was put into.
        ::unlinkat(to_folder, to, moving_folder ? AT_REMOVEDIR : 0);
    };

    if (race_hook != nullptr) race_hook(to);

    // Another program wrote into the placeholder or put its own file there:
    // what is there now is theirs, so it is neither replaced nor removed.
    if (!placeholder_is_ours()) return false;
    if (::renameat(from_folder, from, to_folder, to) == 0) return true;
    if (placeholder_is_ours()) remove_placeholder();
    return false;
}

void set_race_hook(RaceHook hook) noexcept {
    race_hook = hook;
}

}  // namespace posix_detail
}  // namespace varentix
