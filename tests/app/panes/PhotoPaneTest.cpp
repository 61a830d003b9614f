// The photo list: its cell texts, the orders of its header sorts, the selection rules of clicks, and the
// list in the frame over imported photos.
#include <gtest/gtest.h>

#include <QDockWidget>

#include "../frame/PhotoFrameFixture.h"
#include "app/controls/SpreadGrid.h"
#include "app/frame/FrameMessages.h"
#include "app/panes/MapPane.h"
#include "app/panes/PaneVarious.h"
#include "app/panes/PhotoPane.h"
#include "app/panes/PhotoRows.h"
#include "model/PlacedPhoto.h"

namespace {

PhotoRecord Photo(int id, double latitude, double longitude, double direction)
{
    PhotoRecord photo(id);
    photo.position = fe::geo::GeoPoint(longitude, latitude);
    photo.direction = direction;
    return photo;
}

QString Cell(app::CSpread7U* grid, int col, int row)
{
    grid->SetCol(col);
    grid->SetRow(row);
    return grid->Text();
}

}  // namespace

TEST(PhotoRows, CellTextsOfPositionsAndShotTimes)
{
    EXPECT_EQ(app::PhotoPositionText(Photo(1, 35.5, 139.25, 90.0)),
              QStringLiteral("  35.500000\n 139.250000\n  90.0"));
    EXPECT_EQ(app::PhotoPositionText(Photo(1, 35.5, kUnset, 12.5)), QStringLiteral("-\n-\n  12.5"));
    EXPECT_EQ(app::PhotoPositionText(Photo(1, kUnset, kUnset, kUnset)), QStringLiteral("-\n-\n-"));

    PhotoRecord photo(1);
    EXPECT_EQ(app::PhotoShotText(photo), QStringLiteral("-"));
    photo.date = QStringLiteral("2023/04/05");
    EXPECT_EQ(app::PhotoShotText(photo), QStringLiteral("2023/04/05"));  // no trailing blank
    photo.time = QStringLiteral("09:08:07");
    EXPECT_EQ(app::PhotoShotText(photo), QStringLiteral("2023/04/05 09:08:07"));

    EXPECT_EQ(app::PlaneXYText(true, -1234.5, 67.891), QStringLiteral("   -1234.50\n      67.89"));
    EXPECT_EQ(app::PlaneXYText(false, 0, 0), QStringLiteral("-\n-"));
}

TEST(PhotoRows, TheMapNumberSortPutsPlacedPhotosInNaturalOrderAndEnds)
{
    PlacedPhotoList placed;
    const std::pair<int, const char*> numbers[] = {{2, "P-9"}, {4, "P-10"}, {5, "P-1"}, {6, "P-2"}};
    for (const auto& [id, text] : numbers) {
        PlacedPhoto entry;
        entry.photoId = id;
        entry.numberText = QString::fromUtf8(text);
        ASSERT_TRUE(placed.Add(entry));
    }
    const auto sorted = [&placed](bool ascending) {
        std::vector<PhotoRecord> photos;
        for (int id = 1; id <= 6; ++id)
            photos.emplace_back(id);
        app::SortPhotosByMapNumber(photos, placed, ascending);
        std::vector<QString> keys;
        for (const PhotoRecord& photo : photos) {
            const int index = placed.IndexOfPhoto(photo.id);
            keys.push_back(index >= 0 ? placed.NumberText(index) : QStringLiteral("-"));
        }
        return keys;
    };
    EXPECT_EQ(sorted(true), std::vector<QString>({"P-10", "P-9", "P-2", "P-1", "-", "-"}));
    EXPECT_EQ(sorted(false), std::vector<QString>({"-", "-", "P-1", "P-2", "P-9", "P-10"}));

    // Lists of one or no photo: the sort ends at once.
    std::vector<PhotoRecord> one{PhotoRecord(2)};
    app::SortPhotosByMapNumber(one, placed, true);
    EXPECT_EQ(one.size(), 1u);
    std::vector<PhotoRecord> none;
    app::SortPhotosByMapNumber(none, placed, false);
    EXPECT_TRUE(none.empty());
}

