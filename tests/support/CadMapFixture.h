#pragma once

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "TempFolder.h"
#include "fe/geo/PlaneRectConverter.h"
#include "model/Project.h"

// A project in a temporary folder whose location maps are pictures made from a CAD drawing in
// metres and registered in plane zone IX. The picture (1000 × 800 pixels, 0.5 m a pixel) lies in
// the drawing turned by pictureTurn; the plane lies turned by planeTurn against the drawing. Each
// map gets its "<picture>CAD.mhc" of four point pairs, the drawing points a few centimetres off, so
// that the registration is a true least-squares fit.
class CadMapFixture
{
public:
    static constexpr int kZone = 9;

    explicit CadMapFixture(double planeTurn = 0.3, double pictureTurn = 0.0)
        : m_planeTurn(planeTurn), m_pictureTurn(pictureTurn)
    {
        project.folder = temp.path() + QStringLiteral("/現場/");
        project.name = QStringLiteral("現場");
        QDir().mkpath(project.MapFolder());
    }

    Point2 PictureToDrawing(const Point2& p) const
    {
        return kDrawingOrigin + Point2(0.5 * p.x, -0.5 * p.y).Rotate(m_pictureTurn);
    }
    // (east, north) of a drawing point.
    Point2 DrawingToEastNorth(const Point2& d) const
    {
        return kEastNorthOrigin + (d - kDrawingOrigin).Rotate(m_planeTurn);
    }
    // (X north, Y east) of a picture point.
    Point2 PictureToPlane(const Point2& p) const
    {
        const Point2 en = DrawingToEastNorth(PictureToDrawing(p));
        return {en.y, en.x};
    }
    fe::geo::GeoPoint PictureToGeo(const Point2& p) const
    {
        fe::geo::GeoPoint geo;
        return fe::geo::PlaneRectConverter(kZone).ToGeoPoint(geo, PictureToPlane(p));
    }

    // Appends a ticked kind-1 map with its registration and an output frame turned by frameAngle.
    LocationMap& AddMap(const QString& name, double frameAngle, bool withCadRegistration = true)
    {
        LocationMap map = project.maps.MakeNewMap();
        map.kind = LocationMap::kRegisteredPicture;
        map.pictureFormat = 0;
        map.zone = kZone;
        map.pictureWidth = 1000;
        map.pictureHeight = 800;
        map.name = name;
        const Point2 p1(0, 0), p2(1000, 800);
        const Point2 x1 = PictureToPlane(p1), x2 = PictureToPlane(p2);
        map.reference = {p1, p2, {x1.y, x1.x}, {x2.y, x2.x}};
        map.frame.rectA = Rect2(100, 100, 900, 700);
        map.frame.angle = frameAngle;
        map.UpdateOutline();
        project.maps.Append(map);
        LocationMap& added = project.maps.maps.back();
        if (withCadRegistration) {
            WriteRegistration(added);
        }
        return added;
    }

    QString RegistrationPath(const LocationMap& map) const
    {
        return project.MapFolder() + QFileInfo(map.ImageFileName()).completeBaseName() +
               QStringLiteral("CAD.mhc");
    }

    void WriteRegistration(const LocationMap& map)
    {
        m_mhcFirst = {};
        m_mhcSecond = {};
        const Point2 corners[] = {{0, 0}, {1000, 800}, {1000, 0}, {0, 800}};
        const Point2 noise[] = {{0.01, -0.02}, {-0.015, 0.01}, {0.02, 0.005}, {-0.01, -0.01}};
        QString text = QStringLiteral("1\n4\n");
        for (int k = 0; k < 4; ++k) {
            const Point2 d = PictureToDrawing(corners[k]) + (exactRegistration ? Point2() : noise[k]);
            text += Number(d.x) + Number(d.y);
            m_mhcFirst.append(QJsonArray{d.x, d.y});
        }
        text += QStringLiteral("4\n");
        for (const Point2& corner : corners) {
            const Point2 en = DrawingToEastNorth(PictureToDrawing(corner));
            text += Number(en.x) + Number(en.y);
            m_mhcSecond.append(QJsonArray{en.x, en.y});
        }
        text += QStringLiteral("1\n0\n");
        WriteText(RegistrationPath(map), text);
    }

    static void WriteText(const QString& path, const QString& text)
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(text.toUtf8());
    }

    // Adds a photo record and places it on the map. A direction of kUnset leaves it unset; a
    // record position off the mark is given in picture pixels (recordAt), else the record has none.
    PlacedPhoto& Place(LocationMap& map, const Point2& at, double direction, const QString& number,
                       const Point2* recordAt = nullptr, double placedDirection = -1.0)
    {
        PhotoRecord record(project.photos.nextId++);
        record.direction = direction;
        if (recordAt) {
            record.position = PictureToGeo(*recordAt);
        }
        project.photos.photos.push_back(record);
        PlacedPhoto placed;
        placed.photoId = record.id;
        placed.x = at.x;
        placed.y = at.y;
        placed.direction = placedDirection == -1.0 ? direction : placedDirection;
        placed.labelOffset = Point2(12, -8);
        placed.numberText = number;
        map.photos.entries.push_back(placed);
        return map.photos.entries.back();
    }

    // What cad_map_check.py needs to know about the map; `photos` describes each placed photo.
    QJsonObject Describe(const LocationMap& map, const QJsonArray& photos, bool modernLayers = true) const
    {
        QJsonArray outline;
        for (const fe::geo::GeoPoint& g : map.outline) {
            outline.append(QJsonArray{g.longitude, g.latitude});
        }
        QJsonArray corners;
        for (const Point2& c : map.frame.Corners()) {
            corners.append(QJsonArray{c.x, c.y});
        }
        const MapReference& r = map.reference;
        return QJsonObject{
            {"zone", map.zone},
            {"reference", QJsonObject{{"picture1", QJsonArray{r.picture1.x, r.picture1.y}},
                                      {"picture2", QJsonArray{r.picture2.x, r.picture2.y}},
                                      {"plane1", QJsonArray{r.plane1.x, r.plane1.y}},
                                      {"plane2", QJsonArray{r.plane2.x, r.plane2.y}}}},
            {"mhcFirst", m_mhcFirst},
            {"mhcSecond", m_mhcSecond},
            {"frameTurned", std::abs(map.frame.angle) >= 0.1},
            {"corners", corners},
            {"outline", outline},
            {"photos", photos},
            {"marksLayer", modernLayers ? QStringLiteral("写真位置") : QStringLiteral("Photo")},
            {"frameLayer", modernLayers ? QStringLiteral("平面図範囲") : QStringLiteral("Frame")},
        };
    }

    QString WriteDescription(const QJsonObject& description) const
    {
        const QString path = temp.file(QStringLiteral("fixture.json"));
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(QJsonDocument(description).toJson());
        return path;
    }

    TempFolder temp;
    Project project;
    // Registration points without their centimetres of noise.
    bool exactRegistration = false;

private:
    static QString Number(double v) { return QString::number(v, 'g', 17) + QLatin1Char('\n'); }

    static constexpr Point2 kDrawingOrigin{2500.0, 7300.0};
    static constexpr Point2 kEastNorthOrigin{-12000.0, 35000.0};
    double m_planeTurn;
    double m_pictureTurn;
    QJsonArray m_mhcFirst;
    QJsonArray m_mhcSecond;
};
