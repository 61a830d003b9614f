#pragma once

#include <QImage>
#include <QString>
#include <array>

namespace fe::geo {

// The placeholder tiles, in this order.
enum class TilePlaceholder
{
    Downloading = 0,  // "ダウンロード中": queued, nothing better in memory
    Offline,          // "オフライン"
    NoTile,           // "タイル無し": the cached file is not a picture
    UrlError,         // "URLエラー"
    PathError,        // "パスエラー": the tile's folder cannot be made
    DownloadError,    // "ダウンロードエラー": a direct download failed
    ZoomOutOfRange,   // "ズーム範囲外"
    TileOutOfRange,   // "タイル範囲外": the row is outside the world
};
inline constexpr int kPlaceholderCount = 8;

QString PlaceholderText(TilePlaceholder which);

// Paints a 256 x 256 grey checkered tile with the text centred in it and a one-pixel black line
// along its top and left edges, so that tiles side by side show a grid.
void DrawPlaceholderTile(QImage& picture, const QString& text);

// The eight placeholder pictures, built once.
class TileTextImage
{
public:
    TileTextImage() { Build(); }
    virtual ~TileTextImage() = default;

    void Build();
    const QImage& Get(TilePlaceholder which) const { return m_pictures[static_cast<int>(which)]; }

private:
    std::array<QImage, kPlaceholderCount> m_pictures;
};

}  // namespace fe::geo
