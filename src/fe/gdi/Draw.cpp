#include "fe/gdi/Draw.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace fe::gdi {

void Draw::Reset()
{
    m_dc = nullptr;
    m_clips.clear();
}

bool Draw::Begin(QPainter* dc)
{
    if (dc == nullptr || !dc->isActive())
        return false;
    m_dc = dc;
    m_dc->save();
    m_dc->setBackgroundMode(Qt::TransparentMode);
    m_dc->setRenderHint(QPainter::Antialiasing, false);
    return true;
}

bool Draw::End()
{
    if (m_dc == nullptr) {
        m_clips.clear();
        return true;
    }
    while (!m_clips.empty()) {
        m_clips.pop_back();
        if (m_clips.empty())
            m_dc->setClipping(false);
        else
            m_dc->setClipRect(m_clips.back(), Qt::ReplaceClip);
    }
    m_dc->restore();
    m_dc = nullptr;
    return true;
}

void Draw::TextExtent(const QString& text, QSize& size) const
{
    if (m_dc == nullptr) {
        size = QSize(0, 0);
        return;
    }
    const QFontMetrics metrics = m_dc->fontMetrics();
    size = QSize(metrics.horizontalAdvance(text), metrics.height());
}

void Draw::PushClip(const Rect2i& rect)
{
    if (m_dc == nullptr)
        return;
    const int x0 = std::min(rect.x0, rect.x1);
    const int x1 = std::max(rect.x0, rect.x1);
    const int y0 = std::min(rect.y0, rect.y1);
    const int y1 = std::max(rect.y0, rect.y1);
    const QRect clip(QPoint(x0, y0), QPoint(x1, y1));  // QRect's corners are inclusive
    m_dc->setClipRect(clip, Qt::ReplaceClip);
    m_clips.push_back(clip);
}

void DpiInfo::Set(int x, int y)
{
    dpiX = x;
    dpiY = y;
    scaleX = x / 96.0;
    scaleY = y / 96.0;
}

void DpiInfo::ReadScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    Set(int(std::lround(screen->logicalDotsPerInchX())), int(std::lround(screen->logicalDotsPerInchY())));
}

void DrawDip::Reset()
{
    Draw::Reset();
    m_dpiMode = kDpiFixed96;
    m_dpi = DpiInfo();
}

bool DrawDip::Begin(QPainter* dc)
{
    if (!Draw::Begin(dc))
        return false;
    switch (m_dpiMode) {
        case kDpiFixed96:
            m_dpi.Set(96, 96);
            break;
        case kDpiTarget:
            if (const QPaintDevice* device = dc->device())
                m_dpi.Set(device->logicalDpiX(), device->logicalDpiY());
            break;
        case kDpiScreen:
            m_dpi.ReadScreen();
            break;
        default:
            break;
    }
    return true;
}

}  // namespace fe::gdi
