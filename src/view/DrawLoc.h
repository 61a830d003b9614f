#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "fe/Rect2i.h"
#include "fe/Unset.h"
#include "fe/gdi/Draw.h"
#include "fe/gdi/Resource.h"
#include "view/MarkDrawStyle.h"
#include "view/MarkSprites.h"

namespace fe::img {
class Image;
}

namespace locmap {

// A filled four-point dart of length L about the centre (truncated), turned by the angle; 0 points up.
void DrawArrowDart(QPainter& painter, double angle, double cx, double cy, double length);

// The colours of a location-map drawer, 0x00BBGGRR words.
struct LocPalette
{
    std::uint32_t light = 0xFFFFFF;      // halos, the title text, map names
    std::uint32_t mark = 204;            // overview marks, outlines, the title-box fill
    std::uint32_t selectedMark = 204;    // selected overview marks, frame handles
    std::uint32_t labelFill = 0xD9FDFF;  // unselected labels, numbered discs
    std::uint32_t selectedLabelFill = 0x00F2FF;
    std::uint32_t labelFrame = 0xAAAAAA;
    std::uint32_t reserved1 = 0x777777;
    std::uint32_t reserved2 = 0xF0B000;
    std::uint32_t mapMark = 204;    // discs, arrows and leader lines of location-map marks
    std::uint32_t base = 0xFFFFFF;  // the ring under location-map marks
    std::uint32_t numberText = 204;
};

// One photo mark of a location-map layer, placed and numbered by the drawer that collects them.
struct MarkItem
{
    QPoint at;                     // screen point
    double arrowDirection;         // degrees clockwise from north; unset for none
    double labelDirection;         // the direction the label and the leader line go by
    int selected = 0;              // the pass (0 unselected, 1 selected) that draws it
    bool hasRecord = true;         // the photo exists in the project's photo list
    bool inMarks = true;           // drawn by the base, labelled and numbered layers
    bool inLeaders = false;        // gets a leader line when they are shown
    QString number;                // framed-label number ("-" without a photo)
    QString digits;                // number inside a numbered disc
    Point2 labelOffset;            // label offset in pixels before the size factor
    std::int32_t photoId = -1;     // the label box is kept under it (none when negative)
};

// How a layer pass turns its arrows and labels and which brush fills selected labelled discs.
struct MarkPass
{
    double arrowRotation = 0.0;  // radians
    double labelRotation = 0.0;
    int selectedDiscBrush = 12;
};

// The common base of the location-map drawers: display switches, palette, faces, the mark style, the mark
// and overlay pens, brushes and fonts (rebuilt by SetupResources before every pass and realised by Begin),
// the two point icons, and the drawing primitives of marks and map furniture. Drawing goes through the
// painter handed to Begin, with GDI conventions (excluded right and bottom edges, round caps on wide pens).
class DrawLoc : public fe::gdi::DrawDip
{
public:
    // Indices of the mark resource set (pens and brushes share them) and of its fonts.
    enum MarkIndex : int
    {
        kMarkLight = 0,
        kMarkMark = 1,
        kMarkSelected = 2,
        kMarkBase = 3,
        kMarkMarkWide = 4,
        kMarkSelectedWide = 5,
        kMarkLabelFill = 6,
        kMarkSelectedLabelFill = 7,
        kMarkLabelFrame = 8,
        kMarkNumberText = 11,
        kMarkMapMark = 12,
        kMarkGrey = 13,
        kMarkSelectedBase = 14,
        kMarkBaseThin = 15,
        kMarkLeader = 16,
    };
    enum MarkFont : int
    {
        kMarkFontBold = 0,
        kMarkFontNormal = 1
    };

    DrawLoc();
    ~DrawLoc() override = default;

    // Forgets the painter and the clips, fixed 96 DPI, empties both resource sets and drops the icons.
    void Reset() override;
    // Begins on the painter and realises both resource sets; false without a painter.
    bool Begin(QPainter* dc) override;
    // Rebuilds both resource sets from the palette and the style.
    virtual void SetupResources();
    void BuildMarkResources();

    void UseMapPalette();
    void UseOverviewPalette();

    // Loads Icon/photoPointBlue.png and Icon/photoPointRed.png of the folder (the executable's folder by
    // default); a missing file leaves that icon empty, so discs are drawn.
    void LoadPointIcons();
    void LoadPointIcons(const QString& folder);
    // The red icon stands for a location-map disc only in the default look: map mark 204, radius 5 and size
    // factor exactly 1.0.
    bool RedIconApplies() const;

