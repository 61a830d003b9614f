#pragma once

// A document with a saved project that holds the track scenario's photos, for the track commands' and
// the track dialog's tests.

#include <gtest/gtest.h>

#include "FileBytes.h"
#include "TempFolder.h"
#include "TrackCsvScenario.h"
#include "app/doc/TavrelDoc.h"
#include "model/AppSettings.h"

struct TrackDocument
{
    TempFolder temp;
    CTavrelDoc doc;
    AppSettings settings;
    int announced = 0;

    TrackDocument()
    {
        const ProjectChangeOutcome made = doc.Change(ProjectChange::Photos, [&](Project& project) {
            EXPECT_EQ(project.CreateNew(QStringLiteral("現場"), temp.path()), kProjectOk);
            for (const track_scenario::Photo& p : track_scenario::Photos()) {
                PhotoRecord photo(project.photos.nextId++);
                photo.date = p.date;
                photo.time = p.time;
                photo.position = fe::geo::GeoPoint(track_scenario::kStartLon, track_scenario::kStartLat);
                project.photos.photos.push_back(photo);
            }
            return true;
        });
        EXPECT_TRUE(made.Ok());
        QObject::connect(&doc, &CTavrelDoc::ProjectChanged, [this](ProjectChanges) { ++announced; });
    }

    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = temp.file(name);
        WriteAll(path, bytes);
        return path;
    }
    QByteArray ProjectBytes() const { return ReadAll(doc.GetProject().ProjectFilePath()); }
};
