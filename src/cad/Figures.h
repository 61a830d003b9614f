#pragma once

#include <QStringList>
#include <array>

#include "cad/Figure.h"
#include "fe/Unset.h"

namespace fe::cad {

// The normal of a figure drawn in the plane of the drawing.
inline constexpr Point3 kDefaultExtrusion{0.0, 0.0, 1.0};

// A line segment (LINE).
class FigLseg2 : public Figure
{
public:
    int Kind() const override { return kKindLine; }
    void ExtendBox(Rect2& box) const override;
    // (start x, end x, start y, end y), not sorted.
    Rect2 Box() const override;
    void Reset() override;
    std::unique_ptr<Figure> Clone() const override;
    std::optional<Point2> FirstPoint() const override { return start; }

    Point2 start;
    Point2 end;
    Point3 extrusion = kDefaultExtrusion;
};

// One vertex of a POLYLINE; held by value in the polyline's vertex list.
class FigVertex : public Figure
{
public:
    int Kind() const override { return kKindVertex; }
    void ExtendBox(Rect2&) const override {}
    Rect2 Box() const override { return Rect2(position.x, position.y, position.x, position.y); }
    void Reset() override;
    std::unique_ptr<Figure> Clone() const override;

    static constexpr int kFaceRecord = 128;
    static constexpr int kPolyfaceVertex = 64;

    Point3 position;
    int flags = 0;
    double bulge = 0.0;
    std::array<int, 4> faceIndices{0, 0, 0, 0};
};

// A heavy polyline (POLYLINE) with VERTEX records.
class FigPolyline2 : public Figure
{
public:
    FigPolyline2() = default;
    FigPolyline2(const FigPolyline2& other) = default;

    int Kind() const override { return kKindPolyline; }
    void ExtendBox(Rect2& box) const override;
    Rect2 Box() const override;
    void Reset() override;
    std::unique_ptr<Figure> Clone() const override;
    std::optional<Point2> FirstPoint() const override;

    static constexpr int kClosed = 1;
    static constexpr int k3dPolyline = 8;
    static constexpr int kPolyfaceMesh = 64;

    std::vector<FigVertex> vertices;
    int flags = 0;
    Point3 extrusion = kDefaultExtrusion;
    int meshM = 0;
    int meshN = 0;
    // The outline used for boxes and the first point.
    std::vector<Point2> points;
    // Outlines of a polyface mesh, used for boxes when kPolyfaceMesh is set.
    std::vector<std::vector<Point2>> faces;
};

// A lightweight polyline (LWPOLYLINE). When kClosed is set the last point repeats the first and is
// not written.
class FigLWPolyline : public Figure
{
public:
    int Kind() const override { return kKindLWPolyline; }
    void ExtendBox(Rect2& box) const override;
    Rect2 Box() const override;
    void Reset() override;
    std::unique_ptr<Figure> Clone() const override;
    std::optional<Point2> FirstPoint() const override;

    static constexpr int kClosed = 1;

    std::vector<Point2> points;
    // One bulge per written vertex, as far as the list reaches.
    std::vector<double> bulges;
    int flags = 0;
    Point3 extrusion = kDefaultExtrusion;
    // Used for boxes instead of points when it holds exactly as many points.
    std::vector<Point2> boxPoints;

private:
    const std::vector<Point2>& BoxList() const;
};

// A circle (CIRCLE). Only its centre counts for boxes.
class FigCircle : public Figure
{
public:
    int Kind() const override { return kKindCircle; }
    void ExtendBox(Rect2& box) const override;
    Rect2 Box() const override;
    void Reset() override;
    std::unique_ptr<Figure> Clone() const override;
    std::optional<Point2> FirstPoint() const override;

    double cx = 0.0;
    double cy = 0.0;
    double radius = 1.0;
    double cz = 0.0;
    Point3 extrusion = kDefaultExtrusion;
};

// A single-line text (TEXT).
class FigText : public Figure
{
public:
    int Kind() const override { return kKindText; }
    void ExtendBox(Rect2& box) const override;
    Rect2 Box() const override;
    void Reset() override;
    std::unique_ptr<Figure> Clone() const override;
    std::optional<Point2> FirstPoint() const override { return position; }

    Point2 position;
    // ExtendBox ignores the text while this, without its spaces, is empty.
    QString boxText;
    double height = 8.0;
    double widthFactor = 1.0;
    double rotation = 0.0;  // degrees
    int horizontalAlign = -1;
    int spare1 = 0;
    int spare2 = 0;
    Point2 alignPoint1;
    // Written only when neither coordinate is unset.
    Point2 alignPoint2;
    QString text;
    int verticalAlign = -1;
    Point3 extrusion = kDefaultExtrusion;
};

// A multi-line text (MTEXT). The text goes out as chunks; callers keep each chunk short.
class FigMText : public Figure
{
public:
    int Kind() const override { return kKindMText; }
    void ExtendBox(Rect2& box) const override;
    Rect2 Box() const override;
    void Reset() override;
    std::unique_ptr<Figure> Clone() const override;
    std::optional<Point2> FirstPoint() const override { return position; }

    // Lower-left corner used for boxes.
    Point2 position;
    QString text;
    double height = 8.0;
    double referenceWidth = 0.0;
    Point3 extrusion = kDefaultExtrusion;
    Point2 insertion;
    QStringList chunks;
    // 1 top left ... 9 bottom right.
    int attachment = 1;
    // Written only when none of the three is unset.
    Point3 direction{kUnset, kUnset, kUnset};
};

}  // namespace fe::cad
