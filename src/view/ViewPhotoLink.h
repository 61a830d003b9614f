#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>

#include "fe/gdi/Draw.h"
#include "fe/gdi/MapFunc2.h"
#include "fe/gdi/Resource.h"

namespace locmap {

// Draws one photograph, turned by its stored rotation and scaled through a picture-to-target mapping, into a
// painter: photo previews and the photo pictures of the reports.
class ViewPhotoLink : public fe::gdi::DrawDip
{
public:
    ViewPhotoLink();

    // Forgets the painter and the clips, fixed 96 DPI, identity mapping, empty pens, zoom factor 1.
    void Reset() override;
    // The three pens: white 1 px, RGB(204, 0, 0) 1 px and 2 px.
    virtual void SetupResources();
    // Begins on the painter and realises the pens; false without a painter.
    bool Begin(QPainter* dc) override;

    // The whole picture into the rectangle from the mapping of (0, 0), sized by the absolute mapped width and
    // height: a reversed mapping moves the picture but never mirrors it. Nothing without a painter.
    void DrawImage(const QImage& picture);

    // Sets the mapping so that the whole picture fits the target (0, 0)-(width, height) at one scale on
    // both axes, centred, then zoomed by zoomFactor about the target's centre. False, mapping unchanged,
    // for an empty picture or target.
    bool FitImage(const QImage& picture, QSize target);

    // The photo turned by its stored rotation (0, 90, 180 or 270, counter-clockwise); null for any other
    // rotation or when the turn fails.
    static QImage TurnedPhoto(const QImage& photo, int rotation);

    std::uint8_t smooth = 1;
    fe::gdi::MapFunc2 mapping;  // picture pixels to target pixels
    fe::gdi::Resource res;
    double zoomFactor = 1.0;  // kept for the users' fitting
};

}  // namespace locmap
