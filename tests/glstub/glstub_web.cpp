// The browser's page as the program sees it through its GLUT: whether more moves of a batch that the browser merged
// wait behind the one being handed on. Looked at, never recorded, as Xlib's queue is.
#include "glstub.h"
#include "recorder.h"

#include "gl.h"

namespace glstub {
namespace {

int movesWaiting = 0;

}  // namespace

void resetWindowSystem() { movesWaiting = 0; }
void setMovesWaiting(int moves) { movesWaiting = moves; }
bool queueDragMotion(int) {
    movesWaiting = 1;
    return true;
}

}  // namespace glstub

int webMotionWaiting() { return glstub::movesWaiting > 0; }
