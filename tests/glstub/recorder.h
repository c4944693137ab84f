#pragma once
// Shared by the stub's files: the one recorder every entry point appends to, and the resets of each file's state.
#include <initializer_list>
#include <string_view>

#include "glstub.h"

namespace glstub {

// Notes the call and returns it for its text and callback, or nullptr while recording is off.
Call* record(std::string_view fn, std::initializer_list<double> args);

// Each window-system file puts its own modelled state back to what reset() promises.
void resetWindowSystem();

}  // namespace glstub
