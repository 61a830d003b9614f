// The ledger's photo preview, offscreen: dragging the crop frame's handles with the mouse, 4:3 and the
// whole picture, the wheel, and the photo's quarter turns with what they reset.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QImageReader>
#include <QTest>

#include "LedgerDocument.h"
#include "app/ScriptedPrompts.h"
#include "app/ledger/CropFrame.h"
#include "app/ledger/LedgerPreview.h"
#include "app/ledger/ReportLocPhotoDlg.h"

using namespace app;
using namespace ledger_test;
using Dlg = CReportLocPhotoDlg;

namespace {

struct Preview
{
    LedgerDocument d;
    ScriptedPrompts prompts;
    std::unique_ptr<Dlg> dialog;

    Preview()
    {
        dialog = std::make_unique<Dlg>(d.doc, LedgerHooks(), d.temp.file("none.txt"));
        dialog->SetLocationMap(0);
        dialog->FillGrid(true);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->SetCurrentRow(1);
    }
    CLedgerPreview& view() { return *dialog->Preview(); }
    const Rect2& stored() const { return d.map().photos.entries[0].frame; }
    // A drag with the left button from one picture point to another.
    void drag(double x0, double y0, double x1, double y1, int* partDuring = nullptr)
    {
        CLedgerPreview& v = view();
        QTest::mouseMove(&v, v.ToWidget(x0, y0));
        QTest::mousePress(&v, Qt::LeftButton, {}, v.ToWidget(x0, y0));
        QTest::mouseMove(&v, v.ToWidget((x0 + x1) / 2, (y0 + y1) / 2));
        QTest::mouseMove(&v, v.ToWidget(x1, y1));
        if (partDuring)
            *partDuring = v.GrabPart();
        QTest::mouseRelease(&v, Qt::LeftButton, {}, v.ToWidget(x1, y1));
    }
};

void ExpectFrame(const Rect2& f, double x0, double y0, double x1, double y1, const char* what)
{
    // One preview pixel is a little more than one picture pixel here.
    EXPECT_NEAR(f.x0, x0, 2.5) << what;
    EXPECT_NEAR(f.y0, y0, 2.5) << what;
    EXPECT_NEAR(f.x1, x1, 2.5) << what;
    EXPECT_NEAR(f.y1, y1, 2.5) << what;
}

}  // namespace

TEST(LedgerPreview, HandlesDragTheFrameAndTheRecordTakesIt)
{
    Preview p;
    ASSERT_TRUE(p.view().HasPhoto());
    EXPECT_EQ(p.view().FullSize(), QSize(kPhotoWidth, kPhotoHeight));
    struct Case
    {
        const char* what;
        double fromX, fromY, toX, toY;
        double x0, y0, x1, y1;  // the frame afterwards, starting from the whole picture each time
        int partDuring;
    } cases[] = {
        {"left edge moves the frame", 0, 60, 30, 80, 30, 20, 430, 320, kCropEdgeLeft},
        {"top-left corner", 0, 0, 50, 40, 50, 40, 400, 300, kCropTopLeft},
        {"bottom-right corner", 400, 300, 350, 250, 0, 0, 350, 250, kCropBottomRight},
        {"top midpoint", 200, 0, 200, 60, 0, 60, 400, 300, kCropMidTop},
        {"right midpoint", 400, 150, 320, 10, 0, 0, 320, 300, kCropMidRight},
        {"top-left across the right edge", 0, 0, 450, 30, 400, 30, 450, 300, kCropTopRight},
        // Which of the two sides keeps the pixel depends on the rounding of the pointer.
        {"left midpoint onto the right edge", 0, 150, 400, 150, 399.5, 0, 400.5, 300, -1},
    };
    for (const Case& c : cases) {
        QTest::mouseClick(p.dialog->ControlButton(Dlg::kCtlWholePicture), Qt::LeftButton);
        ExpectFrame(p.stored(), 0, 0, 400, 300, "whole picture");
        int during = -1;
        p.drag(c.fromX, c.fromY, c.toX, c.toY, &during);
        if (c.partDuring >= 0) {
            EXPECT_EQ(during, c.partDuring) << c.what;
        }
        EXPECT_EQ(p.view().GrabPart(), kCropOutside) << c.what;
        ExpectFrame(p.view().Frame(), c.x0, c.y0, c.x1, c.y1, c.what);
        ExpectFrame(p.stored(), c.x0, c.y0, c.x1, c.y1, c.what);
        EXPECT_GE(p.stored().x1 - p.stored().x0, 1) << c.what;
    }
    // Inside the frame nothing is held; the map on the other map keeps its own frame.
    QTest::mouseClick(p.dialog->ControlButton(Dlg::kCtlWholePicture), Qt::LeftButton);
    p.drag(200, 150, 250, 200);
    ExpectFrame(p.stored(), 0, 0, 400, 300, "inside");
    EXPECT_EQ(p.d.map(1).photos.entries[0].frame.x0, 10);
    EXPECT_EQ(p.d.Saved().maps.maps[0].photos.entries[0].frame.x1, 400);
}

