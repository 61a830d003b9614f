// The location-map pane: thumbnail sizes, colours and turning, and the pane in the frame choosing,
// reordering and offering its maps.
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QImage>

#include "../frame/PhotoFrameFixture.h"
#include "app/controls/ExpButton.h"
#include "app/controls/SpreadGrid.h"
#include "app/frame/FrameMessages.h"
#include "app/panes/MapPane.h"
#include "app/panes/MapThumbnails.h"
#include "app/panes/PaneVarious.h"

namespace {

app::CPaneVariousDlg* MapPaneOf(CMainFrame& frame)
{
    auto* various = qobject_cast<app::CPaneVarious*>(frame.FlowPane()->widget());
    return various ? various->Maps() : nullptr;
}

bool NearColour(QRgb a, QRgb b, int tolerance = 3)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

}  // namespace

TEST(MapThumbnails, DrawSizeColoursAndTurning)
{
    EXPECT_EQ(app::ThumbnailDrawSize(QSize(4000, 3000)), QSize(600, 450));
    EXPECT_EQ(app::ThumbnailDrawSize(QSize(300, 200)), QSize(285, 190));  // never large enough: 0.95
    EXPECT_EQ(app::ThumbnailPixel(qRgb(100, 80, 160)), qRgb(150, 70, 87));
    for (QRgb kept : {qRgb(0, 0, 0), qRgb(192, 192, 192), qRgb(255, 255, 255)})
        EXPECT_EQ(app::ThumbnailPixel(kept), kept);

    QImage source(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            source.setPixel(x, y, qRgb(x * 30, y * 30, 7));
    QImage target(8, 8, QImage::Format_RGB32);
    app::RotateThumbnailInto(source, 0.0, target);
    EXPECT_EQ(target, source);
    QImage turned(40, 40, QImage::Format_RGB32);
    app::RotateThumbnailInto(source.scaled(40, 40), 30.0 * M_PI / 180.0, turned);
    EXPECT_EQ(turned.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(turned.pixel(39, 39), qRgb(255, 255, 255));
    EXPECT_NE(turned.pixel(20, 20), qRgb(255, 255, 255));
}

TEST(MapPane, ListsTheMapsAndOffersWhatTheSelectionAllows)
{
    PhotoFrame f(0, false);
    app::CPaneVariousDlg* pane = MapPaneOf(*f.frame);
    ASSERT_NE(pane, nullptr);
    std::vector<std::pair<qintptr, qintptr>> selected;
    f.frame->SetMessageHandler(app::kMsgSelectLocationMap, [&selected](qintptr w, qintptr l) {
        selected.emplace_back(w, l);
        return qintptr(1);
    });
    f.frame->UpdatePaneControls(false);
    EXPECT_EQ(pane->Grid()->Rows(), 0);
    EXPECT_FALSE(pane->CopyButton()->isEnabled());
    EXPECT_FALSE(pane->UpButton()->isEnabled());

    (void)f.document.Change(ProjectChange::Maps, [](Project& project) {
        return project.maps.AddWebMap(2, Rect2(139.0, 35.0, 139.1, 35.1), 16, false) &&
               project.maps.AddWebMap(3, Rect2(139.2, 35.0, 139.3, 35.1), 16, false) &&
               project.maps.AddWebMap(4, Rect2(139.4, 35.0, 139.5, 35.1), 16, false);
    });
    ASSERT_EQ(pane->Grid()->Rows(), 3);
    pane->Grid()->SetCol(2);
    pane->Grid()->SetRow(2);
    EXPECT_EQ(pane->Grid()->Text(), f.document.GetProject().maps.maps[1].name);

    // Leaving for row 1 and the click that follows: one selection message, with the previous row.
    emit pane->Grid()->LeaveCell(1, 0, 1, 1, nullptr);
    emit pane->Grid()->Click(1, 1);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0], std::make_pair(qintptr(0), qintptr(-1)));
    EXPECT_EQ(pane->SelectedMap(), 0);
    EXPECT_TRUE(f.document.GetProject().maps.maps[0].IsCurrent());
    EXPECT_EQ(f.frame->PhotoPane()->windowTitle(), QStringLiteral("撮影写真　枚数：全て(0) / 位置図内(0)"));
    EXPECT_TRUE(pane->CopyButton()->isEnabled());
    EXPECT_FALSE(pane->UpButton()->isEnabled());
    EXPECT_TRUE(pane->DownButton()->isEnabled());
    EXPECT_FALSE(pane->KindButton(0)->checked);

    // ↓ moves the map one place down, keeps it chosen and saves the order.
    const int firstId = f.document.GetProject().maps.maps[0].id;
    pane->DownButton()->click();
    EXPECT_EQ(f.document.GetProject().maps.maps[1].id, firstId);
    EXPECT_EQ(pane->SelectedMap(), 1);
    EXPECT_EQ(selected.back(), std::make_pair(qintptr(1), qintptr(-1)));
    CTavrelDoc reread;
    ASSERT_EQ(reread.OpenProjectFile(f.document.ProjectFilePath()), kDocOpened);
    EXPECT_EQ(reread.GetProject().maps.maps[1].id, firstId);

    // Ctrl+click on the chosen row lets it go, and the base-map button shows again.
    pane->modifiers = [] { return Qt::ControlModifier; };
    emit pane->Grid()->Click(1, 2);
    EXPECT_EQ(pane->SelectedMap(), -1);
    EXPECT_TRUE(pane->KindButton(pane->MapKind())->checked);
    EXPECT_FALSE(pane->CopyButton()->isEnabled());

    // While the site maps are edited only the base-map buttons react.
    pane->SelectMap(2);
    f.frame->SetStateSource([](app::UiState& s) { s.siteMapDialogVisible = true; });
    f.frame->UpdatePaneControls(false);
    EXPECT_FALSE(pane->Grid()->isEnabled());
    EXPECT_FALSE(pane->CopyButton()->isEnabled());
    EXPECT_TRUE(pane->KindButton(1)->isEnabled());
}

TEST(MapPane, APictureMapThumbnailIsLetterboxedInGreyWithItsColoursChanged)
{
    PhotoFrame f(0, false);
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(qRgb(100, 80, 160));
    const QString path = f.temp.file("site.png");
    ASSERT_TRUE(picture.save(path, "PNG"));
    const ProjectChangeOutcome added = f.document.Change(
        ProjectChange::Maps, [&path](Project& project) { return project.AddImageMap(path); });
    ASSERT_TRUE(added.changed);
    app::CPaneVariousDlg* pane = MapPaneOf(*f.frame);
    ASSERT_NE(pane, nullptr);
    const QImage thumbnail = pane->Thumbnail(0);
    ASSERT_EQ(thumbnail.size(), QSize(64, 44));
    EXPECT_TRUE(NearColour(thumbnail.pixel(32, 22), qRgb(150, 70, 87)));
    EXPECT_EQ(thumbnail.pixel(0, 22), qRgb(192, 192, 192));  // 4:3 in 64 × 44: grey at the sides
}
