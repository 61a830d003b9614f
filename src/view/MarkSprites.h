#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>

// Small pictures of the parts of photo marks (a ring, a disc, an arrow turned one way, a framed label),
// each drawn once and then copied to every mark that has the same part. A pass over thousands of marks
// then strokes shapes and lays out text only for the parts it has not met before.
//
// A part is drawn with the target painter's pen, brush, font and hints into a transparent picture and
// copied at a whole-pixel offset; shapes are drawn without antialiasing at whole pixels and glyphs are
// placed at whole pixels, so a copied part has the pixels of the part drawn in place. Source-over blending
// is associative, so copying one part's picture gives what drawing its shapes one after another gives.
namespace locmap {

class MarkSprites
{
public:
    // What a part is: its kind, up to six whole numbers (the pen or brush it is drawn with, the arrow's
    // end points, the text's place) and its text.
    struct Key
    {
        int part = 0;
        std::array<int, 6> values{};
        QString text;

        friend bool operator==(const Key&, const Key&) = default;
    };

    struct Sprite
    {
        QImage image;   // premultiplied; null when the part left no pixel
        QPoint offset;  // from the part's anchor to the picture's top left
    };

    // Keeps the pictures while the look (every pen, brush, font, size and colour the parts are drawn
    // with) stays the one of the last pass, and forgets them all when it changed.
    void UseLook(const QByteArray& look);

    // The picture of the part, or null when it has not been drawn yet.
    const Sprite* Find(const Key& key) const;
    // Keeps the picture drawn with the anchor at `anchor` of the image, cut to the pixels it has.
    const Sprite& Add(const Key& key, const QImage& image, QPoint anchor);

    // The extent of a text in a font of the look, measured once.
    const QSize* FindTextSize(int font, const QString& text) const;
    void AddTextSize(int font, const QString& text, QSize size);

    int Count() const { return int(m_sprites.size()); }

private:
    struct TextKey
    {
        int font = 0;
        QString text;
        friend bool operator==(const TextKey&, const TextKey&) = default;
    };
    friend size_t qHash(const Key& key, size_t seed);
    friend size_t qHash(const TextKey& key, size_t seed);

    // A map with this many photos of distinct numbers keeps its labels; past it everything is drawn
    // again, so that memory stays bounded whatever the project holds.
    static constexpr int kMaxSprites = 40000;

    QByteArray m_look;
    QHash<Key, Sprite> m_sprites;
    QHash<TextKey, QSize> m_textSizes;
};

size_t qHash(const MarkSprites::Key& key, size_t seed = 0);

}  // namespace locmap