TEST(PhotoRows, ClicksSelectToggleAndExtendRows)
{
    app::PhotoRowSelection s;
    s.Toggle(3, false, false);
    s.Toggle(4, true, false);
    s.Toggle(5, true, false);
    ASSERT_TRUE(s.ExtendTo(8));  // one run 3..5: the anchor is its first row
    EXPECT_EQ(s.Rows(), std::vector<int>({3, 4, 5, 6, 7, 8}));

    s.Toggle(3, false, false);
    s.Toggle(9, true, false);
    ASSERT_TRUE(s.ExtendTo(6));  // 3 and 9 are no run: the anchor is the row added last
    EXPECT_EQ(s.Sorted(), std::vector<int>({6, 7, 8, 9}));

    s.Toggle(7, true, false);  // Ctrl on a selected row takes just that one away
    EXPECT_EQ(s.Sorted(), std::vector<int>({6, 8, 9}));
    s.Toggle(2, false, true);  // Shift over a selection: the click itself changes nothing
    EXPECT_EQ(s.Sorted(), std::vector<int>({6, 8, 9}));
    s.Toggle(2, false, false);
    EXPECT_EQ(s.Rows(), std::vector<int>({2}));
    s.Set({1, 5, 0, 7});
    s.Prune(5);
    EXPECT_EQ(s.Rows(), std::vector<int>({1, 5}));
    app::PhotoRowSelection empty;
    EXPECT_FALSE(empty.ExtendTo(4));
}

TEST(PhotoPane, ListsThePhotosAndItsSelectionIsTheProgramsSelection)
{
    PhotoFrame f(3, false);
    auto* pane = qobject_cast<app::CPanePhotoDlg*>(f.frame->PhotoPane()->widget());
    ASSERT_NE(pane, nullptr);
    app::CSpread7U* grid = pane->Grid();
    ASSERT_EQ(grid->Rows(), 3);
    EXPECT_EQ(Cell(grid, app::kColPhotoNumber, 2), QStringLiteral("2"));
    EXPECT_EQ(Cell(grid, app::kColFileName, 3), f.Photos()[2].FileName());
    EXPECT_EQ(Cell(grid, app::kColSourceName, 1), QStringLiteral("IMG_1.JPG"));
    EXPECT_EQ(Cell(grid, app::kColPosition, 1), QStringLiteral("-\n-\n-"));
    grid->SetCol(app::kColPosition);
    grid->SetRow(1);
    EXPECT_EQ(grid->BackColor(), QColor(225, 225, 225));  // no position: grey

    // A click on row 2, then Ctrl+click on row 3: both photos carry the selection flag.
    Qt::KeyboardModifiers keys = Qt::NoModifier;
    pane->modifiers = [&keys] { return keys; };
    emit grid->LeaveCell(1, 1, 1, 2, nullptr);
    emit grid->Click(1, 2);
    keys = Qt::ControlModifier;
    emit grid->LeaveCell(1, 2, 1, 3, nullptr);
    emit grid->Click(1, 3);
    EXPECT_EQ(pane->GetSelectedRows(), std::vector<int>({2, 3}));
    EXPECT_FALSE(f.Photos()[0].flags & PhotoRecord::kFlagSelected);
    EXPECT_TRUE(f.Photos()[1].flags & PhotoRecord::kFlagSelected);
    EXPECT_TRUE(f.Photos()[2].flags & PhotoRecord::kFlagSelected);
    grid->SetCol(app::kColPhotoNumber);
    grid->SetRow(3);
    EXPECT_EQ(grid->BackColor(), QColor(255, 242, 0));
    // The frame's rules see the selection: two valid rows may be deleted.
    f.frame->UpdateCommandStates();
    EXPECT_TRUE(f.frame->Action(app::kCmdDeletePhotos)->isEnabled());
    EXPECT_FALSE(f.frame->Action(app::kCmdClearLatLong)->isEnabled());  // neither has a position

    // The frame's SELECT_PHOTO reaches the list.
    EXPECT_EQ(f.frame->SendAppMessage(app::kMsgSelectPhoto, f.Photos()[0].id), 1);
    EXPECT_EQ(pane->GetSelectedRows(), std::vector<int>({1}));
    EXPECT_EQ(grid->ActiveRow(), 1);

    // An id that is not in the photo list empties the selection: it never falls back to the first row.
    const int missingIds[] = {f.Photos()[2].id + 100, -1, 0};
    for (int missing : missingIds) {
        f.frame->SendAppMessage(app::kMsgSelectPhoto, f.Photos()[1].id);
        ASSERT_EQ(pane->GetSelectedRows(), std::vector<int>({2}));
        EXPECT_EQ(f.frame->SendAppMessage(app::kMsgSelectPhoto, missing), 1) << missing;
        EXPECT_TRUE(pane->GetSelectedRows().empty()) << missing;
        EXPECT_LT(grid->ActiveRow(), 1) << missing;
        for (const PhotoRecord& photo : f.Photos())
            EXPECT_FALSE(photo.flags & PhotoRecord::kFlagSelected) << missing << " photo " << photo.id;
    }
    f.frame->UpdateCommandStates();
    EXPECT_FALSE(f.frame->Action(app::kCmdDeletePhotos)->isEnabled());
}

