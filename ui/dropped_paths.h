#pragma once

// Which dropped paths may enter the list. A drag source hands over whatever
// it likes; only a path that names exactly one local file, the way the
// batch will read it, is taken.

#include <string_view>

namespace varentix {

// True for an absolute path that holds no CR, LF or NUL (a CR LF would
// split it into other paths in the files text, a NUL would cut it short)
// and whose file-system name fits the system's path limit.
[[nodiscard]] bool usable_dropped_path(std::string_view path);

}  // namespace varentix
