#pragma once
// What the page's script (library_page.js) does for the GLUT layer: the canvas, WebGL and the events.
#include <cstdint>

extern "C" {
// Sizes the canvas to the asked *width x *height CSS pixels, or smaller in the same shape where the browser's
// viewport has no room for it, and writes back the size taken; titles the document, creates the WebGL context and
// starts listening to the pointer; false where the browser offers no WebGL, after saying so on the page.
int webCreateCanvas(int* width, int* height, const char* title);
// Canvas pixels per CSS pixel.
double webPixelRatio();
// Draws a frame built by the pipeline: commands of five integers each, vertices of seven floats each, the draws'
// states of 126 floats each; again, for a context that lost the picture, unless newFrame.
void webSubmitFrame(const int32_t* commands, int commandCount, const float* vertices, int vertexCount,
                    const float* states, int newFrame);
}
