#pragma once

namespace varentix {

// Maps the Windows faces the window asks for ("黑体", "宋体") to CJK faces
// a Linux desktop has. Without this Qt silently picks a Latin face and the
// labels show boxes or a poor fallback. Call once, after the application
// object exists.
void install_font_substitutions();

}  // namespace varentix
