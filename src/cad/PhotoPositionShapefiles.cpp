#include "cad/PhotoPositionShapefiles.h"

#include <QRegularExpression>
#include <cmath>
#include <numbers>
#include <string>

#include "cad/CadOutputValues.h"
#include "cad/ShapeData.h"
#include "fe/Cp932.h"
#include "model/PhotoRecord.h"

using fe::cad::IsSetValue;

namespace {

// Sizes of the direction mark, in degrees of longitude and latitude.
constexpr double kCircleRadius = 9e-6;
constexpr double kShaftLength = 1.8e-5;
constexpr double kBarbLength = 7.2e-6;
// The barbs turn 165° from the shaft's direction, pointing back along it.
constexpr double kBarbTurn = 2.8797932657906435;
constexpr int kCirclePoints = 50;

// The value as the attribute table stores it: code page 932 bytes, at most 253 of them.
std::string Cell(const QString& text)
{
    const QByteArray bytes = fe::ToCp932(text);
    return std::string(bytes.constData(), static_cast<size_t>(std::min<qsizetype>(bytes.size(), 253)));
}

// YYYYMMDD of a date "y/m/d"; a date written with single-digit month or day still gives eight
// digits. Any other text loses its '/' only.
QString DateCell(const QString& date)
{
    static const QRegularExpression ymd(QStringLiteral("^(\\d{1,4})/(\\d{1,2})/(\\d{1,2})$"));
    const QRegularExpressionMatch match = ymd.match(date);
    if (match.hasMatch()) {
        return QStringLiteral("%1%2%3")
            .arg(match.captured(1).toInt(), 4, 10, QLatin1Char('0'))
            .arg(match.captured(2).toInt(), 2, 10, QLatin1Char('0'))
            .arg(match.captured(3).toInt(), 2, 10, QLatin1Char('0'));
    }
    QString text = date;
    return text.remove(QLatin1Char('/'));
}

// The circle around the photo with, when the direction is set, an arrow from the circle outwards:
// barb, tip, barb, tip, base of the shaft, then once around the circle from the shaft's foot.
std::unique_ptr<fe::ShapePolyLine> DirectionMark(double lon, double lat, double direction)
{
    auto line = std::make_unique<fe::ShapePolyLine>();
    line->parts = {0};
    double theta = 0.0;
    if (IsSetValue(direction)) {
        theta = (90.0 - direction) * std::numbers::pi / 180.0;
        const Point2 along(std::cos(theta), std::sin(theta));
        const Point2 base = Point2(lon, lat) + along.Scale(kCircleRadius);
        const Point2 tip = base + along.Scale(kShaftLength);
        const Point2 back = (tip - base).Unit().Scale(kBarbLength);
        line->points = {tip + back.Rotate(kBarbTurn), tip, tip + back.Rotate(-kBarbTurn), tip, base};
    }
    for (int k = 0; k < kCirclePoints; ++k) {
        const double a = theta + k * 2.0 * std::numbers::pi / kCirclePoints;
        line->points.emplace_back(lon + kCircleRadius * std::cos(a), lat + kCircleRadius * std::sin(a));
    }
    line->points.emplace_back(lon + kCircleRadius * std::cos(theta), lat + kCircleRadius * std::sin(theta));
    line->UpdateBounds();
    return line;
}

void FillRow(std::vector<std::string>& row, const std::vector<std::string>& values)
{
    for (size_t i = 0; i < row.size() && i < values.size(); ++i) {
        row[i] = values[i];
    }
}

bool WriteOneSet(const fe::ShapeData& set, const QString& path)
{
    fe::ShapeData prepared;
    prepared.PrepareFrom(set);
    if (!prepared.WriteSet(path)) {
        return false;
    }
    (void)prepared.WritePrj(path);
    return true;
}

bool WriteSets(const PhotoList& photos, const QString& folder, const QString& baseName)
{
    fe::ShapeData pointSet;
    fe::ShapeData directionSet;
    AddPhotoPositionFields(pointSet);
    AddPhotoPositionFields(directionSet);
    for (size_t i = 0; i < photos.photos.size(); ++i) {
        const PhotoRecord& photo = photos.photos[i];
        const double lon = photo.position.longitude;
        const double lat = photo.position.latitude;
        const bool positioned = IsSetValue(lon) && IsSetValue(lat);
        const double direction = photo.direction;
        const std::vector<std::string> values{
            std::to_string(i + 1),
            positioned ? Cell(QString::number(lon, 'f', 7)) : std::string(),
            positioned ? Cell(QString::number(lat, 'f', 7)) : std::string(),
            IsSetValue(direction) ? Cell(QString::number(direction, 'f', 1)) : std::string(),
            Cell(DateCell(photo.date)),
            Cell(photo.time),
        };
        std::unique_ptr<fe::ShapeBase> point;
        std::unique_ptr<fe::ShapeBase> mark;
        if (positioned) {
            point = std::make_unique<fe::ShapePoint>(lon, lat);
            mark = DirectionMark(lon, lat, direction);
        } else {
            point = std::make_unique<fe::ShapeBase>();
            mark = std::make_unique<fe::ShapeBase>();
        }
        point->recordNumber = static_cast<int>(i + 1);
        mark->recordNumber = static_cast<int>(i + 1);
        FillRow(pointSet.AddRecord(std::move(point)), values);
        FillRow(directionSet.AddRecord(std::move(mark)), values);
    }

    QString stem = folder;
    if (!stem.isEmpty() && !stem.endsWith(QLatin1Char('/')) && !stem.endsWith(QLatin1Char('\\'))) {
        stem += QLatin1Char('/');
    }
    stem += baseName;
    const bool pointsWritten = WriteOneSet(pointSet, stem + QStringLiteral("_point"));
    const bool directionsWritten = WriteOneSet(directionSet, stem + QStringLiteral("_dir"));
    return pointsWritten && directionsWritten;
}

}  // namespace

void AddPhotoPositionFields(fe::ShapeData& set)
{
    set.AddField({"ID", 3, 5, 0});
    set.AddField({"LONGITUDE", 2, 12, 7});
    set.AddField({"LATITUDE", 2, 12, 7});
    set.AddField({"ANGLE", 2, 6, 1});
    set.AddField({"DATE", 1, 8, 0});
    set.AddField({"TIME", 0, 10, 0});
}

bool WritePhotoPositionShapefiles(const PhotoList& photos, const QString& folder, const QString& baseName)
{
    if (photos.photos.empty()) {
        return true;
    }
    try {
        return WriteSets(photos, folder, baseName);
    } catch (...) {
        return false;  // out of memory or a failing library call: the caller reports it
    }
}
