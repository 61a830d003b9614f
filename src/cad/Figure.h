#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "fe/Point2.h"
#include "fe/Rect2.h"

namespace fe::cad {

// The kind number every figure answers; the writer and the extents computation switch on it.
// Kinds 7, 8, 10, 11, 12, 15 and 16 have numbers but no figure class: nothing draws them.
enum FigureKind : int
{
    kKindDocument = 0,
    kKindGroup = 1,
    kKindLayer = 2,
    kKindLine = 3,
    kKindVertex = 4,
    kKindPolyline = 5,
    kKindLWPolyline = 6,
    kKindCircle = 9,
    kKindText = 13,
    kKindMText = 14,
};

// Colour index values with a meaning of their own.
inline constexpr int kColourByBlock = 0;
inline constexpr int kColourByLayer = 256;

// Base of every figure, layer and the document. Boxes are Rect2 (x0, x1, y0, y1) in drawing units.
class Figure
{
public:
    virtual ~Figure() = default;

    virtual int Kind() const = 0;
    // Grows the box in place by what the figure covers, keeping each axis's direction.
    virtual void ExtendBox(Rect2& box) const = 0;
    // The figure's own box.
    virtual Rect2 Box() const = 0;
    // Returns the fields of the derived class to their defaults and releases what the figure owns.
    virtual void Reset() = 0;
    // A deep copy; colours above 256 (no valid index) come back as BYLAYER.
    virtual std::unique_ptr<Figure> Clone() const = 0;
    // The point that seeds the drawing's extents; none when the figure has no defined point.
    virtual std::optional<Point2> FirstPoint() const { return std::nullopt; }

    int colour = kColourByLayer;
    // A second text carried along with the figure; copied by Clone, never written to a file.
    QString note;
    // Name of the layer the figure was added to (set by Document::AddToLayer).
    QString layerName;

protected:
    Figure() = default;
    Figure(const Figure&) = default;
    Figure& operator=(const Figure&) = default;
    // The base fields of a clone, with an invalid colour turned into BYLAYER.
    void CopyBaseTo(Figure& copy) const;
};

// Grows the box by one point, keeping each axis's direction.
void ExtendBoxByPoint(Rect2& box, const Point2& point);
// Grows the box by the bounding box of the points; an empty list changes nothing.
void ExtendBoxByPoints(Rect2& box, const std::vector<Point2>& points);
// A box with all four values unset.
Rect2 UnsetBox();

// A figure owning an ordered list of child figures.
class FigGroup : public Figure
{
public:
    FigGroup() = default;

    int Kind() const override { return kKindGroup; }
    void ExtendBox(Rect2& box) const override;
    Rect2 Box() const override { return UnsetBox(); }
    void Reset() override;
    std::unique_ptr<Figure> Clone() const override;
    std::optional<Point2> FirstPoint() const override;

    std::vector<std::unique_ptr<Figure>> children;

protected:
    void CloneChildrenInto(FigGroup& copy) const;
};

// A named layer; its figures are its children. A layer's colour defaults to 7.
class FigLayer : public FigGroup
{
public:
    FigLayer() { colour = 7; }
    explicit FigLayer(const QString& layerName, int layerColour = 7);

    int Kind() const override { return kKindLayer; }
    void Reset() override;
    std::unique_ptr<Figure> Clone() const override;

    QString name;
    bool frozen = false;
};

}  // namespace fe::cad
