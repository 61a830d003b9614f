// The value rules of the view's mouse editing: directions from a drag, the direction handle, the size
// limits of a web map's box and the handle kinds after crossed edges.
#include <gtest/gtest.h>

#include <cmath>

#include "fe/Unset.h"
#include "view/MouseEditing.h"

using namespace locmap;

namespace {

TEST(MouseEditing, DirectionFromADragIsWithinZeroTo360)
{
    const Point2 mark(100, 100);
    const struct
    {
        Point2 pointer;
        double rotation, expected;
    } cases[] = {{{100, 50}, 0, 0},    {{150, 100}, 0, 90},  {{100, 150}, 0, 180}, {{50, 100}, 0, 270},
                 {{50, 50}, 0, 315},   {{150, 50}, 0, 45},   {{100, 50}, 30, 30},  {{50, 50}, 60, 15},
                 {{100, 150}, -200, 340}};
    for (const auto& c : cases) {
        const double direction = DirectionTowards(mark, c.pointer, c.rotation);
        EXPECT_NEAR(direction, c.expected, 1e-9) << c.pointer.x << "," << c.pointer.y << " r " << c.rotation;
        EXPECT_GE(direction, 0.0);
        EXPECT_LT(direction, 360.0);
    }
    EXPECT_NEAR(WrapRadians(-0.5), 2 * 3.141592653589793 - 0.5, 1e-12);
    EXPECT_NEAR(WrapRadians(7.0), 7.0 - 2 * 3.141592653589793, 1e-12);
}

TEST(MouseEditing, DirectionHandleLiesAlongTheArrow)
{
    const Point2 mark(200, 200);
    // Pointing east (90): the handle is to the right.
    EXPECT_TRUE(HitsDirectionHandle(mark, 90, 27.5, {220, 203}));
    EXPECT_TRUE(HitsDirectionHandle(mark, 90, 27.5, {220, 197}));  // both sides of an axis-aligned arrow
    EXPECT_TRUE(HitsDirectionHandle(mark, 180, 27.5, {197, 215}));
    EXPECT_TRUE(HitsDirectionHandle(mark, 180, 27.5, {203, 215}));
    EXPECT_FALSE(HitsDirectionHandle(mark, 90, 27.5, {220, 210}));  // 10 px off the line
    EXPECT_FALSE(HitsDirectionHandle(mark, 90, 27.5, {180, 200}));  // behind the mark
    EXPECT_TRUE(HitsDirectionHandle(mark, 0, 27.5, {201, 180}));
    // A mark without a direction can always be turned.
    EXPECT_TRUE(HitsDirectionHandle(mark, kUnset, 27.5, {150, 260}));
}

TEST(MouseEditing, WebBoxLimitsAtTheMapsTileZoom)
{
    // At zoom z one pixel of longitude is 360 / 2^(z+8) degrees.
    const auto degrees = [](int zoom, double pixels) { return pixels * 360.0 / (256.0 * (1 << zoom)); };
    const double lat = 35.0;
    const auto box = [&](int zoom, double w, double h) {
        // h pixels of Mercator y near the latitude, taken from the longitude scale and the latitude's cosine.
        const double dLat = degrees(zoom, h) * std::cos(lat * 3.141592653589793 / 180.0);
        return Rect2(139.0, lat, 139.0 + degrees(zoom, w), lat + dLat);
    };
    const struct
    {
        int zoom;
        double w, h;
        bool kept;
    } cases[] = {{16, 127, 500, false},  {16, 500, 127, false}, {16, 131, 131, true},
                 {16, 2000, 2000, true}, {16, 3100, 3100, false}, {10, 300, 300, true}};
    for (const auto& c : cases)
        EXPECT_EQ(WebBoxWithinLimits(box(c.zoom, c.w, c.h), c.zoom), c.kept) << c.zoom << " " << c.w << "x" << c.h;
    // 0.3° × 0.3° at zoom 18 is tens of thousands of pixels each way: far past any integer product.
    EXPECT_FALSE(WebBoxWithinLimits(Rect2(139.0, 35.0, 139.3, 35.3), 18));
    EXPECT_FALSE(WebBoxWithinLimits(Rect2(-170, -80, 170, 80), 18));
}

TEST(MouseEditing, CrossedEdgesMirrorTheHandle)
{
    const struct
    {
        int kind;
        bool horizontal, vertical;
        int expected;
    } cases[] = {{11, true, false, 10}, {10, true, false, 11}, {7, true, false, 6},  {8, true, false, 9},
                 {6, false, true, 8},   {9, false, true, 7},   {12, false, true, 13}, {6, true, true, 9},
                 {7, true, true, 8},    {12, true, false, 12}, {10, false, true, 10}, {17, true, true, 17}};
    for (const auto& c : cases)
        EXPECT_EQ(MirrorDragKind(c.kind, c.horizontal, c.vertical), c.expected) << c.kind;
}

}  // namespace
