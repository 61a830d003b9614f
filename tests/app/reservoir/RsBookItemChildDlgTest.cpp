#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include "DamagedJpeg.h"
#include "SurveyDocument.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/reservoir/ReservoirPhotoDlg.h"
#include "app/reservoir/RsBookItemChildDlg.h"
#include "app/reservoir/SurveyPicturePreview.h"
#include "reservoir/ReservoirPictures.h"

using app::CReservoirPhotoDlg;
using app::CRsBookItemChildDlg;

namespace {

const ReservoirItem& Table(const Project& project, int table, int map = 0)
{
    return project.maps.maps.at(map).reservoir.items.at(table);
}

QStringList ImageFiles(const SurveyDocument& site)
{
    return QDir(ReservoirImageFolder(site.project())).entryList(QDir::Files, QDir::Name);
}

// Fills table `table` with the first `count` placed photos.
void FillTable(CReservoirPhotoDlg& dialog, int table, int count)
{
    dialog.SelectTable(table);
    for (int row = 1; row <= count; ++row) {
        dialog.PhotoGrid()->SetActiveCell(1, row);
        dialog.OnAdd();
    }
}

QStringList GridDescriptions(CRsBookItemChildDlg& page)
{
    QStringList texts;
    for (int r = 1; r <= page.Grid()->Rows(); ++r)
        texts.append(app::GetSpreadCellText(*page.Grid(), 3, r));
    return texts;
}

QStringList StoredDescriptions(const ReservoirItem& item)
{
    QStringList texts;
    for (const ReservoirPhotoRef& row : item.photoRows)
        texts.append(row.description);
    return texts;
}

// A 160 × 80 JPEG with the EXIF orientation, written by exiftool; empty when exiftool is missing.
QString JpegWithOrientation(const SurveyDocument& site, const QString& name, int orientation)
{
    const QString path = site.WriteFile(name, SurveyDocument::Jpeg(160, 80, QColor(200, 30, 30)));
    const QString exiftool = QStandardPaths::findExecutable(QStringLiteral("exiftool"));
    if (exiftool.isEmpty())
        return QString();
    QProcess process;
    process.start(exiftool, {QStringLiteral("-overwrite_original"), QStringLiteral("-n"),
                             QStringLiteral("-Orientation=%1").arg(orientation), path});
    return process.waitForFinished(30000) && process.exitCode() == 0 ? path : QString();
}

}  // namespace

TEST(RsBookItemChildDlg, TablesWithoutADrawingShowOnlyTheirRows)
{
    SurveyDocument site;
    CReservoirPhotoDlg dialog(site.doc, 0);
    dialog.show();
    for (int table = 0; table < 8; ++table) {
        SCOPED_TRACE(table);
        CRsBookItemChildDlg* page = dialog.Page(table);
        dialog.SelectTable(table);
        const bool drawing = table != 1 && table != 6 && table != 7;
        EXPECT_EQ(page->LoadButton()->isVisible(), drawing);
        EXPECT_EQ(page->PictureFrame()->isVisible(), drawing);
        // Without a drawing the rows move up to the page's margin.
        EXPECT_EQ(page->DeleteRowButton()->y() < page->LoadButton()->y() + page->LoadButton()->height(),
                  !drawing);
        EXPECT_TRUE(page->LoadButton()->isEnabled() || !drawing);
    }
}

