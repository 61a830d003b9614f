#pragma once

// The project of the Excel road, built through the model on disk: the list-export project's 22 photos with
// their stored copies and thumbnails, and its two location maps made as the program makes them: "堤A", a
// plan picture registered in zone 9 over photos 1 to 16 holding their 16 entries (one without number,
// one whose photo has gone, two whose photos have no position: the program lets those three go when it
// reads the project), and "全景", a standard web map around photos 17 to 19 whose tiles come from the
// road's server (a few pre-filled in the cache).

#include <QDir>
#include <QImage>
#include <QPainter>

#include "ListExportProject.h"
#include "fe/geo/PlaneRectConverter.h"
#include "model/Project.h"

namespace excel_road {

inline constexpr int kTileZoom = 16;
inline constexpr int kPlanWidth = 400, kPlanHeight = 300;
// Entries the program keeps on the plan: 16 placed, less the gone photo and the two without position.
inline constexpr int kPlanEntries = 13;
// The web map's box {west, east, south, north} around photos 17 to 19.
inline const Rect2 kWebBox(139.031, 35.0155, 139.041, 35.0205);
inline double WebCentreLatitude()
{
    return (kWebBox.y0 + kWebBox.y1) / 2;
}
inline double WebCentreLongitude()
{
    return (kWebBox.x0 + kWebBox.x1) / 2;
}

// The plan of the registered map: a river band, a bank and a title, 400 × 300.
inline QImage PlanPicture()
{
    QImage plan(kPlanWidth, kPlanHeight, QImage::Format_RGB32);
    plan.fill(QColor(252, 250, 240));
    QPainter painter(&plan);
    painter.setPen(QPen(QColor(120, 170, 230), 22));
    painter.drawLine(0, 200, 400, 150);
    painter.setPen(QPen(QColor(90, 90, 90), 3));
    painter.drawLine(0, 170, 400, 120);
    painter.drawRect(90, 30, 200, 70);
    painter.drawText(20, 280, QStringLiteral("堤A 平面図"));
    return plan;
}

// The plan's registration: east to the right and north up, the east-west spread of photos 1 to 16 with a
// margin across its width, their middle in its middle. Plane points are stored east first, then north.
inline MapReference PlanReference(const Project& project)
{
    const fe::geo::PlaneRectConverter zone(9);
    double north0 = 1e300, north1 = -1e300, east0 = 1e300, east1 = -1e300;
    for (const PhotoRecord& photo : project.photos.photos) {
        if (photo.id > 16 || !photo.HasPosition())
            continue;
        const Point2 xy = zone.ToPlaneXY(photo.position);
        north0 = std::min(north0, xy.x);
        north1 = std::max(north1, xy.x);
        east0 = std::min(east0, xy.y);
        east1 = std::max(east1, xy.y);
    }
    const double metresPerPixel = (east1 - east0) * 1.3 / kPlanWidth;
    const double left = (east0 + east1) / 2 - kPlanWidth / 2 * metresPerPixel;
    const double top = (north0 + north1) / 2 + kPlanHeight / 2 * metresPerPixel;
    MapReference reference;
    reference.picture1 = {0, 0};
    reference.picture2 = {double(kPlanWidth), 0};
    reference.plane1 = {left, top};
    reference.plane2 = {left + kPlanWidth * metresPerPixel, top};
    return reference;
}

// The project in `root`/現場/, saved; false when a file could not be written.
inline bool MakeProject(const QString& root, Project& project)
{
    if (!list_export::MakeProject(root, project))
        return false;
    LocationMap bank = project.maps.maps[0];
    bank.reference = PlanReference(project);
    const LocationMap overview = project.maps.maps[1];
    project.maps.Clear();

    // The bank's plan goes in as the map import takes it: a picture with its registration file.
    const QString plan = QDir(root).filePath(QStringLiteral("plan.png"));
    const QString registration = QDir(root).filePath(QStringLiteral("plan.mhc"));
    if (!PlanPicture().save(plan, "PNG") || !bank.WriteRegistration(registration) ||
        !project.AddRegisteredImageMap(plan, registration, bank.zone))
        return false;
    LocationMap& registered = project.maps.maps.back();
    registered.name = bank.name;
    registered.photos = bank.photos;
    registered.itemValues.texts = {QStringLiteral("河川"), QStringLiteral("一級河川 堤A"),
                                   QStringLiteral("右岸 3k+200"), QStringLiteral("護岸の洗掘\r\n延長 15m\r\n")};

    if (!project.maps.AddWebMap(LocationMap::kWebStandard, kWebBox, kTileZoom, false))
        return false;
    LocationMap& web = project.maps.maps.back();
    web.name = overview.name;
    web.zone = overview.zone;
    web.photos = overview.photos;

    for (int index = 0; index < int(project.photos.photos.size()); ++index) {
        if (!project.RemakeThumbnails(index))
            return false;
    }
    return project.Save() == kProjectOk;
}

}  // namespace excel_road
