#pragma once

#include <QImage>
#include <cstdint>
#include <memory>

class QPainter;

namespace fe::img {

// A 32-bit picture that drawers paint into: back buffers, off-screen renderings, thumbnails. Pixels
// read and written through Pixel/SetPixel are 0x00RRGGBB words, (0, 0) at the top left. GetDC gives
// a painter on the picture (its memory drawing context), kept until ReleaseDC or Release.
class Image
{
public:
    Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    ~Image();

    // Frees what it held and makes a picture of the size; false (and empty) for a size that cannot be made.
    bool Create(int width, int height);
    // Ends the painter and frees the picture; the size becomes 0 × 0.
    void Release();

    bool IsNull() const { return m_image.isNull(); }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    int Stride() const { return 4 * Width(); }
    int SizeInBytes() const { return Stride() * Height(); }

    // Sets every pixel to the 0x00RRGGBB value; nothing without pixels.
    void Fill(std::uint32_t rgb);
    // Lightens every pixel of the rectangle, both corners included, corners in either order, clipped to
    // the picture: each channel c becomes (c + 255) / 2. Marks selected thumbnails.
    void LightenRect(int x0, int y0, int x1, int y1);

    std::uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t rgb);

    // A painter on the picture, made anew (an earlier one is ended); null without a picture.
    QPainter* GetDC();
    void ReleaseDC();

    // Copies the whole picture onto the whole target, smoothly scaled; the painters of both pictures are
    // ended first. False when either picture is empty.
    bool StretchTo(Image& target);

    // The pixels as a QImage for drawing and saving: Format_RGB32 as made by Create; a picture of
    // another format may be put in, and the pixel operations convert it to 32 bits first.
    const QImage& Picture() const { return m_image; }
    QImage& Picture() { return m_image; }

private:
    QImage m_image;
    std::unique_ptr<QPainter> m_dc;
};

}  // namespace fe::img