// "読込" copies the chosen picture into image/ under a free name and turns it by its EXIF orientation;
// "削除" removes it and its turn.
TEST(RsBookItemChildDlg, LoadedPicturesAreCopiedAndTurnedByTheirOrientation)
{
    SurveyDocument site;
    app::ScriptedPrompts prompts;
    CReservoirPhotoDlg dialog(site.doc, 0);
    dialog.show();
    const QString turned = JpegWithOrientation(site, QStringLiteral("turned.jpg"), 6);
    if (turned.isEmpty())
        GTEST_SKIP() << "exiftool is needed to write the orientation";
    CRsBookItemChildDlg* page = dialog.Page(0);
    dialog.SelectTable(0);
    prompts.QueueFiles({turned});
    QTest::mouseClick(page->LoadButton(), Qt::LeftButton);
    EXPECT_EQ(Table(site.project(), 0).pictureFile, QStringLiteral("turned.jpg"));
    EXPECT_EQ(Table(site.project(), 0).pictureRotation, 270);
    EXPECT_EQ(Table(site.Reread(), 0).pictureRotation, 270);
    // 160 × 80 shown turned: taller than wide.
    const QImage shown = page->PictureFrame()->Picture();
    EXPECT_EQ(shown.size(), QSize(80, 160));
    EXPECT_FALSE(page->LoadButton()->isEnabled());
    EXPECT_TRUE(page->DeletePictureButton()->isEnabled());
    EXPECT_EQ(site.settings.lastSurveyPictureFolder, site.temp.path());

    // A PNG keeps no turn; the same file loaded three times gets three names.
    const QString png = site.temp.file(QStringLiteral("a.png"));
    QImage(30, 20, QImage::Format_RGB32).save(png);
    for (int table : {2, 3, 4}) {
        dialog.SelectTable(table);
        prompts.QueueFiles({png});
        dialog.Page(table)->OnLoadPicture();
        EXPECT_EQ(Table(site.project(), table).pictureRotation, 0) << table;
    }
    EXPECT_EQ(Table(site.project(), 2).pictureFile, QStringLiteral("a.png"));
    EXPECT_EQ(Table(site.project(), 3).pictureFile, QStringLiteral("a_0.png"));
    EXPECT_EQ(Table(site.project(), 4).pictureFile, QStringLiteral("a_1.png"));

    dialog.SelectTable(0);
    QTest::mouseClick(page->DeletePictureButton(), Qt::LeftButton);
    EXPECT_EQ(Table(site.project(), 0).pictureFile, QString());
    EXPECT_EQ(Table(site.project(), 0).pictureRotation, 0);
    EXPECT_FALSE(ImageFiles(site).contains(QStringLiteral("turned.jpg")));
    EXPECT_EQ(page->PictureFrame()->Picture().size(), QSize(800, 600));  // the placeholder
    EXPECT_TRUE(page->LoadButton()->isEnabled());
    EXPECT_TRUE(prompts.asked().size() == 4u);  // the four file dialogs, no message
}

// A picture that a table of a copied map still names stays on disk when one table lets go of it.
TEST(RsBookItemChildDlg, DeletingASharedPictureKeepsTheFile)
{
    SurveyDocument site;
    app::ScriptedPrompts prompts;
    const QString png = site.temp.file(QStringLiteral("図.png"));
    QImage(30, 20, QImage::Format_RGB32).save(png);
    {
        CReservoirPhotoDlg dialog(site.doc, 0);
        dialog.SelectTable(5);
        prompts.QueueFiles({png});
        dialog.Page(5)->OnLoadPicture();
    }
    // The second map's table names the same file, as a map copied with its survey does.
    ASSERT_TRUE(site.doc
                    .Change(ProjectChange::Maps,
                            [](Project& project) {
                                project.maps.maps[1].reservoir.items[5].pictureFile =
                                    project.maps.maps[0].reservoir.items[5].pictureFile;
                                return true;
                            })
                    .Ok());
    ASSERT_EQ(Table(site.project(), 5, 1).pictureFile, QStringLiteral("図.png"));
    CReservoirPhotoDlg dialog(site.doc, 1);
    dialog.SelectTable(5);
    dialog.Page(5)->OnDeletePicture();
    EXPECT_EQ(Table(site.project(), 5, 1).pictureFile, QString());
    EXPECT_EQ(ImageFiles(site), QStringList{QStringLiteral("図.png")});
    dialog.SelectMap(0);
    dialog.Page(5)->OnDeletePicture();
    EXPECT_TRUE(ImageFiles(site).isEmpty());
}

