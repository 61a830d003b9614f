#include "fe/img/Image.h"

#include <QPainter>
#include <algorithm>
#include <limits>

namespace fe::img {

Image::Image() = default;

Image::~Image()
{
    Release();
}

bool Image::Create(int width, int height)
{
    Release();
    if (width <= 0 || height <= 0 || std::int64_t(width) * height > std::numeric_limits<int>::max() / 4)
        return false;
    m_image = QImage(width, height, QImage::Format_RGB32);
    return !m_image.isNull();
}

void Image::Release()
{
    ReleaseDC();
    m_image = QImage();
}

void Image::Fill(std::uint32_t rgb)
{
    if (m_image.isNull())
        return;
    m_image.fill(QRgb(rgb | 0xFF000000u));
}

void Image::LightenRect(int x0, int y0, int x1, int y1)
{
    if (m_image.isNull())
        return;
    // The loop below walks rows as 32-bit words; a picture put in of another depth is converted.
    if (m_image.depth() != 32)
        m_image.convertTo(QImage::Format_RGB32);
    const int left = std::max(std::min(x0, x1), 0);
    const int right = std::min(std::max(x0, x1), Width() - 1);
    const int top = std::max(std::min(y0, y1), 0);
    const int bottom = std::min(std::max(y0, y1), Height() - 1);
    for (int y = top; y <= bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        for (int x = left; x <= right; ++x) {
            const QRgb p = row[x];
            row[x] = qRgb((qRed(p) + 255) / 2, (qGreen(p) + 255) / 2, (qBlue(p) + 255) / 2);
        }
    }
}

std::uint32_t Image::Pixel(int x, int y) const
{
    return m_image.pixel(x, y) & 0x00FFFFFFu;
}

void Image::SetPixel(int x, int y, std::uint32_t rgb)
{
    m_image.setPixel(x, y, rgb | 0xFF000000u);
}

QPainter* Image::GetDC()
{
    ReleaseDC();
    if (m_image.isNull())
        return nullptr;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&m_image))
        return nullptr;
    m_dc = std::move(painter);
    return m_dc.get();
}

void Image::ReleaseDC()
{
    if (m_dc) {
        m_dc->end();
        m_dc.reset();
    }
}

bool Image::StretchTo(Image& target)
{
    ReleaseDC();
    target.ReleaseDC();
    if (m_image.isNull() || target.m_image.isNull())
        return false;
    QPainter painter;
    if (!painter.begin(&target.m_image))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(target.m_image.rect(), m_image);
    painter.end();
    return true;
}

}  // namespace fe::img
