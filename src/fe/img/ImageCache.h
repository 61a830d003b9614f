#pragma once

#include <QString>

#include "fe/img/PictureFile.h"

namespace fe::img {

// A fresh folder "imgcache/" in the writable folder for the pictures the workbook outputs put into
// workbooks; it is emptied when made and removed with everything in it afterwards.
class ImageCache
{
public:
    ImageCache() = default;
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;
    virtual ~ImageCache();

    // Removes a folder made before, deletes an old folder of that name, makes it anew, resets the
    // running number and starts the picture saver. False, with an empty path, when no folder can be made.
    bool Create();
    // Deletes the folder with everything in it and empties the path.
    void Remove();

    const QString& Path() const { return m_path; }  // ends with '/', or empty
    // The running number for the next picture file name; each call takes one.
    int NextNumber() { return m_number++; }
    FileIO& Files() { return m_fileIO; }

private:
    int m_number = 0;
    QString m_path;
    FileIO m_fileIO{FileIO::NotStarted{}};
};

}  // namespace fe::img
