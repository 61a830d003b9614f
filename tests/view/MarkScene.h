#pragma once

#include <QPoint>
#include <QString>

#include "model/LocationMap.h"
#include "model/PhotoRecord.h"
#include "view/ViewMap.h"

// A picture map (kind 0) whose transform is the identity, so that placed photos sit at their own pixels,
// with the photos it needs.
struct MarkScene
{
    PhotoList photos;
    LocationMap map{1};

    MarkScene()
    {
        map.kind = LocationMap::kPicture;
        map.transform.Reset(LocationMapTransform::kNone);
    }

    // A displayed photo and its placed entry at the point. Without a record only the entry is made.
    PlacedPhoto& Add(int id, QPoint at, double direction, bool selected = false, const QString& number = {},
                     bool withRecord = true)
    {
        if (withRecord) {
            PhotoRecord photo(id);
            photo.flags = 1u | (selected ? PhotoRecord::kFlagSelected : 0u);
            photo.direction = direction;
            photos.photos.push_back(photo);
        }
        PlacedPhoto entry;
        entry.photoId = id;
        entry.x = at.x();
        entry.y = at.y();
        entry.direction = direction;
        entry.numberText = number;
        map.photos.entries.push_back(entry);
        return map.photos.entries.back();
    }

    // Screen look with a template colour: map palette, the style's defaults, the mark colour.
    static void Prepare(locmap::DrawLoc& drawer, std::uint32_t markColor)
    {
        drawer.UseMapPalette();
        drawer.style.Reset();
        drawer.palette.mapMark = markColor;
        drawer.SetupResources();
    }

    // Draws the scene's marks with the drawer begun on the painter.
    void Draw(locmap::ViewMap& drawer, QPainter& painter)
    {
        drawer.transform = &map.transform;
        ASSERT_TRUE(drawer.Begin(&painter));
        drawer.DrawMapPhotos(map, photos);
        drawer.End();
    }
};
