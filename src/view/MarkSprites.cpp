#include "view/MarkSprites.h"

#include <QRect>

namespace locmap {

size_t qHash(const MarkSprites::Key& key, size_t seed)
{
    return qHashMulti(seed, key.part, key.values[0], key.values[1], key.values[2], key.values[3],
                      key.values[4], key.values[5], key.text);
}

size_t qHash(const MarkSprites::TextKey& key, size_t seed)
{
    return qHashMulti(seed, key.font, key.text);
}

namespace {

// The smallest rectangle holding every pixel with some coverage; empty when there is none.
QRect CoveredRect(const QImage& image)
{
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

void MarkSprites::UseLook(const QByteArray& look)
{
    if (look == m_look)
        return;
    m_look = look;
    m_sprites.clear();
    m_textSizes.clear();
}

const MarkSprites::Sprite* MarkSprites::Find(const Key& key) const
{
    const auto found = m_sprites.constFind(key);
    return found == m_sprites.cend() ? nullptr : &found.value();
}

const MarkSprites::Sprite& MarkSprites::Add(const Key& key, const QImage& image, QPoint anchor)
{
    if (m_sprites.size() >= kMaxSprites)
        m_sprites.clear();
    Sprite sprite;
    const QRect covered = CoveredRect(image);
    if (!covered.isEmpty()) {
        sprite.image = image.copy(covered);
        sprite.offset = covered.topLeft() - anchor;
    }
    return m_sprites.insert(key, sprite).value();
}

const QSize* MarkSprites::FindTextSize(int font, const QString& text) const
{
    const auto found = m_textSizes.constFind(TextKey{font, text});
    return found == m_textSizes.cend() ? nullptr : &found.value();
}

void MarkSprites::AddTextSize(int font, const QString& text, QSize size)
{
    if (m_textSizes.size() >= kMaxSprites)
        m_textSizes.clear();
    m_textSizes.insert(TextKey{font, text}, size);
}

}  // namespace locmap