    // Pens, brushes and fonts of the two sets, and the stock objects.
    void UseMarkPen(int index);
    void UseMarkBrush(int index);
    void UseMarkFont(int index);
    void UseOverlayPen(int index);
    void UseOverlayBrush(int index);
    void UseOverlayFont(int index);
    void SelectNullPen();
    void SelectNullBrush();
    void SelectWhiteBrush();
    void SelectBlackBrush();
    // Text colour and background of the text operations.
    void SetTextColor(std::uint32_t colorRef) { m_textColor = colorRef; }
    void SetTextColor(const QColor& color);
    void SetOpaqueBackground(std::uint32_t colorRef);
    void SetTransparentBackground() { m_opaque = false; }
    void SetTextAlign(unsigned align) { m_textAlign = align; }
    // The text extent of the current font; false when nothing can be measured (no painter, or an empty size).
    virtual bool MeasureText(const QString& text, QSize& size) const;

    // Mark primitives.
    void DrawArrowLine(const QPoint& from, const QPoint& to, double headLength);
    void DrawDirectionArrow(const QPoint& centre, double headLength, double direction, double rotation);
    void DrawCentreArrow(const QPoint& centre, double direction, double rotation);
    // The framed label of a mark at the anchor, on the side opposite the arrow; the box (left − 1, left + W,
    // top, top + H) is stored in `box`. False (nothing drawn) when the text cannot be measured.
    bool DrawLabelBox(const QPoint& anchor, const QString& text, Rect2i& box, double direction,
                      double rotation);
    void DrawDisc(const QPoint& centre);
    void DrawBlueIcon(const QPoint& centre);
    void DrawRedIcon(const QPoint& centre);

    // Location-map mark layers: kind 0 bases, labelled marks; kind 1 bases, numbered marks; unselected
    // first. Nothing while marks are hidden or for another mark kind. Drawn on a picture, each part is
    // drawn once into a small picture kept while the look stays (MarkSprites) and copied to every mark that
    // has it, and parts that fall outside the picture are skipped. The label boxes of the pass replace
    // those of the last one in labelBoxes.
    void DrawMarkLayers(std::vector<MarkItem>& items, const MarkPass& pass);
    void DrawMarkBases(const std::vector<MarkItem>& items, int s, const MarkPass& pass);
    void DrawLabelledMarks(std::vector<MarkItem>& items, int s, const MarkPass& pass);
    void DrawNumberedMarks(const std::vector<MarkItem>& items, int s, const MarkPass& pass);
    void DrawLeaderLines(const std::vector<MarkItem>& items, int s);

    // Small operations of the furniture.
    void DrawRect(int x0, int y0, int x1, int y1);
    void TextAt(int x, int y, const QString& text, int escapement = 0);
    void DrawPolyline(const std::vector<QPoint>& points);
    // A closed outline, or a 17 × 17 square about the centre when the points span under 16 px both ways.
    void DrawOutline(const std::vector<QPoint>& points);
    // A band filled with overlay brush 1 along the edge from `start` towards `toward`, W + 10 long and H + 4
    // deep on the edge's left (outer) side, with the text in the light colour turned along it, ending k px
    // before `start`. When it would lie under `keepClear`, it slides along the edge (never past `toward`)
    // to the first place clear of it. False when the text cannot be measured in overlay font 1.
    bool DrawNameBand(const QPoint& start, const QPoint& toward, const QString& text, int k);

    // Map furniture.
    // The title in the light colour in a rounded box of the mark colour at the top left.
    void DrawTitleBox(const QString& text);
    // The north symbol of radius r at the centre, turned by the angle (radians): a dart in a ring, both over
    // a wider halo.
    void DrawNorthSymbol(double r, double angle, const QPoint& centre);
    void DrawNorthArrowAt(double k, double angle, const QPoint& centre);
    // A black and white bar of the table row ending at x on the baseline y, b pixels long, with labels of
    // text height d in the current font.
    void DrawScaleBarAt(int row, int x, int y, int b, int d);
    // The scale bar's font at the height.
    void UseScaleBarFont(int height);
    // The turned corners of an output frame (top-left, bottom-left, bottom-right, top-right) with the name
    // band along the top edge, the handles and the rotation handle at `rotation`, joined to `topMiddle`.
    void DrawFrameShape(const QPoint (&corners)[4], const QString& name, bool showName,
                        const QPoint& topMiddle, const QPoint& rotation);
    // The four-point dart of a track's current point (25 px) or of the sort line (the given length), pointing
    // from the tail through the tip, with the current pen and brush.
    void DrawTrackArrowHead(const QPoint& tip, const QPoint& tail);
    void DrawLineArrowHead(double length, const QPoint& tip, const QPoint& tail);
    // An ellipse through the four points of a site area (edges 0–1 and 0–3 give its axes), or a 17 px
    // circle when the points span under 16 px both ways.
    void DrawAreaEllipse(const std::vector<QPoint>& points);

