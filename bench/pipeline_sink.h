#pragma once
#include "pipeline.h"

// Where the sweep's GL calls go in web_frame_bench: nowhere while null, else into the browser build's pipeline.
extern webgl::Pipeline* pipelineSink;
