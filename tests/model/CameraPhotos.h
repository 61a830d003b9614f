#pragma once

#include <QColor>
#include <QString>

#include "fe/Unset.h"

// Camera-style JPEGs made by the tests: a picture whose top rows are red (so a test can tell how a
// thumbnail was turned) and EXIF tags written as a camera writes them.
struct CameraShot
{
    double longitude = kUnset;
    double latitude = kUnset;
    double direction = kUnset;
    QString dateTime;      // "YYYY:MM:DD hh:mm:ss"; empty: no date-time tag
    int orientation = -1;  // EXIF 1-8; negative: no orientation tag
};

// Writes the JPEG; false when it cannot. Without any EXIF field the file has no EXIF at all.
bool MakeCameraPhoto(const QString& path, int width, int height, const CameraShot& shot = {});

// True when most of the pixel's colour is red.
bool IsRed(const QColor& color);
