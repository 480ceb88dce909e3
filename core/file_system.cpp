#include "core/file_system.h"

#include <utility>

namespace varentix {

InputFile::InputFile(InputFile&& other) noexcept : handle_(std::exchange(other.handle_, kClosed)) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, kClosed);
    }
    return *this;
}

InputFile::~InputFile() {
    close();
}

}  // namespace varentix
