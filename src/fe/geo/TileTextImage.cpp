#include "fe/geo/TileTextImage.h"

#include <QPainter>

#include "fe/gdi/Checkered.h"
#include "fe/gdi/LogFont.h"
#include "fe/gdi/Shapes.h"
#include "fe/gdi/TextAt.h"

namespace fe::geo {

namespace {

constexpr int kCell = 16;
constexpr int kTileCells = 256 / kCell;

const char16_t* const kTexts[kPlaceholderCount] = {
    u"ダウンロード中", u"オフライン",         u"タイル無し",   u"URLエラー",
    u"パスエラー",     u"ダウンロードエラー", u"ズーム範囲外", u"タイル範囲外",
};

fe::gdi::LogFont PlaceholderFont()
{
    fe::gdi::LogFont font;
    font.height = 24;
    font.weight = 700;
    font.charSet = fe::gdi::kShiftJisCharSet;
    font.quality = 2;
    font.pitchAndFamily = 0x31;
    font.faceName = QStringLiteral("メイリオ");
    return font;
}

}  // namespace

QString PlaceholderText(TilePlaceholder which)
{
    return QString::fromUtf16(kTexts[static_cast<int>(which)]);
}

void DrawPlaceholderTile(QImage& picture, const QString& text)
{
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(100, 100, 100));
    fe::gdi::DrawRectangle(painter, 0, 0, 257, 257);
    painter.setBrush(QColor(120, 120, 120));
    fe::gdi::FillCheckerCells(painter, kTileCells, kTileCells, kCell);

    painter.setFont(fe::gdi::ToQFont(PlaceholderFont()));
    fe::gdi::DrawOutlinedText(painter, 128, 118, text, fe::gdi::TA_CENTER | fe::gdi::TA_TOP);

    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    fe::gdi::DrawRectangle(painter, 0, 0, 257, 257);
}

void TileTextImage::Build()
{
    for (int i = 0; i < kPlaceholderCount; ++i) {
        m_pictures[i] = QImage(256, 256, QImage::Format_RGB32);
        m_pictures[i].fill(Qt::black);
        DrawPlaceholderTile(m_pictures[i], PlaceholderText(static_cast<TilePlaceholder>(i)));
    }
}

}  // namespace fe::geo
