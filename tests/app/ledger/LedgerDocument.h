#pragma once

// A saved project for the photo ledger's tests: twelve photos with stored copies (400 × 300, a different
// colour in each quarter) and thumbnails, a picture map "堤防" whose ledger holds eleven of them and one
// entry whose photo has gone (id 99), and a web map that holds photo 1 as well.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include "TempFolder.h"
#include "app/doc/TavrelDoc.h"
#include "model/ProjectFile.h"

namespace ledger_test {

inline constexpr int kPhotos = 12;
inline constexpr int kGoneId = 99;
inline constexpr int kGoneRow = 5;  // the entry of the gone photo
inline constexpr int kPhotoWidth = 400;
inline constexpr int kPhotoHeight = 300;

// Entry order on the map: ids 1 to 4, the gone photo, ids 5 to 11 (photo 12 is not placed).
inline std::vector<int> EntryIds()
{
    return {1, 2, 3, 4, kGoneId, 5, 6, 7, 8, 9, 10, 11};
}

// Shot dates run against the id order for ids 1 to 6 (so sorts have something to do).
inline QString DateOf(int id)
{
    return QStringLiteral("2024/05/%1").arg(20 - id, 2, 10, QChar('0'));
}

inline QImage QuarterPicture()
{
    QImage picture(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    const int w = kPhotoWidth / 2, h = kPhotoHeight / 2;
    painter.fillRect(0, 0, w, h, QColor(255, 0, 0));
    painter.fillRect(w, 0, w, h, QColor(0, 255, 0));
    painter.fillRect(0, h, w, h, QColor(0, 0, 255));
    painter.fillRect(w, h, w, h, QColor(255, 255, 0));
    return picture;
}

struct LedgerDocument
{
    TempFolder temp;
    CTavrelDoc doc;

    LedgerDocument()
    {
        const ProjectChangeOutcome made = doc.Change(ProjectChange::Photos | ProjectChange::Maps, [&](Project& p) {
            EXPECT_EQ(p.CreateNew(QStringLiteral("現場"), temp.path()), kProjectOk);
            const QImage picture = QuarterPicture();
            for (int id = 1; id <= kPhotos; ++id) {
                PhotoRecord photo(p.photos.nextId++);
                photo.sourceName = QStringLiteral("IMG_%1.JPG").arg(id);
                photo.date = DateOf(id);
                photo.time = QStringLiteral("10:%1:00").arg(id, 2, 10, QChar('0'));
                photo.position = fe::geo::GeoPoint(139.0 + id * 0.01, 35.0 + (id % 4) * 0.01);
                EXPECT_TRUE(picture.save(p.PhotoFolder() + photo.FileName(), "JPG", 95));
                p.photos.photos.push_back(photo);
                EXPECT_TRUE(p.RemakeThumbnails(int(p.photos.photos.size()) - 1));
            }
            LocationMap map(p.maps.nextId++, p.maps.nextNumber++);
            map.kind = LocationMap::kPicture;
            map.name = QStringLiteral("堤防");
            LocationMap web(p.maps.nextId++, p.maps.nextNumber++);
            web.kind = LocationMap::kWebStandard;
            web.name = QStringLiteral("全景");
            p.maps.maps.push_back(map);
            p.maps.maps.push_back(web);
            return true;
        });
        EXPECT_TRUE(made.Ok());
        // Entries are added as placed photos only, so that the entry of the gone photo stays.
        const ProjectChangeOutcome placed = doc.Change(ProjectChange::PlacedPhotos, [&](Project& p) {
            int k = 0;
            for (const int id : EntryIds()) {
                PlacedPhoto entry;
                entry.photoId = id;
                entry.x = 100 + 37 * ((k * 5) % 12);  // a shuffled order along x
                entry.y = 50 + 11 * k;
                entry.numberText = QStringLiteral("P%1").arg(k + 1);
                entry.comment = id == 3 ? QStringLiteral("abc") : QString();
                entry.frame = Rect2(0, 0, kPhotoWidth, kPhotoHeight);
                p.maps.maps[0].photos.entries.push_back(entry);
                ++k;
            }
            PlacedPhoto onWeb;
            onWeb.photoId = 1;
            onWeb.frame = Rect2(10, 10, 200, 150);
            p.maps.maps[1].photos.entries.push_back(onWeb);
            return true;
        });
        EXPECT_TRUE(placed.Ok());
    }

    const Project& project() const { return doc.GetProject(); }
    const LocationMap& map(int index = 0) const { return project().maps.maps[size_t(index)]; }
    const PhotoRecord* photo(int id) const { return project().photos.Find(id); }

    // The project as the file on disk holds it.
    Project Saved() const
    {
        Project read;
        EXPECT_EQ(LoadProject(read, project().ProjectFilePath()), kProjectOk);
        return read;
    }
};

}  // namespace ledger_test
