#pragma once
#include <cstdint>

// The shell's state: plain globals, touched only on the event-loop thread.
extern int32_t windowWidth;
extern int32_t windowHeight;
extern const char* windowTitle;
extern const float lightDiffuse[3][4];
extern const float lightPosition[3][4];
extern const float materialAmbient[4];
extern const float materialDiffuse[4];

// Compared for equality, never tested as bits.
constexpr int32_t DRAG_NONE = 0;
constexpr int32_t DRAG_ROTATE = 1;
constexpr int32_t DRAG_PAN = 2;
constexpr int32_t DRAG_ZOOM = 4;
extern int32_t dragMode;

// Pointer position of the last press or drag event; y is measured up from the bottom edge.
extern double lastMouseX;
extern double lastMouseY;

// Where the window was last seen on the screen, so that a move can be told from pointer motion.
extern bool windowPlaced;
extern int32_t windowX;
extern int32_t windowY;

void initGraphics();
void display();
void setupView();
void reshape(int width, int height);
void windowMoved(int x, int y);
void mouseButton(int button, int state, int x, int y);
void mouseMotion(int x, int y);
void timerTick(int value);

// Standard descriptors that are closed point to /dev/null, and a reader that went away is no fatal
// signal: first thing in the process, before anything opens a file.
void secureStandardStreams();

// The whole start-up; returns only if the GLUT loop does.
int runViewer(int argc, char** argv);
