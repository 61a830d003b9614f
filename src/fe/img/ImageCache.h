#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "fe/img/PictureFile.h"

class QImage;

namespace fe::img {

// The temporary pictures the workbook outputs put into workbooks (turned and rendered photos, map
// pictures). Each cache makes a private folder "imgcache-XXXXXX/" in the writable folder, so that two
// runs never share or delete each other's pictures; the folder goes with everything in it on Remove.
class ImageCache
{
public:
    ImageCache() = default;
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;
    virtual ~ImageCache();

    // Removes a folder made before, makes a new one, resets the running number and starts the picture
    // saver. False, with an empty path, when no folder can be made.
    bool Create();
    // Deletes the folder with everything in it and empties the path.
    void Remove();

    QString Path() const;  // ends with '/', or empty
    // The running number for the next picture file name; each call takes one.
    int NextNumber() { return m_number++; }
    FileIO& Files() { return m_fileIO; }

    // Saves the picture as "img<n>." + jpg, png, gif, tif or bmp for types 0 to 4 and gives its path.
    // False when there is no folder, for another type (the number is then kept), or when the save fails;
    // the running number moves on whatever the save gives.
    bool SaveImage(const QImage& image, int type, QString& path);

private:
    int m_number = 0;
    std::unique_ptr<QTemporaryDir> m_dir;
    FileIO m_fileIO{FileIO::NotStarted{}};
};

}  // namespace fe::img
