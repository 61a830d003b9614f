#include "fe/geo/MhcRegistration.h"

#include "fe/File.h"

namespace fe::geo {

namespace {

bool IsIdentityAxis(const gdi::MapFunc& axis)
{
    return axis.Offset() == 0.0 && axis.Ratio() == 1.0;
}

// `count` points of two values each; the vector grows as points arrive, so a damaged count cannot
// make it allocate more than the file holds.
bool ReadPoints(FileR& file, unsigned count, std::vector<Point2>& points)
{
    for (unsigned i = 0; i < count; ++i) {
        Point2 p;
        if (!file.tryReadDouble(p.x) || !file.tryReadDouble(p.y)) {
            return false;
        }
        points.push_back(p);
    }
    return true;
}

}  // namespace

void MhcRegistration::Reset()
{
    m_first.clear();
    m_second.clear();
    m_forward.SetIdentity();
    m_reverse.SetIdentity();
    m_flag1 = 1;
    m_flag2 = 0;
    m_flip.Reset();
}

bool MhcRegistration::FlipIsIdentity() const
{
    return IsIdentityAxis(m_flip.X()) && IsIdentityAxis(m_flip.Y());
}

bool MhcRegistration::Read(const QString& fileName)
{
    Reset();
    if (!ReadValues(fileName) || !Build()) {
        Reset();
        return false;
    }
    return true;
}

bool MhcRegistration::ReadValues(const QString& fileName)
{
    FileR file;
    if (!file.open(fileName, 0)) {
        return false;
    }
    int version = 0;
    if (!file.tryReadInt(version) || version > kHighestVersion) {
        return false;
    }
    unsigned firstCount = 0;
    unsigned secondCount = 0;
    if (!file.tryReadUInt(firstCount) || !ReadPoints(file, firstCount, m_first) ||
        !file.tryReadUInt(secondCount)) {
        return false;
    }
    if (secondCount != firstCount) {
        return false;
    }
    return ReadPoints(file, secondCount, m_second) && file.tryReadInt(m_flag1) && file.tryReadInt(m_flag2);
}

bool MhcRegistration::Build()
{
    std::vector<Point2> firstWorking = m_first;
    if (m_first.size() >= 2) {
        const Point2 p0 = m_first[0];
        const Point2 p1 = m_first[1];
        const Rect2 world(p0.x, p1.y, p1.x, p0.y);
        const Rect2 screen(p0.x, p0.y, p1.x, p1.y);
        // Two points on one vertical or horizontal line give no rectangle to mirror in: keep
        // the identity rather than a mapping over a zero span.
        if (!world.XSpan().IsNarrow(1e-14) && !world.YSpan().IsNarrow(1e-14)) {
            m_flip.FitRect(world, screen);
        }
        if (!FlipIsIdentity() && m_flag2 == 0) {
            for (Point2& p : firstWorking) {
                p = Transform(p.x, p.y);
            }
        }
    }

    // The second list's values are stored the other way round: the first value read is y.
    std::vector<Point2> secondWorking;
    secondWorking.reserve(m_second.size());
    for (const Point2& p : m_second) {
        secondWorking.emplace_back(p.y, p.x);
    }

    // Both directions need two distinct points on their source side; one pair or a list of
    // coincident points registers nothing, and an identity in its place would put the drawing
    // at picture coordinates.
    if (secondWorking.size() != firstWorking.size()) {
        return false;
    }
    if (!m_forward.Set(secondWorking, firstWorking)) {
        return false;
    }
    m_reverse.SetIdentity();
    return m_reverse.Set(firstWorking, secondWorking);
}

Point2 MhcRegistration::Transform(double x, double y) const
{
    const Point2 q = m_forward.Map({x, y});
    if (FlipIsIdentity()) {
        return q;
    }
    return m_flip.Map(q);
}

}  // namespace fe::geo
