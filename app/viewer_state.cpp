#include "viewer.h"

int32_t windowWidth = 640;
int32_t windowHeight = 480;
const char* windowTitle = "GLUT Application";

const float lightDiffuse[3][4] = {
    {0.2f, 0.3f, 0.2f, 1.0f},
    {0.3f, 0.3f, 0.3f, 1.0f},
    {0.3f, 0.3f, 0.2f, 1.0f},
};
// w = 1: positional lights, placed in world coordinates under the identity modelview.
const float lightPosition[3][4] = {
    {-14.0f, 13.0f, 13.0f, 1.0f},
    {15.0f, 17.0f, -20.0f, 1.0f},
    {-12.0f, -8.0f, 12.0f, 1.0f},
};
const float materialAmbient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
const float materialDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};

int32_t dragMode = DRAG_NONE;
double lastMouseX = 0.0;
double lastMouseY = 0.0;

bool windowPlaced = false;
int32_t windowX = 0;
int32_t windowY = 0;