TEST(PhotoPane, HeaderClicksSortTheProjectAndMarkTheColumn)
{
    PhotoFrame f(3, false);
    auto* pane = qobject_cast<app::CPanePhotoDlg*>(f.frame->PhotoPane()->widget());
    ASSERT_NE(pane, nullptr);
    app::CSpread7U* grid = pane->Grid();
    emit grid->Click(app::kColFileName, -1000);  // the first click sorts descending
    EXPECT_EQ(f.Ids(), std::vector<int>({3, 2, 1}));
    EXPECT_EQ(Cell(grid, app::kColFileName, -1000), QStringLiteral("ファイル名\n▼"));
    EXPECT_EQ(Cell(grid, app::kColFileName, 1), f.Photos()[0].FileName());
    emit grid->Click(app::kColFileName, -1000);
    EXPECT_EQ(f.Ids(), std::vector<int>({1, 2, 3}));
    EXPECT_EQ(Cell(grid, app::kColFileName, -1000), QStringLiteral("ファイル名\n▲"));
    emit grid->Click(app::kColSourceName, -1000);
    EXPECT_EQ(f.Ids(), std::vector<int>({3, 2, 1}));
    EXPECT_EQ(Cell(grid, app::kColFileName, -1000), QStringLiteral("ファイル名"));
    std::vector<int> saved;
    for (const PhotoRecord& photo : f.Reread())
        saved.push_back(photo.id);
    EXPECT_EQ(saved, std::vector<int>({3, 2, 1}));
    // Columns without a sort: nothing.
    emit grid->Click(app::kColPosition, -1000);
    EXPECT_EQ(f.Ids(), std::vector<int>({3, 2, 1}));
}

TEST(PhotoPane, TheMapNumbersFollowTheCurrentMap)
{
    // Two web maps, which the view shows alike; photo 1 is placed on the second only, as B1.
    PhotoFrame f(2, false);
    ASSERT_TRUE(f.document
                    .Change(ProjectChange::Maps,
                            [](Project& project) {
                                if (!project.maps.AddWebMap(2, Rect2(139.0, 35.0, 139.1, 35.1), 16, false) ||
                                    !project.maps.AddWebMap(2, Rect2(139.2, 35.0, 139.3, 35.1), 16, false))
                                    return false;
                                PlacedPhoto entry;
                                entry.photoId = project.photos.photos[0].id;
                                entry.numberText = QStringLiteral("B1");
                                project.maps.maps[1].photos.entries.push_back(entry);
                                return true;
                            })
                    .Ok());
    auto* photos = qobject_cast<app::CPanePhotoDlg*>(f.frame->PhotoPane()->widget());
    auto* maps = qobject_cast<app::CPaneVarious*>(f.frame->FlowPane()->widget())->Maps();
    ASSERT_NE(photos, nullptr);
    const auto chooseMap = [maps](int row, int previous) {
        emit maps->Grid()->LeaveCell(1, previous, 1, row, nullptr);
        emit maps->Grid()->Click(1, row);
    };
    chooseMap(1, 0);
    EXPECT_EQ(Cell(photos->Grid(), app::kColMapNumber, 1), QString());
    chooseMap(2, 1);
    EXPECT_EQ(Cell(photos->Grid(), app::kColMapNumber, 1), QStringLiteral("B1"));
    EXPECT_EQ(Cell(photos->Grid(), app::kColMapNumber, 2), QString());
    chooseMap(1, 2);
    EXPECT_EQ(Cell(photos->Grid(), app::kColMapNumber, 1), QString());
}

TEST(PhotoPane, TheViewModeChoosesTheColumns)
{
    PhotoFrame f(1, false);
    auto* pane = qobject_cast<app::CPanePhotoDlg*>(f.frame->PhotoPane()->widget());
    ASSERT_NE(pane, nullptr);
    const auto shown = [pane](int col) { return !pane->Grid()->isColumnHidden(col - 1); };
    pane->ApplyViewMode(0);
    EXPECT_TRUE(shown(app::kColPhotoNumber));
    EXPECT_FALSE(shown(app::kColMapNumber));
    EXPECT_FALSE(shown(app::kColPlaced));
    EXPECT_FALSE(shown(app::kColPlaneXY));
    pane->ApplyViewMode(2, 1);
    EXPECT_FALSE(shown(app::kColPhotoNumber));
    EXPECT_TRUE(shown(app::kColMapNumber));
    EXPECT_TRUE(shown(app::kColPlaced));
    EXPECT_TRUE(shown(app::kColPlaneXY));
    pane->ApplyViewMode(3, 0);
    EXPECT_TRUE(shown(app::kColPhotoNumber));
    EXPECT_FALSE(shown(app::kColPlaneXY));
}
