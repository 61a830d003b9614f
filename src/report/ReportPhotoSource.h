#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// What the report engine needs of the open project's photos. The document supplies it, so that the
// engine does not depend on the project model.
class ReportPhotoSource
{
public:
    struct Photo
    {
        int rotation = 0;    // 0, 90, 180 or 270
        QString storedFile;  // the project's stored copy of the photo ("p%06d.jpg" of its id)
    };

    virtual ~ReportPhotoSource() = default;
    // False when the project has no photo of that id.
    virtual bool FindPhoto(int photoId, Photo& photo) const = 0;
    // The photo as stored, not turned, fitted into the box and never enlarged (the whole photo for an
    // empty box); the project's placeholder picture when its file is missing; a null image when it cannot
    // be read at all.
    virtual QImage LoadPhotoImage(int photoId, QSize box) const = 0;
    // The photo quality of the report options: 0 standard, 1 high, 2 highest.
    virtual int PhotoQuality() const = 0;
};
