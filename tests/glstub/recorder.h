#pragma once
// Shared by the stub's files: the one recorder every entry point appends to, and the resets of each file's state.
#include <initializer_list>
#include <string_view>

#include "glstub.h"

namespace glstub {

// Notes the call and returns it for its text and callback, or nullptr while recording is off.
Call* record(std::string_view fn, std::initializer_list<double> args);

// The window-system files put their modelled state back to what reset() promises: resetWindowSystem() for all of
// it, resetXlib() for Xlib's part where X11 is the window system.
void resetWindowSystem();
void resetXlib();

}  // namespace glstub
