// The owner-drawn button's click tracking, the label markup and the darkened layout preview.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "app/controls/BitmapPreview.h"
#include "app/controls/BitmapResources.h"
#include "app/controls/ExpButton.h"
#include "app/controls/ExpStatic.h"

using namespace app;

namespace {

TEST(ExpButton, TrackingToggleFlipsOnlyOnAReleaseInside)
{
    CExpButton button(QStringLiteral("表示"), nullptr);
    button.resize(80, 24);
    button.clickTracking = true;
    button.toggleOnClick = true;
    button.show();
    QSignalSpy clicks(&button, &QAbstractButton::clicked);

    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(button.checked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_FALSE(button.checked);

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_FALSE(button.checked);
    EXPECT_FALSE(button.pressedInside);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(ExpButton, DoubleClickIsTwoClicksOnlyWhileTracking)
{
    const struct
    {
        int style;
        bool tracking;
        int clicks;
    } cases[] = {{0, true, 2}, {7, true, 2}, {8, true, 2}, {3, true, 1}, {0, false, 1}};
    for (const auto& c : cases) {
        CExpButton button(QStringLiteral("x"), nullptr);
        button.resize(60, 24);
        button.style = c.style;
        button.clickTracking = c.tracking;
        button.show();
        QSignalSpy clicks(&button, &QAbstractButton::clicked);
        const QPoint at(10, 10);
        QTest::mousePress(&button, Qt::LeftButton, {}, at);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, at);
        QTest::mouseDClick(&button, Qt::LeftButton, {}, at);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, at);
        EXPECT_EQ(clicks.count(), c.clicks) << "style " << c.style << " tracking " << c.tracking;
    }
}

TEST(ExpButton, PictureStylesPickTheBitmapForTheState)
{
    CExpButton button;
    button.SetBitmapsWithDisabled(kBitmapUpArrow, kBitmapHelpPressed, kBitmapUpArrowDisabled);
    button.resize(button.sizeHint());
    ASSERT_FALSE(button.normalBitmap.isNull());
    const QImage normal = button.grab().toImage();
    button.checked = true;
    const QImage pressed = button.grab().toImage();
    button.setEnabled(false);
    const QImage disabled = button.grab().toImage();
    EXPECT_EQ(normal, button.normalBitmap.toImage().convertToFormat(normal.format()));
    EXPECT_NE(pressed, normal);
    EXPECT_EQ(disabled, button.disabledBitmap.toImage().convertToFormat(disabled.format()));
}

TEST(ExpStatic, MarkupSplitsIntoRuns)
{
    using R = TextRun;
    const struct
    {
        QString text;
        std::vector<TextRun> runs;
    } cases[] = {
        {QStringLiteral("A{^2}"), {{QStringLiteral("A"), R::Normal}, {QStringLiteral("2"), R::Super}}},
        {QStringLiteral("x{_i}y"),
         {{QStringLiteral("x"), R::Normal}, {QStringLiteral("i"), R::Sub}, {QStringLiteral("y"), R::Normal}}},
        {QStringLiteral("plain"), {{QStringLiteral("plain"), R::Normal}}},
        {QStringLiteral("m{^2"), {{QStringLiteral("m"), R::Normal}, {QStringLiteral("2"), R::Super}}},
        {QStringLiteral("{a}"), {{QStringLiteral("{a}"), R::Normal}}},
        {QString(), {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseMarkup(c.text), c.runs) << c.text.toStdString();
}

TEST(ExpStatic, SuperscriptIsDrawnRaisedAndSmaller)
{
    CExpStatic label(QStringLiteral("m{^2}"), nullptr);
    label.markup = true;
    label.background = Qt::white;
    label.textColor = Qt::black;
    label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont font = label.fontDescription;
    font.setPixelSize(30);
    label.fontDescription = font;
    label.fontChanged = true;
    label.resize(120, 50);
    const QImage shot = label.grab().toImage();
    // Ink rows of the "m" and of the "2" (to its right).
    const int mWidth = QFontMetrics(font).horizontalAdvance(QStringLiteral("m"));
    auto inkRows = [&](int x0, int x1) {
        int top = shot.height(), bottom = -1;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = x0; x < x1; ++x)
                if (qGray(shot.pixel(x, y)) < 128) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return std::make_pair(top, bottom);
    };
    const auto m = inkRows(0, mWidth);
    const auto two = inkRows(mWidth, shot.width());
    ASSERT_GE(m.second, 0);
    ASSERT_GE(two.second, 0) << "the superscript was not drawn";
    EXPECT_LT(two.first, m.first) << "the superscript does not rise above the letter";
    EXPECT_LT(two.second, m.second);
}

TEST(BitmapPreview, DarkensACopyToTwoThirds)
{
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 100, 0));
    picture.setPixel(1, 0, qRgb(1, 2, 3));
    const QImage dark = DarkenedCopy(picture);
    EXPECT_EQ(dark.pixel(0, 0), qRgb(170, 66, 0));
    EXPECT_EQ(dark.pixel(1, 0), qRgb(0, 1, 2));
    // The original is untouched, so darkening again starts from it.
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 100, 0));
    EXPECT_EQ(DarkenedCopy(picture), dark);
}

TEST(BitmapPreview, SelectedKeyDrawsBothPicturesOtherKeysTheDarkenedFirst)
{
    QImage first(4, 4, QImage::Format_ARGB32);
    first.fill(Qt::transparent);
    first.setPixel(0, 0, qRgb(255, 255, 255));
    QImage second(4, 4, QImage::Format_RGB32);
    second.fill(qRgb(0, 0, 255));

    const QImage selected = BitmapPreviewImage(first, second, QSize(4, 4), 3, 3);
    EXPECT_EQ(selected.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(selected.pixel(2, 2), qRgb(0, 0, 255)) << "the second picture is not under the first";

    QImage opaque(4, 4, QImage::Format_RGB32);
    opaque.fill(qRgb(255, 150, 30));
    const QImage other = BitmapPreviewImage(opaque, second, QSize(4, 4), 2, 3);
    EXPECT_EQ(other.pixel(1, 1), qRgb(170, 100, 20));
}

}  // namespace
