#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "SurveyDocument.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/SpreadCellDelegate.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/reservoir/ReservoirPhotoDlg.h"
#include "app/reservoir/RsBookItemChildDlg.h"
#include "app/reservoir/SurveyPicturePreview.h"

using app::CReservoirPhotoDlg;

namespace {

const ReservoirItem& Table(const Project& project, int map, int table)
{
    return project.maps.maps.at(map).reservoir.items.at(table);
}

std::vector<int> RowIds(const ReservoirItem& item)
{
    std::vector<int> ids;
    for (const ReservoirPhotoRef& row : item.photoRows)
        ids.push_back(row.photoId);
    return ids;
}

std::vector<int> PlacedOrder(const Project& project, int map)
{
    std::vector<int> ids;
    for (const PlacedPhoto& entry : project.maps.maps.at(map).photos.entries)
        ids.push_back(entry.photoId);
    return ids;
}

// Makes the photo grid's row active as a click would.
void ChoosePhotoRow(CReservoirPhotoDlg& dialog, int row)
{
    dialog.PhotoGrid()->SetActiveCell(1, row);
    dialog.ShowPhotoPreview(row);
}

void ExpectSurveyOnDisk(const SurveyDocument& site)
{
    const Project read = site.Reread();
    for (int map = 0; map < 2; ++map)
        EXPECT_EQ(read.maps.maps.at(map).reservoir, site.project().maps.maps.at(map).reservoir) << map;
}

}  // namespace

TEST(ReservoirPhotoDlg, OpensOnTheFirstMapWhenNoneIsCurrent)
{
    SurveyDocument site;
    for (int index : {-1, 7}) {
        CReservoirPhotoDlg dialog(site.doc, index);
        EXPECT_EQ(dialog.MapIndex(), 0);
        EXPECT_EQ(dialog.MapList()->currentText(), QStringLiteral("堤A"));
        ASSERT_EQ(dialog.PhotoGrid()->Rows(), 5);
        EXPECT_EQ(app::GetSpreadCellText(*dialog.PhotoGrid(), 1, 1), QStringLiteral("P1"));
        EXPECT_EQ(app::GetSpreadCellText(*dialog.PhotoGrid(), 3, 2), QStringLiteral("2024/06/01"));
        // The entry whose photo is gone shows its number only, greyed where its shot time would be.
        EXPECT_EQ(app::GetSpreadCellText(*dialog.PhotoGrid(), 3, 5), QString());
        dialog.PhotoGrid()->SetCol(3);
        dialog.PhotoGrid()->SetRow(5);
        EXPECT_EQ(dialog.PhotoGrid()->BackColor(), QColor(225, 225, 225));
        EXPECT_EQ(dialog.Caption()->text(), QStringLiteral("堤体の変形に関する変状 (①断面変形率)"));
        EXPECT_EQ(dialog.Tabs()->count(), 8);
        EXPECT_EQ(dialog.Tabs()->tabText(3), QStringLiteral("表4-1"));
    }
    Project empty;
    CTavrelDoc noMaps;
    CReservoirPhotoDlg dialog(noMaps, -1);
    EXPECT_EQ(dialog.MapIndex(), -1);
    EXPECT_EQ(dialog.PhotoGrid()->Rows(), 0);
    EXPECT_FALSE(dialog.AddButton()->isEnabled());
    EXPECT_FALSE(dialog.Page(0)->LoadButton()->isEnabled());
}

