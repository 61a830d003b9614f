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
    first_.clear();
    second_.clear();
    forward_.SetIdentity();
    reverse_.SetIdentity();
    flag1_ = 1;
    flag2_ = 0;
    flip_.Reset();
}

bool MhcRegistration::FlipIsIdentity() const
{
    return IsIdentityAxis(flip_.X()) && IsIdentityAxis(flip_.Y());
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
    if (!file.tryReadUInt(firstCount) || !ReadPoints(file, firstCount, first_) ||
        !file.tryReadUInt(secondCount)) {
        return false;
    }
    if (secondCount != firstCount) {
        return false;
    }
    return ReadPoints(file, secondCount, second_) && file.tryReadInt(flag1_) && file.tryReadInt(flag2_);
}

bool MhcRegistration::Build()
{
    std::vector<Point2> firstWorking = first_;
    if (first_.size() >= 2) {
        const Point2 p0 = first_[0];
        const Point2 p1 = first_[1];
        const Rect2 world(p0.x, p1.y, p1.x, p0.y);
        const Rect2 screen(p0.x, p0.y, p1.x, p1.y);
        // Two points on one vertical or horizontal line give no rectangle to mirror in: keep
        // the identity rather than a mapping over a zero span.
        if (!world.XSpan().IsNarrow(1e-14) && !world.YSpan().IsNarrow(1e-14)) {
            flip_.FitRect(world, screen);
        }
        if (!FlipIsIdentity() && flag2_ == 0) {
            for (Point2& p : firstWorking) {
                p = Transform(p.x, p.y);
            }
        }
    }

    // The second list's values are stored the other way round: the first value read is y.
    std::vector<Point2> secondWorking;
    secondWorking.reserve(second_.size());
    for (const Point2& p : second_) {
        secondWorking.emplace_back(p.y, p.x);
    }

    // Both directions need two distinct points on their source side; one pair or a list of
    // coincident points registers nothing, and an identity in its place would put the drawing
    // at picture coordinates.
    if (secondWorking.size() != firstWorking.size()) {
        return false;
    }
    if (!forward_.Set(secondWorking, firstWorking)) {
        return false;
    }
    reverse_.SetIdentity();
    return reverse_.Set(firstWorking, secondWorking);
}

Point2 MhcRegistration::Transform(double x, double y) const
{
    const Point2 q = forward_.Map({x, y});
    if (FlipIsIdentity()) {
        return q;
    }
    return flip_.Map(q);
}

}  // namespace fe::geo
