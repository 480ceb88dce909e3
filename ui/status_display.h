#pragma once

// The status group of the window, as the import and rename actions drive it.

#include "core/text.h"

namespace varentix {

class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;

    // "未导入" in blue (0, 136, 255): the colour is set before the text.
    virtual void show_not_imported() = 0;
    // "成功导入"; the colour stays as it is.
    virtual void show_imported() = 0;
    // "完成", then red (255, 0, 0).
    virtual void show_done() = 0;
    virtual void show_count(const Text& count) = 0;

protected:
    StatusDisplay() = default;
    StatusDisplay(const StatusDisplay&) = default;
    StatusDisplay& operator=(const StatusDisplay&) = default;
};

}  // namespace varentix