// Add and change take the first line of the photo's comment and never list a photo twice in a table;
// each step is on disk at once.
TEST(ReservoirPhotoDlg, AddAndChangeFillTheCurrentTable)
{
    SurveyDocument site;
    CReservoirPhotoDlg dialog(site.doc, 0);
    dialog.SelectTable(2);
    ChoosePhotoRow(dialog, 1);
    ASSERT_TRUE(dialog.AddButton()->isEnabled());
    QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
    EXPECT_EQ(RowIds(Table(site.project(), 0, 2)), (std::vector<int>{1}));
    EXPECT_EQ(Table(site.project(), 0, 2).photoRows[0].description, QStringLiteral("写真1の変状"));
    EXPECT_FALSE(dialog.AddButton()->isEnabled());  // photo 1 is in the table
    EXPECT_FALSE(dialog.ChangeButton()->isEnabled());
    ExpectSurveyOnDisk(site);

    ChoosePhotoRow(dialog, 3);
    QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
    EXPECT_EQ(RowIds(Table(site.project(), 0, 2)), (std::vector<int>{1, 3}));
    EXPECT_EQ(dialog.Page(2)->ActiveRow(), 2);  // the new row is active
    EXPECT_EQ(app::GetSpreadCellText(*dialog.Page(2)->Grid(), 4, 2), QStringLiteral("P3"));

    // Change replaces the page's active row with the chosen photo.
    dialog.Page(2)->SetActiveRow(1);
    ChoosePhotoRow(dialog, 2);
    ASSERT_TRUE(dialog.ChangeButton()->isEnabled());
    QTest::mouseClick(dialog.ChangeButton(), Qt::LeftButton);
    EXPECT_EQ(RowIds(Table(site.project(), 0, 2)), (std::vector<int>{2, 3}));
    EXPECT_EQ(Table(site.project(), 0, 2).photoRows[0].description, QStringLiteral("写真2の変状"));
    ChoosePhotoRow(dialog, 3);
    EXPECT_FALSE(dialog.ChangeButton()->isEnabled());
    dialog.OnChange();  // refused even when called
    EXPECT_EQ(RowIds(Table(site.project(), 0, 2)), (std::vector<int>{2, 3}));
    // Another table may list the same photo.
    dialog.SelectTable(0);
    EXPECT_TRUE(dialog.AddButton()->isEnabled());
    ExpectSurveyOnDisk(site);
}

// A click on 撮影日 sorts the map's own placed photos, descending first, then ascending; both shot-time
// headers are marked.
TEST(ReservoirPhotoDlg, ShotDateHeaderSortsTheMapBothWays)
{
    SurveyDocument site;
    CReservoirPhotoDlg dialog(site.doc, 0);
    ChoosePhotoRow(dialog, 1);
    QHeaderView* header = dialog.PhotoGrid()->horizontalHeader();
    const QPoint date(header->sectionViewportPosition(2) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, date);
    EXPECT_EQ(PlacedOrder(site.project(), 0), (std::vector<int>{3, 1, 4, 2, 5}));
    EXPECT_EQ(PlacedOrder(site.Reread(), 0), (std::vector<int>{3, 1, 4, 2}));  // the orphan is not reread
    EXPECT_TRUE(dialog.PhotoGrid()->horizontalHeaderItem(2)->text().endsWith(QStringLiteral("\n▼")));
    EXPECT_TRUE(dialog.PhotoGrid()->horizontalHeaderItem(3)->text().endsWith(QStringLiteral("\n▼")));
    EXPECT_EQ(dialog.PhotoGrid()->ActiveRow(), 2);  // photo 1 stays the chosen one
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, date);
    EXPECT_EQ(PlacedOrder(site.project(), 0), (std::vector<int>{5, 2, 4, 1, 3}));
    EXPECT_TRUE(dialog.PhotoGrid()->horizontalHeaderItem(2)->text().endsWith(QStringLiteral("\n▲")));
    EXPECT_EQ(app::GetSpreadCellText(*dialog.PhotoGrid(), 1, 2), QStringLiteral("P2"));
    // The comment column does not sort.
    dialog.OnHeaderClicked(5);
    EXPECT_EQ(PlacedOrder(site.project(), 0), (std::vector<int>{5, 2, 4, 1, 3}));
}

