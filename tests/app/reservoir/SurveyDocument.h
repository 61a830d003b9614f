#pragma once

// A document with a saved project for the survey dialog's tests: five photos (the fifth deleted again),
// two maps, the first with four placed photos whose comments say which is which and the fifth photo's
// entry left behind, and small JPEG files of the photos and their thumbnails.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include "FileBytes.h"
#include "TempFolder.h"
#include "app/doc/TavrelDoc.h"
#include "model/AppSettings.h"
#include "model/ProjectFile.h"

struct SurveyDocument
{
    TempFolder temp;
    CTavrelDoc doc;
    AppSettings settings;

    static QByteArray Jpeg(int width, int height, QColor colour)
    {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(colour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "jpeg").write(picture);
        return bytes;
    }

    explicit SurveyDocument(int placedOnFirstMap = 4)
    {
        doc.appSettings = &settings;
        const ProjectChangeOutcome made = doc.Change(ProjectChange::Photos, [&](Project& project) {
            EXPECT_EQ(project.CreateNew(QStringLiteral("現場"), temp.path()), kProjectOk);
            // Shot on days 3, 1, 4, 2 and 5.
            const int days[] = {3, 1, 4, 2, 5};
            for (int k = 0; k < 5; ++k) {
                PhotoRecord photo(project.photos.nextId++);
                photo.date = QStringLiteral("2024/06/0%1").arg(days[k]);
                photo.time = QStringLiteral("09:0%1:00").arg(k);
                project.photos.photos.push_back(photo);
                WriteAll(project.PhotoFolder() + photo.FileName(), Jpeg(120, 90, QColor(40 * k, 90, 200)));
                WriteAll(project.ThumbFolderS() + photo.FileName(), Jpeg(64, 48, QColor(40 * k, 90, 200)));
            }
            for (const char* name : {"堤A", "堤B"}) {
                LocationMap map;
                map.name = QString::fromUtf8(name);
                map.id = project.maps.nextId++;
                project.maps.maps.push_back(map);
            }
            LocationMap& first = project.maps.maps[0];
            for (int k = 0; k < placedOnFirstMap; ++k) {
                PlacedPhoto entry;
                entry.photoId = k + 1;
                entry.numberText = QStringLiteral("P%1").arg(k + 1);
                entry.comment = QStringLiteral("写真%1の変状\n二行目").arg(k + 1);
                first.photos.entries.push_back(entry);
            }
            PlacedPhoto second;
            second.photoId = 2;
            second.comment = QStringLiteral("堤Bの写真");
            project.maps.maps[1].photos.entries.push_back(second);
            return true;
        });
        EXPECT_TRUE(made.Ok());
        // The fifth photo goes from the list but stays placed, as a file edited elsewhere may leave it.
        const ProjectChangeOutcome left = doc.Change(ProjectChange::Maps, [&](Project& project) {
            PlacedPhoto orphan;
            orphan.photoId = 5;
            orphan.comment = QStringLiteral("消えた写真");
            project.maps.maps[0].photos.entries.push_back(orphan);
            project.photos.photos.pop_back();
            return true;
        });
        EXPECT_TRUE(left.Ok());
    }

    const Project& project() const { return doc.GetProject(); }
    // The project as a reopen would find it.
    Project Reread() const
    {
        Project read;
        EXPECT_EQ(LoadProject(read, project().ProjectFilePath()), kProjectOk);
        return read;
    }
    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = temp.file(name);
        WriteAll(path, bytes);
        return path;
    }
};
