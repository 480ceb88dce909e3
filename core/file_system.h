#pragma once

// The two places where the renamer touches the disk: reading a file and
// moving it. Paths are Texts; each is converted to the file system's own
// name here and nowhere else, and a path that cannot be converted is never
// guessed at: the operation fails instead.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/text.h"

namespace varentix {

class Folder;

// An existing regular file opened read-only, letting others read and write
// it meanwhile. Closed when the object goes.
class InputFile {
public:
    // std::nullopt when the path does not name an existing regular file or
    // it cannot be opened. Folders, pipes and devices are refused, so that a
    // dropped FIFO can never block the batch.
    [[nodiscard]] static std::optional<InputFile> open(std::string_view path);

    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // Up to `size` bytes; 0 at the end of the file, -1 when reading fails.
    [[nodiscard]] std::ptrdiff_t read(char* buffer, std::size_t size);

private:
    friend class Folder;

    // A closed file; also INVALID_HANDLE_VALUE on Windows.
    static constexpr std::intptr_t kClosed = -1;

    explicit InputFile(std::intptr_t handle) noexcept : handle_(handle) {}
    void close() noexcept;

    std::intptr_t handle_;
};

// Moves a file or folder to `to` in one step. Never replaces anything that
// exists at `to`, not even a file that appears there at the last moment,
// and never creates folders. False when nothing was moved.
[[nodiscard]] bool rename_path(std::string_view from, std::string_view to);

// The folder a batch is working in, held open so that the files in it are
// read and renamed by their bare names: the system then walks the folder's
// path once, not once for every file and every step. On Windows it keeps
// the folder's path and the operations take full paths.
class Folder {
public:
    Folder() = default;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder();

    // Makes `path` the folder (a Text ending with the separator, or empty
    // for the current folder). Holding the folder already held costs
    // nothing. False, and every operation below fails, when the folder
    // cannot be opened.
    bool hold(std::string_view path);

    // InputFile::open and rename_path for names inside the folder.
    [[nodiscard]] std::optional<InputFile> open_file(std::string_view name) const;
    [[nodiscard]] bool rename(std::string_view from, std::string_view to) const;

private:
    void release() noexcept;

    Text path_;
    bool held_ = false;
    std::intptr_t handle_ = -1;  // the folder's descriptor on POSIX
};

}  // namespace varentix
