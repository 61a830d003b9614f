#include "cad/Figures.h"

#include "cad/CadGeometry.h"

namespace fe::cad {
namespace {

std::vector<Point2> Converted(const std::vector<Point2>& points, const Point3& extrusion)
{
    if (IsDefaultExtrusion(extrusion))
        return points;
    std::vector<Point2> result;
    result.reserve(points.size());
    for (const Point2& p : points)
        result.push_back(OcsToWcs2(p, extrusion));
    return result;
}

Rect2 BoxOf(const std::vector<Point2>& points, const Point3& extrusion)
{
    return BoundingBoxOfPoints(Converted(points, extrusion));
}

// Restores the base fields of a figure that is reset by assigning a fresh object.
class KeepBaseFields
{
public:
    explicit KeepBaseFields(Figure& figure)
        : m_figure(figure), m_colour(figure.colour), m_note(figure.note), m_layerName(figure.layerName)
    {
    }
    ~KeepBaseFields()
    {
        m_figure.colour = m_colour;
        m_figure.note = m_note;
        m_figure.layerName = m_layerName;
    }

private:
    Figure& m_figure;
    int m_colour;
    QString m_note;
    QString m_layerName;
};

}  // namespace

// FigLseg2

void FigLseg2::ExtendBox(Rect2& box) const
{
    ExtendBoxByPoint(box, OcsToWcs2(start, extrusion));
    ExtendBoxByPoint(box, OcsToWcs2(end, extrusion));
}

Rect2 FigLseg2::Box() const
{
    const Point2 a = OcsToWcs2(start, extrusion);
    const Point2 b = OcsToWcs2(end, extrusion);
    return Rect2(a.x, a.y, b.x, b.y);
}

void FigLseg2::Reset()
{
    start = Point2();
    end = Point2();
    extrusion = kDefaultExtrusion;
}

std::unique_ptr<Figure> FigLseg2::Clone() const
{
    auto copy = std::make_unique<FigLseg2>(*this);
    CopyBaseTo(*copy);
    return copy;
}

// FigVertex

void FigVertex::Reset()
{
    position = Point3();
    flags = 0;
    bulge = 0.0;
    faceIndices = {0, 0, 0, 0};
}

std::unique_ptr<Figure> FigVertex::Clone() const
{
    auto copy = std::make_unique<FigVertex>(*this);
    CopyBaseTo(*copy);
    return copy;
}

// FigPolyline2

void FigPolyline2::ExtendBox(Rect2& box) const
{
    if (flags & kPolyfaceMesh) {
        for (const auto& face : faces)
            ExtendBoxByPoints(box, Converted(face, extrusion));
        return;
    }
    ExtendBoxByPoints(box, Converted(points, extrusion));
}

Rect2 FigPolyline2::Box() const
{
    if ((flags & kPolyfaceMesh) && !faces.empty())
        return BoxOf(faces.front(), extrusion);
    return BoxOf(points, extrusion);
}

void FigPolyline2::Reset()
{
    vertices.clear();
    points.clear();
    faces.clear();
    flags = 0;
    extrusion = kDefaultExtrusion;
    meshM = 0;
    meshN = 0;
}

std::unique_ptr<Figure> FigPolyline2::Clone() const
{
    auto copy = std::make_unique<FigPolyline2>(*this);
    CopyBaseTo(*copy);
    for (FigVertex& vertex : copy->vertices)
        CopyBaseTo(vertex);
    return copy;
}

std::optional<Point2> FigPolyline2::FirstPoint() const
{
    if (vertices.empty())
        return std::nullopt;
    Point2 first(vertices.front().position.x, vertices.front().position.y);
    if (flags & kPolyfaceMesh) {
        if (!faces.empty() && !faces.front().empty())
            first = faces.front().front();
    } else if (!points.empty()) {
        first = points.front();
    }
    return OcsToWcs2(first, extrusion);
}

// FigLWPolyline

const std::vector<Point2>& FigLWPolyline::BoxList() const
{
    return boxPoints.size() == points.size() ? boxPoints : points;
}

void FigLWPolyline::ExtendBox(Rect2& box) const
{
    ExtendBoxByPoints(box, Converted(BoxList(), extrusion));
}

Rect2 FigLWPolyline::Box() const
{
    return BoxOf(BoxList(), extrusion);
}

void FigLWPolyline::Reset()
{
    points.clear();
    bulges.clear();
    boxPoints.clear();
    flags = 0;
    extrusion = kDefaultExtrusion;
}

std::unique_ptr<Figure> FigLWPolyline::Clone() const
{
    auto copy = std::make_unique<FigLWPolyline>(*this);
    CopyBaseTo(*copy);
    return copy;
}

std::optional<Point2> FigLWPolyline::FirstPoint() const
{
    if (points.empty())
        return std::nullopt;
    return OcsToWcs2(points.front(), extrusion);
}

// FigCircle

void FigCircle::ExtendBox(Rect2& box) const
{
    ExtendBoxByPoint(box, OcsToWcs2(Point2(cx, cy), extrusion));
}

Rect2 FigCircle::Box() const
{
    const Point2 c = OcsToWcs2(Point2(cx, cy), extrusion);
    return Rect2(c.x, c.y, c.x, c.y);
}

void FigCircle::Reset()
{
    cx = cy = cz = 0.0;
    radius = 1.0;
    extrusion = kDefaultExtrusion;
}

std::unique_ptr<Figure> FigCircle::Clone() const
{
    auto copy = std::make_unique<FigCircle>(*this);
    CopyBaseTo(*copy);
    return copy;
}

std::optional<Point2> FigCircle::FirstPoint() const
{
    return OcsToWcs2(Point2(cx, cy), extrusion);
}

// FigText

void FigText::ExtendBox(Rect2& box) const
{
    QString visible = boxText;
    visible.remove(QLatin1Char(' '));
    if (visible.isEmpty())
        return;
    ExtendBoxByPoint(box, OcsToWcs2(alignPoint1, extrusion));
    ExtendBoxByPoint(box, OcsToWcs2(alignPoint1 + Point2(1.0, 1.0), extrusion));
}

Rect2 FigText::Box() const
{
    const Point2 p = OcsToWcs2(position, extrusion);
    return Rect2(p.x, p.y, p.x, p.y);
}

void FigText::Reset()
{
    KeepBaseFields keep(*this);
    *this = FigText();
}

std::unique_ptr<Figure> FigText::Clone() const
{
    auto copy = std::make_unique<FigText>(*this);
    CopyBaseTo(*copy);
    return copy;
}

// FigMText

void FigMText::ExtendBox(Rect2& box) const
{
    double x0 = position.x;
    if (attachment == 5 || attachment == 8 || (attachment == 2 && referenceWidth > 0.0))
        x0 -= referenceWidth / 2.0;
    box.Extend(Rect2(x0, position.y, x0 + referenceWidth, position.y + height));
}

Rect2 FigMText::Box() const
{
    return Rect2(position.x, position.y, position.x + referenceWidth, position.y + height);
}

void FigMText::Reset()
{
    KeepBaseFields keep(*this);
    *this = FigMText();
}

std::unique_ptr<Figure> FigMText::Clone() const
{
    auto copy = std::make_unique<FigMText>(*this);
    CopyBaseTo(*copy);
    return copy;
}

}  // namespace fe::cad
