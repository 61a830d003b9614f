#include "cad/CadMapOutput.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "cad/AciPalette.h"
#include "cad/CadOutputValues.h"
#include "cad/Document.h"
#include "cad/Dxf.h"
#include "cad/Figures.h"
#include "fe/Failure.h"
#include "fe/StaticTables.h"
#include "fe/geo/MhcRegistration.h"
#include "fe/geo/PlaneRectConverter.h"
#include "model/Project.h"

using fe::cad::Document;
using fe::cad::IsDrawableUnit;
using fe::cad::IsSetValue;

const QString CadMapOutput::kVersion1Reason = QStringLiteral(
    "ケルヴォルVersion1で取り込まれた位置図ではCAD出力ができません。\n位置図を取込しなおす必要があります。\n"
    "\n");
const QString CadMapOutput::kOutputFailed = QStringLiteral("ファイルの出力に失敗しました。");

namespace {

// A mark unit this much smaller than the other one draws nothing visible.
constexpr double kVanishing = 1e-6;

bool IsFinitePoint(const Point2& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// <map folder><picture name up to its last dot>CAD.mhc; empty when the name has no dot after its
// first character.
QString RegistrationPath(const Project& project, const LocationMap& map)
{
    const QString picture = map.ImageFileName();
    const qsizetype dot = picture.lastIndexOf(QLatin1Char('.'));
    if (dot < 1) {
        return QString();
    }
    return project.MapFolder() + picture.left(dot) + fe::tables::CadRegistrationSuffix();
}

// The map's own frame and everything else needed to place points in the drawing.
struct MapPlacing
{
    fe::geo::MapHelmart forward;  // picture -> plane
    fe::geo::MhcRegistration registration;
    fe::geo::PlaneRectConverter converter;
    bool hasZone = false;

    Point2 PictureToDrawing(const Point2& picture) const
    {
        const Point2 plane = forward.Map(picture);
        return registration.Transform(plane.x, plane.y);
    }
};

// The frame polyline's points and the points its corner labels stand at, in plane coordinates.
struct FramePoints
{
    std::vector<Point2> drawing;
    std::vector<Point2> labelPlane;
};

FramePoints MakeFramePoints(const LocationMap& map, const MapPlacing& placing)
{
    FramePoints points;
    if (std::abs(map.frame.angle) >= 0.1) {
        const auto corners = map.frame.Corners();
        std::vector<Point2> picture(corners.begin(), corners.end());
        if (!(picture.back() == picture.front())) {
            picture.push_back(picture.front());
        }
        for (const Point2& p : picture) {
            points.drawing.push_back(placing.PictureToDrawing(p));
        }
        for (const Point2& corner : corners) {
            points.labelPlane.push_back(placing.forward.Map(corner));
        }
    } else if (placing.hasZone) {
        for (const fe::geo::GeoPoint& g : map.outline) {
            const Point2 plane = placing.converter.ToPlaneXY(g);
            points.labelPlane.push_back(plane);
            points.drawing.push_back(placing.registration.Transform(plane.x, plane.y));
        }
    }
    if (!points.drawing.empty()) {
        points.drawing.push_back(points.drawing.front());
    }
    return points;
}

// The shooting direction (degrees clockwise from the plane's north) at the plane point as the drawing
// shows it: from the point's drawing position towards that of a point a metre along the direction, in
// radians counter-clockwise from the drawing's +x. A turned or mirrored registration turns it alike.
double DrawingDirection(const fe::geo::MhcRegistration& registration, const Point2& plane, double direction)
{
    const double radians = direction * std::numbers::pi / 180.0;
    const Point2 from = registration.Transform(plane.x, plane.y);
    const Point2 to = registration.Transform(plane.x + std::cos(radians), plane.y + std::sin(radians));
    return std::atan2(to.y - from.y, to.x - from.x);
}

// True for a drawing made in plane coordinates (north along +y, east along +x) over a picture whose up is
// north: there the map's north angle gives each arrow as it always has, in whole degrees. A turn below a
// milliradian, as a fitted registration of such a drawing has, counts as none.
bool KeepsPlaneAxes(const fe::geo::MhcRegistration& registration, const Point2& plane, double mapAngle)
{
    constexpr double kStraight = 1e-3;
    const auto near = [](double angle, double target) {
        return std::abs(std::remainder(angle - target, 2.0 * std::numbers::pi)) < kStraight;
    };
    return near(mapAngle, 0.0) && near(DrawingDirection(registration, plane, 0.0), std::numbers::pi / 2.0) &&
           near(DrawingDirection(registration, plane, 90.0), 0.0);
}

void AddFrame(Document& document, const QString& layer, const std::vector<Point2>& points, int versionCode)
{
    if (points.empty()) {
        return;
    }
    if (versionCode > 2) {
        auto polyline = std::make_unique<fe::cad::FigLWPolyline>();
        polyline->points = points;
        polyline->flags = fe::cad::FigLWPolyline::kClosed;
        (void)document.AddToLayer(std::move(polyline), layer);
        return;
    }
    auto polyline = std::make_unique<fe::cad::FigPolyline2>();
    polyline->points = points;
    for (const Point2& p : points) {
        fe::cad::FigVertex vertex;
        vertex.position = Point3(p.x, p.y, 0.0);
        polyline->vertices.push_back(vertex);
    }
    (void)document.AddToLayer(std::move(polyline), layer);
}

void AddCornerLabels(Document& document, const FramePoints& frame, const MapPlacing& placing, double height)
{
    for (size_t i = 0; i < frame.labelPlane.size(); ++i) {
        const Point2& plane = frame.labelPlane[i];
        auto label = std::make_unique<fe::cad::FigMText>();
        label->insertion = placing.registration.Transform(plane.x, plane.y);
        label->position = label->insertion;
        label->text = QStringLiteral("X:") + QString::number(plane.x, 'f', 2) + QStringLiteral("\\PY:") +
                      QString::number(plane.y, 'f', 2);
        label->chunks = QStringList{label->text};
        label->height = height;
        label->attachment = i < 2 ? 4 : 6;
        (void)document.AddToLayer(std::move(label), QStringLiteral("XY"));
    }
}

}  // namespace

CadMapOutput::CadMapOutput(const Project* project) : m_project(project) {}

bool CadMapOutput::WriteLocationMapDxf(int mapIndex, const LocationMap& map)
{
    reasonText.clear();
    errorText.clear();
    if (map.cadOutputFlag == 0 || map.kind != LocationMap::kRegisteredPicture) {
        return false;
    }

    MapPlacing placing;
    const QString registrationPath = m_project ? RegistrationPath(*m_project, map) : QString();
    if (registrationPath.isEmpty() || !placing.registration.Read(registrationPath)) {
        reasonText = kVersion1Reason;
        errorText = kOutputFailed;
        return false;
    }
    placing.hasZone = placing.converter.SetZone(map.zone);
    fe::geo::MapHelmart inverse;
    (void)map.MakeHelmertPair(placing.forward, inverse);

    // The size of 5 picture pixels in the drawing, along each axis. A map turned 45° against the
    // drawing has (next to) no size along one axis: the other one stands in for it, so that no mark
    // is drawn with a vanishing radius or text height.
    const Point2 q0 = placing.PictureToDrawing({0.0, 0.0});
    const Point2 q1 = placing.PictureToDrawing({1.0, 1.0});
    markUnitX = std::abs(q1.x - q0.x) * 5.0;
    markUnitY = std::abs(q1.y - q0.y) * 5.0;
    const bool xUsable =
        IsDrawableUnit(markUnitX) && !(IsDrawableUnit(markUnitY) && markUnitX < markUnitY * kVanishing);
    const bool yUsable =
        IsDrawableUnit(markUnitY) && !(IsDrawableUnit(markUnitX) && markUnitY < markUnitX * kVanishing);
    if (!xUsable && !yUsable) {
        errorText = kOutputFailed;
        return false;
    }
    if (!xUsable) {
        markUnitX = markUnitY;
    } else if (!yUsable) {
        markUnitY = markUnitX;
    }

    const QString cadFolder = m_project->CadFolder();
    if (!QFileInfo(cadFolder).isDir()) {
        QDir().mkdir(cadFolder);
    }
    const QString outputPath = cadFolder + QString::number(mapIndex + 1) + map.name + QStringLiteral(".dxf");

    const bool modern = versionCode > 5;
    const QString marksLayer = modern ? QStringLiteral("写真位置") : QStringLiteral("Photo");
    const QString frameLayer = modern ? QStringLiteral("平面図範囲") : QStringLiteral("Frame");
    Document document;
    document.AddLayer(QStringLiteral("0"), 7);
    const fe::cad::Rgb colour = markStyle.drawColor;
    document.AddLayer(marksLayer, fe::cad::NearestAci(fe::cad::RedOf(colour), fe::cad::GreenOf(colour),
                                                      fe::cad::BlueOf(colour)));
    document.AddLayer(frameLayer, 7);
    document.AddLayer(QStringLiteral("XY"), 7);

    std::optional<Rect2> range;
    const double mapAngle = map.NorthAngle();
    for (int i = 0; i < map.photos.Count(); ++i) {
        const PlacedPhoto& placed = map.photos.entries[static_cast<size_t>(i)];
        if (!IsSetValue(placed.x) || !IsSetValue(placed.y)) {
            continue;
        }
        Point2 plane = placing.forward.Map({placed.x, placed.y});
        bool hasDirection = false;
        const int photoIndex = placed.photoId >= 0 ? m_project->photos.IndexOfId(placed.photoId) : -1;
        if (photoIndex >= 0) {
            const PhotoRecord& record = m_project->photos.photos[static_cast<size_t>(photoIndex)];
            // The arrow follows the placed photo's own direction: without one there is nothing to draw.
            hasDirection = IsSetValue(record.direction) && IsSetValue(placed.direction);
            // The surveyed position wins over the place on the picture.
            if (placing.hasZone && record.HasPosition() && std::isfinite(record.position.longitude) &&
                std::isfinite(record.position.latitude)) {
                plane = placing.converter.ToPlaneXY(record.position);
            }
        }
        const Point2 centre = placing.registration.Transform(plane.x, plane.y);
        const Point2 labelPoint =
            placing.PictureToDrawing({placed.x + placed.labelOffset.x, placed.y + placed.labelOffset.y});
        if (!IsFinitePoint(centre) || !IsFinitePoint(labelPoint)) {
            continue;
        }
        const Rect2 markBox(centre.x - markUnitX, centre.y - markUnitY, centre.x + markUnitX,
                            centre.y + markUnitY);
        if (range) {
            range->Extend(markBox);
        } else {
            range = markBox;
        }
        MarkTurn turn{mapAngle, kUnset};
        if (IsSetValue(placed.direction) && !KeepsPlaneAxes(placing.registration, plane, mapAngle)) {
            turn.drawingAngle = DrawingDirection(placing.registration, plane, placed.direction);
        }
        AddPhotoMark(document, placed, marksLayer, centre, labelPoint, turn, map.photos.NumberText(i),
                     hasDirection);
    }

    const FramePoints frame = MakeFramePoints(map, placing);
    AddFrame(document, frameLayer, frame.drawing, versionCode);
    AddCornerLabels(document, frame, placing, 4.0 * markUnitY);

    // Without a mark the drawing's own extents (frame and labels) keep zoom-to-extents usable.
    const Rect2 extents = range ? *range : document.Extents();
    document.header.extents = extents;
    document.header.limits = extents;

    fe::cad::DxfWriter writer;
    writer.Reset();
    writer.version = versionCode;
    writer.nextHandle = 11;
    writer.textMode = fe::cad::Dxf::kTextModeTrueType;
    try {
        fe::cad::WriteDxfFile(writer, document, outputPath);
    } catch (const fe::Failure& failure) {
        errorText = outputPath + QStringLiteral("\n") + failure.Text();
        return false;
    } catch (...) {
        errorText = QStringLiteral("error");
        return false;
    }
    return true;
}