TEST(LedgerPreview, FourByThreeWholePictureAndWheel)
{
    Preview p;
    ASSERT_TRUE(p.d.doc.Change(ProjectChange::PlacedPhotos, [](Project& project) {
        project.maps.maps[0].photos.entries[0].frame = Rect2(-300, 100, 701, 200);
        return true;
    }).Ok());
    p.dialog->SetCurrentRow(2);
    p.dialog->SetCurrentRow(1);
    QTest::mouseClick(p.dialog->ControlButton(Dlg::kCtlFourByThree), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(p.stored().x0, -300);
    EXPECT_DOUBLE_EQ(p.stored().x1, 701);
    EXPECT_DOUBLE_EQ(p.stored().y1 - p.stored().y0, 750);
    EXPECT_DOUBLE_EQ((p.stored().y0 + p.stored().y1) / 2, 150);
    QTest::mouseClick(p.dialog->ControlButton(Dlg::kCtlWholePicture), Qt::LeftButton);
    ExpectFrame(p.stored(), 0, 0, 400, 300, "whole");
    // A wheel step up then down returns to the same zoom.
    const double ratio = p.view().Mapping().X().Ratio();
    const QPoint at = p.view().ToWidget(100, 100);
    QWheelEvent up(at, p.view().mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(&p.view(), &up);
    EXPECT_NEAR(p.view().Mapping().X().Ratio(), ratio * 1.1, 1e-9);
    QWheelEvent down(at, p.view().mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(&p.view(), &down);
    EXPECT_NEAR(p.view().Mapping().X().Ratio(), ratio, 1e-9);
    // The buttons need a row with a photo.
    p.dialog->SetCurrentRow(kGoneRow);
    EXPECT_TRUE(p.dialog->ControlButton(Dlg::kCtlFourByThree)->isEnabled());
    EXPECT_FALSE(p.view().HasPhoto());
}

TEST(LedgerPreview, QuarterTurnsResetEveryMapsFrameAndRemakeThumbnails)
{
    Preview p;
    EXPECT_FALSE(p.dialog->ControlButton(Dlg::kCtlTurnLeft)->isEnabled());
    static_cast<QCheckBox*>(p.dialog->ControlButton(Dlg::kCtlAllowRotation))->setChecked(true);
    ASSERT_EQ(p.prompts.asked().size(), 1u);
    EXPECT_EQ(p.prompts.asked()[0].text, QStringLiteral("写真の回転は他の位置図と共有されています。\nご注意ください。"));
    const QString thumb = p.d.project().ThumbFolderS() + p.d.photo(1)->FileName();
    const QSize thumbBefore = QImageReader(thumb).size();
    const int rotations[] = {90, 180, 270, 0};
    for (int k = 0; k < 4; ++k) {
        QTest::mouseClick(p.dialog->ControlButton(Dlg::kCtlTurnLeft), Qt::LeftButton);
        EXPECT_EQ(p.d.photo(1)->rotation, rotations[k]);
        const bool upright = rotations[k] == 90 || rotations[k] == 270;
        const double w = upright ? kPhotoHeight : kPhotoWidth, h = upright ? kPhotoWidth : kPhotoHeight;
        // Both maps that show the photo start again from the whole turned picture.
        for (int map : {0, 1}) {
            const Rect2& f = p.d.map(map).photos.entries[0].frame;
            EXPECT_EQ(f.x1, w) << map;
            EXPECT_EQ(f.y1, h) << map;
            EXPECT_EQ(f.x0, 0) << map;
        }
        EXPECT_EQ(p.view().FullSize(), QSize(int(w), int(h)));
        const QSize thumbNow = QImageReader(thumb).size();
        EXPECT_EQ(thumbNow.width() < thumbNow.height(), upright) << k;
    }
    EXPECT_EQ(QImageReader(thumb).size(), thumbBefore);
    EXPECT_EQ(p.d.Saved().photos.Find(1)->rotation, 0);
    QTest::mouseClick(p.dialog->ControlButton(Dlg::kCtlTurnRight), Qt::LeftButton);
    EXPECT_EQ(p.d.photo(1)->rotation, 270);
}

TEST(LedgerPreview, DrawsThePhotoWithItsFrame)
{
    Preview p;
    ASSERT_TRUE(p.d.doc.Change(ProjectChange::PlacedPhotos, [](Project& project) {
        project.maps.maps[0].photos.entries[0].frame = Rect2(50, 40, 300, 250);
        return true;
    }).Ok());
    p.dialog->SetCurrentRow(2);
    p.dialog->SetCurrentRow(1);
    const QImage& shown = p.view().Target();
    ASSERT_FALSE(shown.isNull());
    if (const QByteArray out = qgetenv("KELVOR_SHOT_DIR"); !out.isEmpty()) {
        shown.save(QString::fromLocal8Bit(out) + "/ledger_preview.png");
        p.dialog->grab().save(QString::fromLocal8Bit(out) + "/ledger_dialog.png");
    }
    const auto at = [&](double x, double y) {
        const QPoint w = p.view().ToWidget(x, y) - QPoint(p.view().contentsRect().topLeft() + QPoint(1, 1));
        return QColor(shown.pixel(w));
    };
    // The photo's quarters, the red frame line, and the checkerboard around the photo.
    EXPECT_GT(at(100, 75).red(), 200);
    EXPECT_LT(at(100, 75).green(), 60);
    EXPECT_GT(at(250, 200).green(), 200);  // the yellow quarter
    bool red = false;
    for (int dx = -1; dx <= 1; ++dx)
        red = red || at(50 + dx, 150) == QColor(204, 0, 0);
    EXPECT_TRUE(red);
    const QColor corner(shown.pixel(2, 2));
    EXPECT_TRUE(corner == QColor(100, 100, 100) || corner == QColor(120, 120, 120));
}
