#pragma once

// The two projects of the opening road, made on disk before the program starts: a current project made
// through the model as the program makes one (photos imported from camera files, so with their stored
// copies and thumbnails, a web location map holding every photo and a drawn plan), and a first-version
// project file with its stored photos only, as a first-version program left it.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <vector>

#include "ProjectFileFixture.h"
#include "model/Project.h"

namespace opening {

// One camera photo of the site.
struct SitePhoto
{
    double latitude;
    double longitude;
    double direction;
    const char* date;
    const char* time;
};

// Photos along a river bank, some tens of metres apart.
inline const std::vector<SitePhoto>& SitePhotos()
{
    static const std::vector<SitePhoto> photos = {
        {35.68120, 139.76710, 45.0, "2024/06/03", "09:12:05"},
        {35.68155, 139.76755, 60.0, "2024/06/03", "09:14:40"},
        {35.68190, 139.76805, 90.0, "2024/06/03", "09:17:12"},
        {35.68230, 139.76850, 120.0, "2024/06/03", "09:20:31"},
        {35.68270, 139.76900, 150.0, "2024/06/03", "09:23:58"},
        {35.68300, 139.76960, 200.0, "2024/06/04", "10:02:44"},
    };
    return photos;
}

inline const QString kSiteName = QStringLiteral("護岸補修");
inline const QString kWebMapName = QStringLiteral("護岸全景");
inline const QString kPlanMapName = QStringLiteral("平面図");
inline const QString kFirstVersionName = QStringLiteral("旧護岸");

// A picture with a label, as a camera or a first-version program left it.
inline bool WritePicture(const QString& path, const QString& label, QColor colour, QSize size,
                         const char* format)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    QPainter painter(&picture);
    painter.fillRect(QRect(0, size.height() * 2 / 3, size.width(), size.height() / 3), colour.darker(150));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(size.height() / 6);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter, label);
    painter.end();
    return picture.save(path, format);
}

// A plan drawing: the river, the bank and the works' stations.
inline bool WritePlan(const QString& path)
{
    QImage plan(1200, 800, QImage::Format_RGB32);
    plan.fill(Qt::white);
    QPainter painter(&plan);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 90, 200), 6));
    painter.drawLine(60, 520, 1140, 300);
    painter.drawLine(60, 640, 1140, 420);
    painter.setPen(QPen(Qt::black, 3));
    for (int k = 0; k <= 5; ++k) {
        const int x = 120 + k * 200;
        painter.drawLine(x, 120, x, 760);
        painter.drawText(x + 6, 110, QStringLiteral("No.%1").arg(k));
    }
    painter.end();
    return plan.save(path, "PNG");
}

// The current project <parent>/護岸補修/護岸補修.kvr2; its file path, or empty when a part could not be made.
inline QString MakeSiteProject(const QString& parent)
{
    const QString camera = parent + QStringLiteral("/camera/");
    if (!QDir().mkpath(camera))
        return {};
    Project project;
    if (project.CreateNew(kSiteName, parent + u'/') != kProjectOk)
        return {};
    const auto& photos = SitePhotos();
    std::vector<int> all;
    for (size_t k = 0; k < photos.size(); ++k) {
        const QString file = camera + QStringLiteral("DSC0%1.JPG").arg(1201 + k);
        const QColor colour = QColor::fromHsv(int(100 + 25 * k) % 360, 120, 190);
        if (!WritePicture(file, QStringLiteral("No.%1").arg(k + 1), colour, {800, 600}, "JPEG") ||
            !project.ImportPhoto(file))
            return {};
        // The camera wrote no position: the photo is given the one the surveyor noted.
        PhotoRecord& record = project.photos.photos.back();
        record.position = fe::geo::GeoPoint(photos[k].longitude, photos[k].latitude);
        record.direction = photos[k].direction;
        record.date = QString::fromLatin1(photos[k].date);
        record.time = QString::fromLatin1(photos[k].time);
        all.push_back(int(k));
    }
    const SitePhoto& first = photos.front();
    const SitePhoto& last = photos.back();
    const Rect2 box(first.longitude - 0.001, first.latitude - 0.001, last.longitude + 0.001,
                    last.latitude + 0.001);
    if (!project.maps.AddWebMap(2, box, 17, false))
        return {};
    project.maps.maps.back().name = kWebMapName;
    (void)project.PlacePhotosOnMap(0, all, Point2(), fe::geo::GeoPoint(first.longitude, first.latitude));

    const QString plan = parent + QStringLiteral("/plan.png");
    if (!WritePlan(plan) || !project.AddImageMap(plan))
        return {};
    project.maps.maps.back().name = kPlanMapName;
    project.SyncPlacedPhotos();
    if (project.Save() != kProjectOk)
        return {};
    return project.ProjectFilePath();
}

// A first-version project <parent>/旧護岸/旧護岸.kvr (file version 6: two photos, one of them turned, and
// a web map "地図A" holding both) with the stored photos and the small-thumbnail folder it had, but
// none of the larger thumbnails a current project keeps. Its path, or empty.
inline QString MakeFirstVersionProject(const QString& parent)
{
    const QString folder = parent + u'/' + kFirstVersionName + u'/';
    if (!QDir().mkpath(folder + QStringLiteral("photo")) ||
        !QDir().mkpath(folder + QStringLiteral("photomini")))
        return {};
    for (int id = 1; id <= 2; ++id) {
        const QString stored = folder + QStringLiteral("photo/") + PhotoFileName(id);
        if (!WritePicture(stored, QStringLiteral("旧%1").arg(id), QColor(170, 130, 90), {640, 480}, "JPEG"))
            return {};
    }
    const QString path = folder + kFirstVersionName + QStringLiteral(".kvr");
    QFile file(path);
    const QByteArray bytes = ProjectFixtureFile(6);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

}  // namespace opening
