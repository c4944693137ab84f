#pragma once
// The one GL context of the page, which GL's entry points and GLUT's share.
#include "pipeline.h"

namespace webgl {

Pipeline& pipeline();

}  // namespace webgl
