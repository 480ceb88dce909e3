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

bool means_unsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

}  // namespace

std::optional<InputFile> InputFile::open(std::string_view path) {
    const auto name = text_to_file_name(path);
    if (!name || name->empty()) return std::nullopt;
    // O_NONBLOCK keeps open() from waiting on a FIFO; the type check below
    // then turns it away.
    const int fd = ::open(name->c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
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
    const auto old_name = text_to_file_name(from);
    const auto new_name = text_to_file_name(to);
    if (!old_name || !new_name || old_name->empty() || new_name->empty()) return false;
    if (::renameat2(AT_FDCWD, old_name->c_str(), AT_FDCWD, new_name->c_str(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (!means_unsupported(errno)) return false;
    return posix_detail::rename_by_link(old_name->c_str(), new_name->c_str());
}

namespace posix_detail {

bool rename_by_link(const char* from, const char* to) {
    if (::link(from, to) != 0) {
        // Folders cannot be hard-linked, and some file systems (FAT, many
        // network shares) have no hard links at all.
        if (errno == EPERM || means_unsupported(errno)) return rename_after_check(from, to);
        return false;
    }
    if (::unlink(from) == 0) return true;
    ::unlink(to);  // leave the file under its old name only
    return false;
}

bool rename_after_check(const char* from, const char* to) {
    struct stat info {};
    if (::lstat(to, &info) == 0 || errno != ENOENT) return false;
    return ::rename(from, to) == 0;
}

}  // namespace posix_detail
}  // namespace varentix
