// The thumbnail wall, offscreen: clicks, Shift and rubber bands, Ctrl+A, 選択全解除, 削除 and its undoing,
// sorting, the three sizes read once each, the title, list select's OK and Cancel, and the cells' pixels.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "WallFixture.h"
#include "app/controls/ExpButton.h"
#include "app/thumbs/ListSelect.h"
#include "app/thumbs/PhotoGridViewerDlg.h"
#include "fe/img/Image.h"

using app::CPhotoGridViewerDlg;
using Ids = std::vector<std::int32_t>;

namespace {

struct Viewer : WallFixture
{
    std::unique_ptr<CPhotoGridViewerDlg> dialog;

    explicit Viewer(int count = 12, int mapIndex = -1, Ids ticked = {})
        : WallFixture(count)
    {
        dialog = std::make_unique<CPhotoGridViewerDlg>(doc, mapIndex, std::move(ticked));
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    QWidget* Viewport() const { return dialog->List()->viewport(); }
    QPoint Centre(int row) const
    {
        return dialog->List()->visualRect(dialog->List()->model()->index(row, 0)).center();
    }
    void Click(int row, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mouseClick(Viewport(), Qt::LeftButton, modifiers, Centre(row));
    }
    void Send(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) const
    {
        QMouseEvent event(type, at, Viewport()->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &event);
    }
    // Renders the cell of a row alone.
    QImage Cell(int row) const
    {
        QImage image(dialog->CellSize(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        dialog->PaintCell(painter, QPoint(0, 0), row);
        painter.end();
        return image;
    }
};

QRgb Rgb(int r, int g, int b)
{
    return qRgb(r, g, b);
}

// A channel lightened twice, as the marks are.
int TwiceLightened(int c)
{
    return ((c + 255) / 2 + 255) / 2;
}

}  // namespace

TEST(PhotoGridViewerDlg, ClicksShiftRubberBandAndKeys)
{
    Viewer v;
    v.Click(0);
    EXPECT_EQ(v.dialog->SelectedIds(), Ids({v.Id(0)}));
    EXPECT_EQ(v.dialog->windowTitle(), QStringLiteral("一覧選択 　枚数：全て(12) / 選択中(1)"));
    EXPECT_TRUE(v.dialog->List()->selectionModel()->selectedIndexes().isEmpty());
    v.Click(2, Qt::ShiftModifier);  // photos 0 to 2: the ticked one stays ticked
    EXPECT_EQ(v.dialog->SelectedIds(), Ids({v.Id(0), v.Id(1), v.Id(2)}));
    v.Click(1);
    EXPECT_EQ(v.dialog->SelectedIds(), Ids({v.Id(0), v.Id(2)}));

    // A rubber band from empty space over the first two photos only adds.
    const QRect first = v.dialog->List()->visualRect(v.dialog->List()->model()->index(0, 0));
    const QRect second = v.dialog->List()->visualRect(v.dialog->List()->model()->index(1, 0));
    const QPoint start(second.right() + 2, second.bottom() + 1);
    ASSERT_FALSE(v.dialog->List()->indexAt(start).isValid());
    v.Send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    v.Send(QEvent::MouseMove, start - QPoint(20, 20), Qt::LeftButton);
    v.Send(QEvent::MouseMove, first.center(), Qt::LeftButton);
    v.Send(QEvent::MouseButtonRelease, first.center(), Qt::NoButton);
    EXPECT_EQ(v.dialog->SelectedIds(), Ids({v.Id(0), v.Id(2), v.Id(1)}));

    QTest::keyClick(v.dialog->List(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(v.dialog->SelectedIds().size(), 12u);
    v.dialog->ClearButton()->click();
    EXPECT_TRUE(v.dialog->SelectedIds().empty());
    EXPECT_EQ(v.dialog->windowTitle(), QStringLiteral("一覧選択 　枚数：全て(12)"));
    QTest::keyClick(v.dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(v.dialog->isVisible());
}

TEST(PhotoGridViewerDlg, MarkingThroughTheContextMenu)
{
    Viewer v(12, -1, {});
    v.Click(3);
    v.dialog->PrepareContextMenu(v.Centre(3));
    EXPECT_TRUE(v.dialog->MarkAction()->isEnabled());
    EXPECT_FALSE(v.dialog->UnmarkAction()->isEnabled());
    v.dialog->MarkAction()->trigger();
    EXPECT_EQ(v.dialog->MarkedIds(), Ids({v.Id(3)}));
    EXPECT_EQ(v.dialog->windowTitle(), QStringLiteral("一覧選択 　枚数：全て(12) / 選択中(1) / 削除(1)"));
    v.dialog->PrepareContextMenu(v.Centre(3));
    EXPECT_FALSE(v.dialog->MarkAction()->isEnabled());
    EXPECT_TRUE(v.dialog->UnmarkAction()->isEnabled());

    QTest::keyClick(v.dialog->List(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(v.dialog->SelectedIds().size(), 11u);  // never the marked photo
    v.dialog->UnmarkAction()->trigger();
    EXPECT_TRUE(v.dialog->MarkedIds().empty());
}

TEST(PhotoGridViewerDlg, SortButtonsAndSizes)
{
    Viewer v;
    v.dialog->ShotTimeSortButton()->click();
    EXPECT_EQ(v.dialog->ShotTimeSortButton()->text(), QStringLiteral("撮影日時▼"));
    EXPECT_EQ(v.dialog->Wall().IdAt(0), v.Id(11));
    v.dialog->FileNameSortButton()->click();
    EXPECT_EQ(v.dialog->FileNameSortButton()->text(), QStringLiteral("ファイル名▲"));
    EXPECT_EQ(v.dialog->ShotTimeSortButton()->text(), QStringLiteral("撮影日時－"));
    EXPECT_EQ(v.dialog->Wall().IdAt(0), v.Id(0));
    // The project's own list is never sorted.
    EXPECT_EQ(v.doc.GetProject().photos.photos[0].id, v.Id(0));

    EXPECT_EQ(v.dialog->CellSize(), QSize(160, 120));
    EXPECT_TRUE(v.dialog->SizeButton(1)->checked);
    EXPECT_EQ(v.dialog->ThumbnailReads(), 12);
    v.dialog->SizeButton(1)->click();  // the current size: nothing is read again
    EXPECT_EQ(v.dialog->ThumbnailReads(), 12);
    v.dialog->SizeButton(0)->click();
    EXPECT_EQ(v.dialog->CellSize(), QSize(320, 240));
    EXPECT_EQ(v.dialog->ThumbnailReads(), 24);
    EXPECT_TRUE(v.dialog->SizeButton(0)->checked);
    EXPECT_FALSE(v.dialog->SizeButton(1)->checked);
    // Ticks and captions repaint from memory.
    v.dialog->CaptionBox(2)->setChecked(true);
    v.Click(0);
    (void)v.Cell(0);
    EXPECT_EQ(v.dialog->ThumbnailReads(), 24);

    v.dialog->SizeButton(2)->click();
    EXPECT_EQ(v.dialog->CellSize(), QSize(65, 48));
    for (int k = 0; k < 3; ++k)
        EXPECT_FALSE(v.dialog->CaptionBox(k)->isEnabled());
}

TEST(PhotoGridViewerDlg, CellsShowMissingThumbnailsMarksAndCaptions)
{
    Viewer v;
    // A missing thumbnail: the grey checkerboard, 16-pixel squares from the top left.
    QImage cell = v.Cell(WallFixture::kMissing);
    EXPECT_EQ(cell.pixel(20, 20), Rgb(120, 120, 120));
    EXPECT_EQ(cell.pixel(17, 0), Rgb(100, 100, 100));
    EXPECT_EQ(cell.pixel(40, 40), Rgb(120, 120, 120));
    EXPECT_EQ(cell.pixel(40, 20), Rgb(100, 100, 100));
    // The check box: black frame, white inside.
    EXPECT_EQ(cell.pixel(3, 3), Rgb(0, 0, 0));
    EXPECT_EQ(cell.pixel(10, 5), Rgb(255, 255, 255));

    // Marked: the picture lightened twice.
    v.dialog->PrepareContextMenu(v.Centre(WallFixture::kMissing));
    v.dialog->MarkAction()->trigger();
    cell = v.Cell(WallFixture::kMissing);
    EXPECT_EQ(cell.pixel(128, 96), Rgb(TwiceLightened(120), TwiceLightened(120), TwiceLightened(120)));
    EXPECT_EQ(cell.pixel(144, 96), Rgb(TwiceLightened(100), TwiceLightened(100), TwiceLightened(100)));
    int red = 0, white = 0;  // the red 削除 on its white ground
    for (int x = 18; x < 60; ++x) {
        for (int y = 2; y < 22; ++y) {
            const QColor c = cell.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 90 && c.blue() < 90;
            white += c == Qt::white;
        }
    }
    EXPECT_GT(red, 10);
    EXPECT_GT(white, 100);

    // A caption in the bottom right corner: its box lightened twice, the rest of the picture as it was.
    const QImage plain = v.Cell(0);
    v.dialog->CaptionBox(2)->setChecked(true);
    const QImage captioned = v.Cell(0);
    const QColor ground = plain.pixelColor(157, 105);  // right of the text, inside the box
    EXPECT_EQ(captioned.pixelColor(157, 105),
              QColor(TwiceLightened(ground.red()), TwiceLightened(ground.green()), TwiceLightened(ground.blue())));
    EXPECT_EQ(captioned.pixel(40, 40), plain.pixel(40, 40));
    EXPECT_EQ(captioned.pixel(150, 119), plain.pixel(150, 119));  // below the box
    bool text = false;
    for (int x = 60; x < 156 && !text; ++x)
        for (int y = 95; y < 118 && !text; ++y)
            text = qGray(captioned.pixel(x, y)) < 60;
    EXPECT_TRUE(text);
}

TEST(PhotoGridViewerDlg, AMarkCoversAPortraitPictureWhereItStands)
{
    WallFixture f(3);
    QImage portrait(60, 120, QImage::Format_RGB32);
    portrait.fill(QColor(0, 0, 200));
    ASSERT_TRUE(portrait.save(f.doc.GetProject().ThumbFolderM() + QStringLiteral("p000002.jpg"), "JPG", 100));
    CPhotoGridViewerDlg dialog(f.doc, -1, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.PrepareContextMenu(dialog.List()->visualRect(dialog.List()->model()->index(1, 0)).center());
    dialog.MarkAction()->trigger();
    QImage cell(dialog.CellSize(), QImage::Format_RGB32);
    QPainter painter(&cell);
    dialog.PaintCell(painter, QPoint(0, 0), 1);
    painter.end();
    // The picture stands centred, from x 50 to 109: all of it is lightened, the white margins stay white.
    for (int x : {52, 80, 107}) {
        const QColor c = cell.pixelColor(x, 60);
        EXPECT_NEAR(c.red(), TwiceLightened(0), 3) << x;
        EXPECT_NEAR(c.blue(), TwiceLightened(200), 3) << x;
    }
    EXPECT_EQ(cell.pixelColor(20, 60), QColor(Qt::white));
    EXPECT_EQ(cell.pixelColor(140, 60), QColor(Qt::white));
}

TEST(PhotoGridViewerDlg, LabelsAreTheCurrentMapsNumbers)
{
    WallFixture f(3);
    const ProjectChangeOutcome placed = f.doc.Change(ProjectChange::Maps, [&](Project& project) {
        LocationMap map(1);
        map.kind = LocationMap::kWebStandard;
        PlacedPhoto numbered;
        numbered.photoId = f.Id(0);
        numbered.numberText = QStringLiteral("A-1");
        PlacedPhoto plain;
        plain.photoId = f.Id(1);
        map.photos.entries = {numbered, plain};
        project.maps.maps.push_back(map);
        return true;
    });
    ASSERT_FALSE(placed.refused);
    CPhotoGridViewerDlg onMap(f.doc, 0, {});
    EXPECT_EQ(onMap.Label(f.Id(0)), QStringLiteral("A-1"));
    EXPECT_EQ(onMap.Label(f.Id(1)), QStringLiteral("**"));
    EXPECT_EQ(onMap.Label(f.Id(2)), QString());
    CPhotoGridViewerDlg noMap(f.doc, 1, {});
    EXPECT_EQ(noMap.Label(f.Id(0)), QString());
}

TEST(PhotoGridViewerDlg, ListSelectDeletesTheMarkedAndSelectsTheTicked)
{
    WallFixture f(6);
    const QString doomed = f.doc.GetProject().ThumbFolderM() + QStringLiteral("p000002.jpg");
    ASSERT_TRUE(QFile::exists(doomed));
    const QByteArray before = [&] {
        QFile file(f.doc.GetProject().ProjectFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();

    // Cancel: nothing changes, whatever was ticked or marked.
    app::ListSelectOutcome outcome =
        app::RunListSelect(f.doc, -1, {1}, nullptr, {}, [](CPhotoGridViewerDlg& d) {
            d.PrepareContextMenu(d.List()->visualRect(d.List()->model()->index(1, 0)).center());
            d.MarkAction()->trigger();
            return int(QDialog::Rejected);
        });
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(f.doc.GetProject().photos.photos.size(), 6u);

    // OK: photo 2 marked (and ticked), photos 5 and 1 ticked.
    outcome = app::RunListSelect(f.doc, -1, {5}, nullptr, {}, [](CPhotoGridViewerDlg& d) {
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        for (int row : {1, 0}) {
            QTest::mouseClick(d.List()->viewport(), Qt::LeftButton, {},
                              d.List()->visualRect(d.List()->model()->index(row, 0)).center());
        }
        d.PrepareContextMenu(d.List()->visualRect(d.List()->model()->index(1, 0)).center());
        d.MarkAction()->trigger();
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.deleted, 1);
    EXPECT_EQ(outcome.selectedIds, Ids({5, 1}));
    EXPECT_EQ(f.doc.GetProject().photos.IndexOfId(2), -1);
    EXPECT_EQ(f.doc.GetProject().photos.photos.size(), 5u);
    EXPECT_FALSE(QFile::exists(doomed));
    QFile file(f.doc.GetProject().ProjectFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_NE(file.readAll(), before);
}

TEST(PhotoGridViewerDlg, Screenshot)
{
    Viewer v(60);
    v.dialog->CaptionBox(0)->setChecked(true);
    v.dialog->CaptionBox(1)->setChecked(true);
    v.dialog->CaptionBox(2)->setChecked(true);
    for (int row : {0, 2, 7})
        v.Click(row);
    for (int row : {3, 7}) {
        v.dialog->PrepareContextMenu(v.Centre(row));
        v.dialog->MarkAction()->trigger();
    }
    const QImage shot = v.dialog->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    const QString path = qEnvironmentVariable("KELVOR_SHOT_DIR");
    if (!path.isEmpty()) {
        EXPECT_TRUE(shot.save(path + QStringLiteral("/photo_wall.png")));
    }
}