    // Tracks and the sort line, from screen points. A track's polyline skips points equal to the one before;
    // its current point gets a dart whose tail lies 100 px back along the direction from `directions` (the
    // same points in a plane where the angle is measured).
    void DrawTrackPoints(const std::vector<QPoint>& screen, const std::vector<Point2>& directions,
                         int current);
    // The sort line with its band: segments of width 2 × half in RGB(0, 128, 255) blended at 20 % over the
    // picture of the given size, then the line and its arrowhead.
    void DrawSortLinePoints(int halfWidth, const std::vector<QPoint>& points, const QSize& pictureSize);

    // Off-screen drawing into a target turned by the angle (radians): points are turned about the target's
    // centre. The owner (the off-screen renderer) sets and clears it; Reset keeps it.
    void SetTurnedTarget(double angle, fe::img::Image* image);
    void ClearRotatedTarget();
    QPoint TurnedPoint(const QPoint& p) const;

    bool rotated = false;
    fe::img::Image* target = nullptr;  // not owned
    Rect2 targetRect;
    Point2 targetCentre;
    double targetAngle = 0.0;

    std::uint8_t showMarks = 1;
    std::uint8_t showTracks = 1;
    // What screen furniture drawn afterwards covers (the zoom gauge), kept clear of map names; empty off
    // screen.
    QRect keepClear;
    LocPalette palette;
    QString face1 = QStringLiteral("Meiryo UI");
    std::int32_t face1Height = 20;
    QString face2 = QStringLiteral("Meiryo UI");
    std::int32_t face2Height = 20;
    std::int32_t scaleTextSize = 24;
    double siteLineWidth = 2.0;
    std::uint32_t calloutColor = 204;
    std::int32_t calloutTextHeight = 16;
    MarkDrawStyle style;
    fe::gdi::Resource markRes;
    fe::gdi::Resource overlayRes;
    QImage blueIcon;  // premultiplied alpha
    QImage redIcon;
    // Where the last mark pass drew each label, by photo id: the box (left − 1, left + W, top, top + H) for
    // the view's hit tests. Numbered marks have none.
    QHash<std::int32_t, Rect2i> labelBoxes;
    // The photo's label box of the last mark pass; an empty box when it drew none.
    Rect2i LabelBox(std::int32_t photoId) const { return labelBoxes.value(photoId); }

private:
    // Everything the mark parts are drawn with, to tell when the kept pictures must be drawn again.
    QByteArray MarkLook() const;
    // Draws a part at the anchor through `paint(anchor)`: directly, or copied from its picture.
    template <class Paint>
    void DrawPart(const MarkSprites::Key& key, const QPoint& at, const QRect& bounds, Paint&& paint);
    // The extent of a label's text (font kMarkFontBold, the number between spaces) or of a disc's digits
    // (kMarkFontNormal) in the current font, measured once per look.
    bool TextSize(int font, const QString& number, QSize& size);
    static QString Spaced(const QString& number);
    // Rectangles about a mark's centre that hold every pixel of its disc and ring, or of its arrow.
    QRect DiscBounds() const;
    QRect ArrowBounds() const;
    void DrawArrowPart(const QPoint& centre, const QPoint& from, const QPoint& to, int pen);
    void DrawCentreArrowPart(const QPoint& centre, double direction, double rotation, int pen);
    void DrawDirectionArrowPart(const QPoint& centre, double direction, double rotation, int pen);
    void DrawDiscPart(const QPoint& centre, int pen, int brush);

protected:
    // The centre of the points' span when it is under 16 px both ways (drawn as a 17 px square or circle).
    static bool SmallSpanCentre(const std::vector<QPoint>& points, QPoint& centre);
    QColor TextColor() const;
    // Writes the text at the point with the given alignment in the text colour, over an opaque background
    // when one is set (unturned text only).
    void WriteText(int x, int y, const QString& text, unsigned align, int escapement = 0);

    std::uint32_t m_textColor = 0;
    // The parts of the mark pass under way are copied from pictures (only while DrawMarkLayers runs).
    bool m_copyParts = false;
    QRect m_visible;  // the target's pixels in the painter's coordinates
    MarkSprites m_sprites;
    bool m_opaque = false;
    std::uint32_t m_backColor = 0xFFFFFF;
    unsigned m_textAlign = 0;
};

}  // namespace locmap
