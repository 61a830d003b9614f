#pragma once

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// The temporary pictures of one workbook run (turned and rendered photos), in a folder of its own made
// under the writable folder, so that two runs never share or delete each other's pictures. Pictures
// are read into the workbook when they are placed, so the folder may go before the workbook is written.
class ReportImageCache
{
public:
    // Makes a new private folder (removing the one held); false when none can be made.
    bool Create();
    // Deletes the folder with its pictures.
    void Remove();
    // The folder, ending with '/', or empty.
    QString Path() const;

    // Saves the picture as "img<n>." + jpg, png, gif, tif or bmp for types 0 to 4 and gives its path.
    // False when there is no folder, for another type (the number is then kept), or when the save fails;
    // the running number moves on whatever the save gives.
    bool SaveImage(const QImage& image, int type, QString& path);

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    int m_number = 0;
};
