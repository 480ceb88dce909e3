#pragma once

namespace varentix {

// The interface is Chinese whatever the desktop's language: Qt's own texts
// (the file dialog, the OK button of the warning) are loaded in Simplified
// Chinese where Qt's translations are installed, and fall back to English
// where they are not. Call once, after the application object exists.
void install_interface_language();

}  // namespace varentix