// Bad files are refused with a message before anything is copied or stored.
TEST(RsBookItemChildDlg, BadPicturesAreRefusedWithAMessage)
{
    SurveyDocument site;
    app::ScriptedPrompts prompts;
    const QByteArray jpeg = damagedjpeg::Plain(200, 100);
    const struct
    {
        const char* what;
        QString path;
        QString message;
    } cases[] = {
        {"gone", site.temp.file(QStringLiteral("gone.png")), QStringLiteral("ファイルが見つかりません。")},
        {"truncated", site.WriteFile(QStringLiteral("cut.jpg"), jpeg.left(jpeg.size() / 2)),
         QStringLiteral("画像ファイルが読み込めません。\ncut.jpg")},
        {"not a picture", site.WriteFile(QStringLiteral("memo.png"), QByteArray("memo\n")),
         QStringLiteral("画像ファイルが読み込めません。\nmemo.png")},
        {"too large",
         site.WriteFile(QStringLiteral("huge.jpg"), damagedjpeg::ClaimingSize(jpeg, 30000, 30000)),
         QStringLiteral("画像が大きすぎるため読み込めません。\nhuge.jpg")},
    };
    CReservoirPhotoDlg dialog(site.doc, 0);
    dialog.SelectTable(3);
    const QByteArray before = ReadAll(site.project().ProjectFilePath());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.clear();
        prompts.QueueFiles({c.path});
        dialog.Page(3)->OnLoadPicture();
        ASSERT_EQ(prompts.asked().size(), 2u);
        EXPECT_EQ(prompts.asked()[1].text, c.message);
        EXPECT_TRUE(ImageFiles(site).isEmpty());
        EXPECT_EQ(Table(site.project(), 3).pictureFile, QString());
    }
    EXPECT_EQ(ReadAll(site.project().ProjectFilePath()), before);
}

// Row delete and moves keep descriptions typed in the grid but not yet read back.
TEST(RsBookItemChildDlg, RowEditsKeepTypedDescriptions)
{
    SurveyDocument site;
    CReservoirPhotoDlg dialog(site.doc, 0);
    FillTable(dialog, 6, 4);
    CRsBookItemChildDlg* page = dialog.Page(6);
    ASSERT_EQ(page->RowCount(), 4);
    for (int r = 1; r <= 4; ++r)
        app::SetSpreadCellText(*page->Grid(), 3, r, QStringLiteral("説明%1").arg(r));

    page->SetActiveRow(2);
    page->OnDeleteRow();
    EXPECT_EQ(StoredDescriptions(Table(site.project(), 6)), (QStringList{"説明1", "説明3", "説明4"}));
    EXPECT_EQ(GridDescriptions(*page), (QStringList{"説明1", "説明3", "説明4"}));

    app::SetSpreadCellText(*page->Grid(), 3, 3, QStringLiteral("新しい説明"));
    page->SetActiveRow(3);
    page->OnMoveUp();
    EXPECT_EQ(StoredDescriptions(Table(site.project(), 6)), (QStringList{"説明1", "新しい説明", "説明3"}));
    EXPECT_EQ(page->ActiveRow(), 2);
    page->SetActiveRow(1);
    page->OnMoveUp();  // the first row stays first
    EXPECT_FALSE(page->UpButton()->isEnabled());
    page->SetActiveRow(3);
    EXPECT_FALSE(page->DownButton()->isEnabled());
    page->OnMoveDown();
    EXPECT_EQ(StoredDescriptions(Table(site.project(), 6)), (QStringList{"説明1", "新しい説明", "説明3"}));
    EXPECT_EQ(StoredDescriptions(Table(site.Reread(), 6)), StoredDescriptions(Table(site.project(), 6)));
}

// A row whose photo is not placed on the shown map has no map number; one whose photo was deleted
// stays, without a thumbnail.
TEST(RsBookItemChildDlg, RowsOfPhotosOffTheMapShowWhatTheyCan)
{
    SurveyDocument site;
    CReservoirPhotoDlg dialog(site.doc, 0);
    FillTable(dialog, 7, 5);  // the fifth is the entry whose photo was deleted
    dialog.SelectMap(1);
    FillTable(dialog, 7, 1);
    ASSERT_TRUE(site.doc
                    .Change(ProjectChange::Maps,
                            [](Project& project) {
                                project.maps.maps[1].reservoir.items[7].photoRows.push_back(
                                    {1, QStringLiteral("他の地図"), 0});
                                return true;
                            })
                    .Ok());
    dialog.SelectMap(1);
    CRsBookItemChildDlg* page = dialog.Page(7);
    ASSERT_EQ(page->RowCount(), 2);
    EXPECT_EQ(app::GetSpreadCellText(*page->Grid(), 4, 1), QStringLiteral("**"));
    EXPECT_EQ(app::GetSpreadCellText(*page->Grid(), 4, 2), QString());
    dialog.SelectMap(0);
    ASSERT_EQ(page->RowCount(), 5);
    EXPECT_EQ(app::GetSpreadCellText(*page->Grid(), 4, 5), QStringLiteral("**"));
}