// Texts typed for one map are stored when another map is chosen, and shown again on return.
TEST(ReservoirPhotoDlg, SwitchingMapsKeepsTypedTexts)
{
    SurveyDocument site;
    CReservoirPhotoDlg dialog(site.doc, 0);
    dialog.SelectTable(1);
    ChoosePhotoRow(dialog, 4);
    dialog.OnAdd();
    app::SetSpreadCellText(*dialog.InfoGrid(), 1, 1, QStringLiteral("T-01"));
    app::SetSpreadCellText(*dialog.InfoGrid(), 1, 2, QStringLiteral("堤A池"));
    app::SetSpreadCellText(*dialog.InfoGrid(), 1, 3, QStringLiteral("令和6年6月"));
    app::SetSpreadCellText(*dialog.Page(1)->Grid(), 3, 1, QStringLiteral("法面のはらみ"));
    dialog.MapList()->setCurrentIndex(1);
    EXPECT_EQ(dialog.MapIndex(), 1);
    EXPECT_EQ(app::GetSpreadCellText(*dialog.InfoGrid(), 1, 1), QString());
    EXPECT_EQ(dialog.PhotoGrid()->Rows(), 1);
    const ReservoirSheet& first = site.project().maps.maps[0].reservoir;
    EXPECT_EQ(first.reservoirId, QStringLiteral("T-01"));
    EXPECT_EQ(first.reservoirName, QStringLiteral("堤A池"));
    EXPECT_EQ(first.surveyDate, QStringLiteral("令和6年6月"));
    EXPECT_EQ(first.items[1].photoRows.at(0).description, QStringLiteral("法面のはらみ"));
    ExpectSurveyOnDisk(site);
    dialog.MapList()->setCurrentIndex(0);
    EXPECT_EQ(app::GetSpreadCellText(*dialog.InfoGrid(), 1, 2), QStringLiteral("堤A池"));
    EXPECT_EQ(app::GetSpreadCellText(*dialog.Page(1)->Grid(), 3, 1), QStringLiteral("法面のはらみ"));
}

// The preview shows a photo turned by its rotation, whether chosen on the left or on a page.
TEST(ReservoirPhotoDlg, PreviewTurnsThePhotoFromEitherSide)
{
    SurveyDocument site;
    ASSERT_TRUE(site.doc
                    .Change(ProjectChange::Photos,
                            [](Project& project) {
                                project.photos.photos[0].rotation = 90;
                                return true;
                            })
                    .Ok());
    CReservoirPhotoDlg dialog(site.doc, 0);
    dialog.show();
    ChoosePhotoRow(dialog, 1);
    const QImage fromRow = dialog.Preview()->Picture();
    ASSERT_FALSE(fromRow.isNull());
    EXPECT_GT(fromRow.height(), fromRow.width());  // 120 × 90 turned
    dialog.ShowPhotoPreviewById(2);
    EXPECT_GT(dialog.Preview()->Picture().width(), dialog.Preview()->Picture().height());
    dialog.ShowPhotoPreviewById(1);
    EXPECT_EQ(dialog.Preview()->Picture().size(), fromRow.size());
}

// The width stays as opened; the height may grow, and the close button follows the bottom edge.
TEST(ReservoirPhotoDlg, ResizingChangesOnlyTheHeight)
{
    SurveyDocument site;
    CReservoirPhotoDlg dialog(site.doc, 0);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QSize opened = dialog.size();
    EXPECT_EQ(dialog.minimumSize(), opened);
    EXPECT_EQ(dialog.maximumWidth(), opened.width());
    dialog.resize(opened.width() + 200, opened.height() + 150);
    QTest::qWait(10);
    EXPECT_EQ(dialog.width(), opened.width());
    EXPECT_EQ(dialog.height(), opened.height() + 150);
    EXPECT_EQ(dialog.CloseButton()->geometry().bottom() + dialog.PhotoGrid()->x(), dialog.height());
}

