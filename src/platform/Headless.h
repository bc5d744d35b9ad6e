#pragma once

namespace Platform {

// True under the platforms without a screen a user could answer on ("offscreen",
// "minimal"), or without a GUI application at all: the wrappers then never show
// anything real, whatever test mode says.
bool headless();

} // namespace Platform
