#pragma once
// GLUT's -geometry option as X reads it: [=][width][{xX}height][{+-}x[{+-}y]].
//
// glutInit copies the option's width and height into the requested window size even when the value gives
// none, and counts a position from the right or bottom edge with that size: both then come from memory
// it never set. The viewer reads the option before glutInit, which takes it out of argv, and afterwards
// asks again for its own size and for the position measured with it.

struct GeometryOption {
    bool present = false;    // a -geometry value reaches glutInit
    bool sizeGiven = false;  // it gives a width and a height of at least one pixel each
    bool positionGiven = false;
    bool fromRight = false, fromBottom = false;
    int x = 0, y = 0;  // offsets as X reads them; negative when counted from the right or bottom edge
};

// The last -geometry on the command line, found the way glutInit finds it.
GeometryOption readGeometryOption(int argc, char* const* argv);

// After glutInit: the window size and position the option asked for, with the program's own size where
// the option gives none.
void restoreWindowRequest(const GeometryOption& geometry);
