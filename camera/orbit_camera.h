#pragma once
#include "vec.h"

// Orbits a look-at centre: two angles, a distance, and the centre itself.
class OrbitCamera {
public:
    explicit OrbitCamera(const Vec3& c) { reset(c); }

    void reset(const Vec3& c) {
        elevation = 0.0;
        azimuth = 0.0;
        distance = 10.0;
        center = c;
    }

    double getElevation() const { return elevation; }
    double getAzimuth() const { return azimuth; }
    double getDistance() const { return distance; }
    Vec3 getCenter() const { return center; }

    void setElevation(double a);
    void setAzimuth(double a) { azimuth = a; }
    void setDistance(double d) { distance = d; }
    void setCenter(const Vec3& c) { center = c; }

    Vec3 eye() const;
    Vec3 up() const;

    // Pointer deltas of one motion event, in pixels.
    void rotate(double dx, double dy);
    void pan(double dx, double dy);
    void zoom(double dx);

private:
    double elevation, azimuth, distance;
    Vec3 center;
};

extern OrbitCamera camera;
