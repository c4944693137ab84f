#include "window_geometry.h"

#include "viewer.h"

#include "gl.h"

#include <algorithm>
#include <cstring>

namespace {

// An optional sign, then any number of digits; false when not even a sign was there. Held far beyond any
// X coordinate or size (16 bits), where X's own reader would overflow.
bool readInteger(const char*& s, int& value) {
    constexpr int BEYOND_ANY_SIZE = 1 << 24;
    const char* start = s;
    const int sign = *s == '-' ? -1 : 1;
    if (*s == '+' || *s == '-') ++s;
    int magnitude = 0;
    for (; *s >= '0' && *s <= '9'; ++s) magnitude = std::min(magnitude * 10 + (*s - '0'), BEYOND_ANY_SIZE);
    value = sign * magnitude;
    return s != start;
}

// An offset after its leading sign, which says which edge it counts from.
bool readOffset(const char*& s, bool& fromFarEdge, int& offset) {
    fromFarEdge = *s++ == '-';
    int value = 0;
    if (!readInteger(s, value)) return false;
    offset = fromFarEdge ? -value : value;
    return true;
}

// Fills `g` from the value `s`; false for a value that X rejects as a whole, which then sets nothing.
bool parseGeometry(const char* s, GeometryOption& g) {
    int width = 0, height = 0;
    bool hasWidth = false, hasHeight = false;
    if (*s == '=') ++s;
    if (*s != '+' && *s != '-' && *s != 'x') {
        if (!readInteger(s, width)) return false;
        hasWidth = true;
    }
    if (*s == 'x' || *s == 'X') {
        ++s;
        if (!readInteger(s, height)) return false;
        hasHeight = true;
    }
    if (*s == '+' || *s == '-') {
        if (!readOffset(s, g.fromRight, g.x)) return false;
        if (*s == '+' || *s == '-') {
            if (!readOffset(s, g.fromBottom, g.y)) return false;
            g.positionGiven = true;
        }
    }
    if (*s != '\0') return false;
    g.sizeGiven = hasWidth && hasHeight && width >= 1 && height >= 1;
    return true;
}

}  // namespace

GeometryOption readGeometryOption(int argc, char* const* argv) {
    const char* value = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0) ++i;  // its value is a display name, whatever it reads
        else if (std::strcmp(argv[i], "-geometry") == 0 && ++i < argc) value = argv[i];
    }
    GeometryOption g;
    g.present = value != nullptr;
    GeometryOption parsed = g;
    if (g.present && parseGeometry(value, parsed)) g = parsed;
    return g;
}

void restoreWindowRequest(const GeometryOption& geometry) {
    if (!geometry.present || geometry.sizeGiven) return;
    glutInitWindowSize(windowWidth, windowHeight);
    if (geometry.positionGiven && (geometry.fromRight || geometry.fromBottom)) {
        const int x = geometry.fromRight ? glutGet(GLUT_SCREEN_WIDTH) - windowWidth + geometry.x : geometry.x;
        const int y = geometry.fromBottom ? glutGet(GLUT_SCREEN_HEIGHT) - windowHeight + geometry.y : geometry.y;
        glutInitWindowPosition(x, y);
    }
}
