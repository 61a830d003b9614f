#pragma once

#include <QString>
#include <vector>

#include "fe/Point2.h"
#include "fe/gdi/MapFunc2.h"
#include "fe/geo/MapHelmart.h"

namespace fe::geo {

// The CAD registration that the background-map import tool leaves beside a picture made from a
// CAD drawing ("<picture>CAD.mhc"): two lists of matching points, one in the location map's
// frame and one in the drawing's coordinates. It maps drawing points into the map's frame for
// the DXF output.
//
// File (text, one value per line): int version (above 1 refused); unsigned k1; k1 points of the
// first list, each as its first then its second value; unsigned k2; k2 points of the second list;
// int flag 1; int flag 2.
class MhcRegistration
{
public:
    static constexpr int kHighestVersion = 1;

    MhcRegistration() { Reset(); }

    // Reads the file and builds the transform. False, with the registration reset to the
    // identity, when the file cannot be opened, its version is above 1, the lists differ in
    // length, a value is missing or is not a number, or the points give no fit (fewer than two
    // distinct points in either list).
    bool Read(const QString& fileName);
    void Reset();

    // Maps a point of the second list's frame (values in file order exchanged) into the first
    // list's frame.
    Point2 Transform(double x, double y) const;

    const std::vector<Point2>& FirstList() const { return m_first; }
    const std::vector<Point2>& SecondList() const { return m_second; }
    const MapHelmart& Forward() const { return m_forward; }
    const MapHelmart& Reverse() const { return m_reverse; }
    int Flag1() const { return m_flag1; }
    int Flag2() const { return m_flag2; }
    const gdi::MapFunc2& Flip() const { return m_flip; }
    bool FlipIsIdentity() const;

private:
    bool ReadValues(const QString& fileName);
    bool Build();

    std::vector<Point2> m_first;
    std::vector<Point2> m_second;
    MapHelmart m_forward;
    MapHelmart m_reverse;
    int m_flag1 = 1;
    int m_flag2 = 0;
    gdi::MapFunc2 m_flip;  // mirrors the first list in y about its first two points
};

}  // namespace fe::geo
