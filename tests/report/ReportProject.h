#pragma once

// A project for the location-map report tests: photos in colours of their own, picture maps and web maps
// (their tiles put into the disk cache beforehand) with the photos placed and commented, and the run.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include "TempFolder.h"
#include "fe/AppFolders.h"
#include "fe/geo/GeoPoint.h"
#include "model/AppSettings.h"
#include "model/Project.h"
#include "report/LocationMapReport.h"

namespace report_test {

inline const QString kTemplate = QStringLiteral(KELVOR_SOURCE_DIR "/data/Systems/report.xlsx");
constexpr int kTileZoom = 16;
inline const fe::geo::GeoPoint kSite(139.75, 35.68);

inline bool WritePicture(const QString& path, const QImage& image, const char* format)
{
    return QDir().mkpath(QFileInfo(path).absolutePath()) && image.save(path, format);
}

// A project in a temporary folder with photos, a picture map and a web map over tiles put into the
// disk cache beforehand.
struct ReportProject
{
    TempFolder parent;
    Project project;

    ReportProject()
    {
        EXPECT_EQ(project.CreateNew(QStringLiteral("現場"), parent.path()), 0);
        project.outputOptions = ReportOutputOptions();
        project.outputOptions.outputPhotoList = 0;
    }

    QString Out() const { return project.DatedExcelFolder(); }

    // Photos 1..n, 320 × 240, each in a colour of its own, shot 2020/04/01 09:05:30.
    void AddPhotos(int n)
    {
        for (int k = 1; k <= n; ++k) {
            PhotoRecord photo(k);
            photo.date = QStringLiteral("2020/04/01");
            photo.time = QStringLiteral("09:05:30");
            photo.position = fe::geo::GeoPoint(kSite.longitude + (k % 6 - 3) * 0.0003,
                                               kSite.latitude + (k / 6 - 2) * 0.0002);
            photo.flags = 1u | (k == 1 ? PhotoRecord::kFlagSelected : 0u);
            project.photos.photos.push_back(photo);
            QImage image(320, 240, QImage::Format_RGB32);
            image.fill(QColor::fromHsv((k * 37) % 360, 160, 220));
            QPainter(&image).drawText(20, 40, QStringLiteral("写真 %1").arg(k));
            EXPECT_TRUE(WritePicture(project.PhotoFolder() + PhotoFileName(k), image, "JPEG"));
        }
        project.photos.nextId = n + 1;
    }

    void Place(LocationMap& map, int count, bool web)
    {
        for (int k = 1; k <= count && k <= int(project.photos.photos.size()); ++k) {
            const PhotoRecord& photo = project.photos.photos[size_t(k - 1)];
            PlacedPhoto entry;
            entry.photoId = photo.id;
            entry.x = web ? photo.position.longitude : 40.0 + (k * 53) % 320;
            entry.y = web ? photo.position.latitude : 40.0 + (k * 31) % 220;
            entry.direction = (k * 45) % 360;
            entry.numberText = QStringLiteral("No.%1").arg(k);
            entry.comment = QStringLiteral("護岸の状況 %1\r\n上流側から撮影").arg(k);
            map.photos.entries.push_back(entry);
        }
    }

    // A map of kind 0 over a 400 × 300 plan.
    int AddPictureMap(const QString& name, int photos)
    {
        LocationMap map = project.maps.MakeNewMap();
        map.kind = LocationMap::kPicture;
        map.name = name;
        map.pictureFormat = 1;
        map.pictureWidth = 400;
        map.pictureHeight = 300;
        map.frame.rectA = Rect2(0, 0, 400, 300);
        map.transform.Reset(LocationMapTransform::kNone);
        map.itemValues.texts = {QStringLiteral("河川"), QStringLiteral("一級河川 第2工区"),
                                QStringLiteral("右岸 12k+300"),
                                QStringLiteral("護岸崩落\r\n\r\n延長 20m\r\n高さ 3m\r\n以下略\r\n")};
        Place(map, photos, false);
        QImage plan(400, 300, QImage::Format_RGB32);
        plan.fill(Qt::white);
        QPainter p(&plan);
        p.setPen(QPen(QColor(120, 170, 230), 14));
        p.drawLine(0, 220, 400, 160);
        p.setPen(QPen(Qt::darkGray, 2));
        p.drawRect(60, 50, 120, 70);
        p.end();
        project.maps.Append(map);
        EXPECT_TRUE(
            WritePicture(project.MapFolder() + project.maps.maps.back().ImageFileName(), plan, "PNG"));
        return project.maps.Count() - 1;
    }

    // A web map of kind 2 around the site at zoom 16, its tiles in the writable folder's cache.
    int AddWebMap(const QString& name, int photos)
    {
        LocationMap map = project.maps.MakeNewMap();
        EXPECT_TRUE(map.SetWebMap(LocationMap::kWebStandard,
                                  Rect2(kSite.longitude - 0.0012, kSite.latitude - 0.0008,
                                        kSite.longitude + 0.0012, kSite.latitude + 0.0008),
                                  kTileZoom));
        map.name = name;  // after SetWebMap, which starts the map afresh
        map.zone = 9;
        Place(map, photos, true);
        project.maps.Append(map);
        const fe::geo::TileSite site = AppSettings::Defaults().tileSites.at(0);
        const Point2 world = kSite.ToWorldPixel(kTileZoom);
        for (int x = int(world.x) / 256 - 2; x <= int(world.x) / 256 + 2; ++x) {
            for (int y = int(world.y) / 256 - 2; y <= int(world.y) / 256 + 2; ++y) {
                QImage tile(256, 256, QImage::Format_RGB32);
                tile.fill(QColor(242, 239, 233));
                QPainter(&tile).fillRect(0, 100 + (x % 3) * 10, 256, 12, Qt::white);
                EXPECT_TRUE(WritePicture(fe::GetWritableFolder() + QStringLiteral("geocache/%1/%2/%3/%4%5")
                                                                       .arg(site.cacheFolderName)
                                                                       .arg(kTileZoom)
                                                                       .arg(x)
                                                                       .arg(y)
                                                                       .arg(site.extension),
                                         tile, "PNG"));
            }
        }
        return project.maps.Count() - 1;
    }

    // Only the listed maps are ticked for the report.
    void Tick(std::initializer_list<int> maps)
    {
        for (LocationMap& map : project.maps.maps)
            map.outputFlag = 0;
        for (int i : maps)
            project.maps.maps[size_t(i)].outputFlag = 1;
    }

    int Run(QString* message = nullptr)
    {
        LocationMapReport report(project, kTemplate);
        const int result = report.Run(Out());
        if (message)
            *message = report.ResultMessage(result);
        return result;
    }

    QString Book(const QString& name) const { return Out() + name; }
};

}  // namespace report_test
