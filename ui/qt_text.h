#pragma once

// The window's edge between Qt's strings and the program's Texts.

#include <QString>

#include "core/text.h"

namespace varentix {

// The GB18030 bytes of a Qt string; every Unicode character has a form.
[[nodiscard]] Text to_text(const QString& string);

// A Text for display. Bytes that are not valid GB18030 show as U+FFFD; the
// Text itself is never changed by showing it.
[[nodiscard]] QString to_qstring(const Text& text);

}  // namespace varentix