// A survey stored with three or eleven tables, tables out of place or an impossible turn opens, and every
// page shows.
TEST(ReservoirPhotoDlg, DamagedStoredSurveysOpen)
{
    const QString png = QStringLiteral("図.png");
    const std::vector<std::vector<std::pair<int, int>>> stored = {
        {{0, 0}, {1, 0}, {2, 45}},  // three, a turn of 45
        {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {9, 0}, {2, 0}, {-1, 0}},  // eleven
        {{7, 0}, {6, 0}, {5, 90}, {4, 0}, {3, 0}, {2, 0}, {1, 0}, {0, 0}},  // reversed
    };
    for (const auto& items : stored) {
        SCOPED_TRACE(items.size());
        SurveyDocument site;
        QDir().mkpath(site.project().folder + QStringLiteral("image"));
        QImage(40, 20, QImage::Format_RGB32).save(site.project().folder + QStringLiteral("image/") + png);
        ASSERT_TRUE(site.doc
                        .Change(ProjectChange::Maps,
                                [&](Project& project) {
                                    auto& sheet = project.maps.maps[0].reservoir;
                                    sheet.items.clear();
                                    for (const auto& [index, rotation] : items) {
                                        ReservoirItem item(index);
                                        item.pictureFile = png;
                                        item.pictureRotation = rotation;
                                        item.photoRows.push_back({1, QStringLiteral("表%1").arg(index), 0});
                                        sheet.items.push_back(item);
                                    }
                                    return true;
                                })
                        .Ok());
        ASSERT_EQ(site.doc.OpenProjectFile(site.project().ProjectFilePath()), kDocOpened);
        ASSERT_GE(site.project().maps.maps[0].reservoir.items.size(), 8u);
        CReservoirPhotoDlg dialog(site.doc, 0);
        dialog.show();
        for (int table = 0; table < 8; ++table) {
            dialog.SelectTable(table);
            app::CRsBookItemChildDlg* page = dialog.Page(table);
            const ReservoirItem& item = site.project().maps.maps[0].reservoir.items[table];
            EXPECT_EQ(page->RowCount(), static_cast<int>(item.photoRows.size()));
            if (!item.photoRows.empty()) {
                EXPECT_EQ(app::GetSpreadCellText(*page->Grid(), 3, 1), QStringLiteral("表%1").arg(table));
            }
        }
        // The turn of 45 shows the picture as it is; the turn of 90 turns it.
        const QSize shown2 = dialog.Page(2)->PictureFrame()->Picture().size();
        const QSize shown5 = dialog.Page(5)->PictureFrame()->Picture().size();
        if (items.size() == 3u) {
            EXPECT_EQ(shown2, QSize(40, 20));
        }
        if (items.size() == 8u) {
            EXPECT_EQ(shown5, QSize(20, 40));
        }
        dialog.accept();
    }
}

// Thumbnails are loaded for the rows in view only; scrolling loads the rows that come into view and lets
// go of those that left it.
TEST(ReservoirPhotoDlg, ThumbnailsLoadOnlyForRowsInView)
{
    SurveyDocument site;
    const QByteArray thumb = SurveyDocument::Jpeg(64, 48, QColor(90, 90, 200));
    ASSERT_TRUE(site.doc.Change(ProjectChange::Photos, [&](Project& project) {
        LocationMap& map = project.maps.maps[1];
        for (int k = 0; k < 60; ++k) {
            PhotoRecord photo(project.photos.nextId++);
            project.photos.photos.push_back(photo);
            WriteAll(project.ThumbFolderS() + photo.FileName(), thumb);
            PlacedPhoto entry;
            entry.photoId = photo.id;
            map.photos.entries.push_back(entry);
        }
        return true;
    }).Ok());
    CReservoirPhotoDlg dialog(site.doc, 1);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    app::CSpread7U& grid = *dialog.PhotoGrid();
    ASSERT_EQ(grid.Rows(), 61);
    const auto hasPicture = [&grid](int row) {
        QTableWidgetItem* item = grid.item(row - 1, 1);
        return item && !item->data(app::kSpreadPictureRole).isNull();
    };
    EXPECT_EQ(dialog.LoadedFirst(), 1);
    EXPECT_GT(dialog.LoadedLast(), 2);
    EXPECT_LT(dialog.LoadedLast(), 20);
    EXPECT_TRUE(hasPicture(1));
    EXPECT_FALSE(hasPicture(40));
    grid.scrollToBottom();
    QTest::qWait(10);
    EXPECT_EQ(dialog.LoadedLast(), 61);
    EXPECT_GT(dialog.LoadedFirst(), 40);
    EXPECT_FALSE(hasPicture(1));
}
