#pragma once

// A saved project whose photos have thumbnails of the three sizes (one photo without any), for the
// thumbnail wall's tests.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include "TempFolder.h"
#include "app/doc/TavrelDoc.h"
#include "app/thumbs/ThumbCell.h"

struct WallFixture
{
    TempFolder temp;
    CTavrelDoc doc;
    static constexpr int kMissing = 4;  // the place of the photo without thumbnails

    // Photos shot one per day (the first the oldest), ids 1 to count; every third has no position.
    explicit WallFixture(int count = 12)
    {
        const ProjectChangeOutcome made = doc.Change(ProjectChange::Photos, [&](Project& project) {
            EXPECT_EQ(project.CreateNew(QStringLiteral("現場"), temp.path()), kProjectOk);
            for (int k = 0; k < count; ++k) {
                PhotoRecord photo(project.photos.nextId++);
                photo.date = QStringLiteral("2024/05/%1").arg(k % 28 + 1, 2, 10, QLatin1Char('0'));
                photo.time = QStringLiteral("10:%1:00").arg(k / 28, 2, 10, QLatin1Char('0'));
                if (k % 3 != 2)
                    photo.position = fe::geo::GeoPoint(139.7 + k * 0.001, 35.6 + k * 0.001);
                project.photos.photos.push_back(photo);
                if (k != kMissing)
                    WriteThumbnails(project, photo.id, Colour(k));
            }
            return true;
        });
        EXPECT_TRUE(made.Ok());
    }

    static QColor Colour(int k) { return QColor::fromHsv((k * 37) % 360, 160, 200); }

    static void WriteThumbnails(const Project& project, int id, const QColor& colour)
    {
        const QString folders[3] = {project.ThumbFolderL(), project.ThumbFolderM(), project.ThumbFolderS()};
        for (int size = 0; size < 3; ++size) {
            QImage picture(app::ThumbCellSize(size), QImage::Format_RGB32);
            picture.fill(colour);
            QPainter painter(&picture);
            painter.setPen(Qt::white);
            painter.drawText(picture.rect(), Qt::AlignCenter, QString::number(id));
            painter.end();
            EXPECT_TRUE(picture.save(folders[size] + QStringLiteral("p%1.jpg").arg(id, 6, 10, QLatin1Char('0')),
                                     "JPG", 95));
        }
    }

    std::int32_t Id(int k) const { return doc.GetProject().photos.photos[static_cast<size_t>(k)].id; }
};
