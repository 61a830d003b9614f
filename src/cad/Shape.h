#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "fe/Point2.h"

namespace fe {

// Shape type numbers of the shapefile format that this writer produces.
inline constexpr int kShapeNull = 0;
inline constexpr int kShapePoint = 1;
inline constexpr int kShapePolyLine = 3;

// A Null shape; base of the shapes a shapefile record holds.
class ShapeBase
{
public:
    ShapeBase() = default;
    virtual ~ShapeBase() = default;

    virtual int GetType() const { return kShapeNull; }
    virtual std::unique_ptr<ShapeBase> Clone() const
    {
        return std::unique_ptr<ShapeBase>(new ShapeBase(*this));
    }

    // 1-based; any other value means the record is not numbered yet.
    int recordNumber = 0;

protected:
    ShapeBase(const ShapeBase&) = default;
    ShapeBase& operator=(const ShapeBase&) = default;
};

class ShapePoint : public ShapeBase
{
public:
    ShapePoint() = default;
    ShapePoint(double px, double py) : x(px), y(py) {}

    int GetType() const override { return kShapePoint; }
    std::unique_ptr<ShapeBase> Clone() const override { return std::make_unique<ShapePoint>(*this); }

    double x = 0.0;
    double y = 0.0;
};

// A line of one or more parts; each part runs from its start index to the next part's start.
class ShapePolyLine : public ShapeBase
{
public:
    int GetType() const override { return kShapePolyLine; }
    std::unique_ptr<ShapeBase> Clone() const override { return std::make_unique<ShapePolyLine>(*this); }

    // Recomputes the box from the points (unset for none) and both counts from the lists.
    void UpdateBounds();
    // Drops parts that draw nothing: empty parts, one-point parts and parts whose points all lie
    // within 1e-14 of each other on both axes (a straight horizontal or vertical part stays).
    // False when no part and no point remain. Part starts out of order or out of range make the
    // whole line unusable (false).
    bool Normalize();

    double xmin = 0.0;
    double ymin = 0.0;
    double xmax = 0.0;
    double ymax = 0.0;
    int partCount = 0;
    int pointCount = 0;
    std::vector<std::int32_t> parts;
    std::vector<Point2> points;
};

}  // namespace fe
