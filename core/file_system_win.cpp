#include <windows.h>

#include <utility>

#include "core/codepage.h"
#include "core/file_system.h"

namespace varentix {
namespace {

HANDLE as_handle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The program does not opt into long paths: a name of MAX_PATH or more is
// refused here, the same on every system, rather than reaching the API.
std::optional<std::wstring> file_name(std::string_view text) {
    auto name = text_to_file_name(text);
    if (!name || name->empty() || name->size() >= MAX_PATH) return std::nullopt;
    return name;
}

}  // namespace

std::optional<InputFile> InputFile::open(std::string_view path) {
    const auto name = file_name(path);
    if (!name) return std::nullopt;
    // Folders need FILE_FLAG_BACKUP_SEMANTICS to open, so they fail here.
    const HANDLE handle = CreateFileW(name->c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return std::nullopt;
    }
    return InputFile(reinterpret_cast<std::intptr_t>(handle));
}

void InputFile::close() noexcept {
    if (handle_ != kClosed) CloseHandle(as_handle(std::exchange(handle_, kClosed)));
}

std::ptrdiff_t InputFile::read(char* buffer, std::size_t size) {
    DWORD got = 0;
    if (!ReadFile(as_handle(handle_), buffer, static_cast<DWORD>(size), &got, nullptr)) return -1;
    return static_cast<std::ptrdiff_t>(got);
}

bool rename_path(std::string_view from, std::string_view to) {
    const auto old_name = file_name(from);
    const auto new_name = file_name(to);
    if (!old_name || !new_name) return false;
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
    return MoveFileExW(old_name->c_str(), new_name->c_str(), 0) != 0;
}

// The Win32 calls take full paths only, so the folder is kept as its path.
Folder::~Folder() {
    release();
}

void Folder::release() noexcept {
    held_ = false;
}

bool Folder::hold(std::string_view path) {
    if (held_ && path == path_) return true;
    path_.assign(path);
    held_ = false;
    if (!path.empty()) {
        const auto name = text_to_file_name(path);
        if (!name) return false;
        const DWORD attributes = GetFileAttributesW(name->c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return false;
    }
    held_ = true;
    return true;
}

std::optional<InputFile> Folder::open_file(std::string_view name) const {
    if (!held_) return std::nullopt;
    return InputFile::open(concat(path_, name));
}

bool Folder::rename(std::string_view from, std::string_view to) const {
    return held_ && rename_path(concat(path_, from), concat(path_, to));
}

}  // namespace varentix
