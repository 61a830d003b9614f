#pragma once

#include <QString>

namespace fe::img {
class Image;
}

// The picture kind named by a file extension without its dot: 0 JPEG ("jpg", "JPG", "jpeg", "JPEG"),
// 1 PNG, 2 GIF, 3 TIFF ("tif", "tiff"), 4 BMP, each in all lower or all upper case; 5 for anything else
// (so a mixed-case "Jpg" is 5 and is saved as PNG).
int ImageKindOfExtension(const QString& extension);

namespace fe::img {

// Reads picture sizes and saves pictures. A holder made as a member of ImageCache starts "not running"
// (status kNotStarted) until its owner starts it; then every operation fails, as callers expect.
class FileIO
{
public:
    static constexpr int kRunning = 0;
    static constexpr int kNotStarted = 18;

    struct NotStarted
    {
    };

    FileIO() : m_status(kRunning) {}
    explicit FileIO(NotStarted) : m_status(kNotStarted) {}
    virtual ~FileIO() { Shutdown(); }

    void Startup() { m_status = kRunning; }
    void Shutdown() { m_status = kNotStarted; }
    int Status() const { return m_status; }

    // The size of the picture in the file, read from its header; false (and 0 × 0) when not running or
    // when the file is not a readable picture.
    bool GetImageSize(int& width, int& height, const QString& fileName) const;

    // Saves the picture, opaque, in the format its extension names (ImageKindOfExtension: JPEG, GIF,
    // TIFF, BMP, anything else PNG), replacing an existing file only when the save succeeded. False when
    // not running, when the format cannot be written (there is no GIF writer) or the save fails.
    bool SaveImage(const QString& fileName, const Image& image) const;
    // Writes the picture as SaveImage does (same formats, same failures) into a file that does not exist
    // yet, directly and without flushing it to disk: for fresh scratch pictures in a temporary folder that
    // outlive no run. False as well when the file is already there (it is then left as it was); a failed
    // write leaves no file.
    bool SaveNewImage(const QString& fileName, const Image& image) const;

private:
    // The writer format for saving the picture under the file name; null when not running, for no
    // picture or when that format cannot be written.
    const char* SaveFormat(const QString& fileName, const Image& image) const;

    int m_status;
};

}  // namespace fe::img
