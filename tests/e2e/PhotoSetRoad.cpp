// The photo set workbook from the thumbnail wall: the photo pane's 一覧選択 opens the wall, photos are
// ticked with the mouse and one is marked 削除 through the right-button menu, " Excel出力" asks for the file
// in the real save dialog and writes 撮影写真一式 with every photo of the wall but the marked one, in the
// wall's order; the workbook is read with openpyxl and opened through the desktop. Cancelling the wall
// afterwards leaves the project as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QDockWidget>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ExcelReportFixture.h"
#include "RoadDriver.h"
#include "WorkbookCheck.h"
#include "app/controls/ExpButton.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/MainFrame.h"
#include "app/panes/PhotoPane.h"
#include "app/thumbs/PhotoGridViewerDlg.h"
#include "model/Project.h"

namespace {

QJsonObject RunJson(const QString& script, const QString& book)
{
    int code = 0;
    const QString out = workbook_check::Run("/usr/bin/python3", {script, book}, &code);
    EXPECT_EQ(code, 0) << out.toStdString();
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

// Clicks the thumbnail of the wall's row, as the user does.
void ClickThumb(app::CPhotoGridViewerDlg& wall, int row)
{
    const QRect cell = wall.List()->visualRect(wall.List()->model()->index(row, 0));
    QTest::mouseClick(wall.List()->viewport(), Qt::LeftButton, {}, cell.center());
}

}  // namespace

TEST(Roads, PhotoSet)
{
    road::Road road(QStringLiteral("photo-set"));
    Project made;
    ASSERT_TRUE(excel_road::MakeProject(road.Work(), made));
    const QString folder = QDir(road.Work()).filePath(QStringLiteral("提出"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString book = folder + QStringLiteral("/撮影写真一式.xlsx");

    road.Start({made.ProjectFilePath()});
    ASSERT_TRUE(road.Running());
    const std::vector<PhotoRecord> photos = road.Document().GetProject().photos.photos;
    ASSERT_EQ(photos.size(), size_t(list_export::kPhotoCount));
    auto* pane = qobject_cast<app::CPanePhotoDlg*>(road.Frame().PhotoPane()->widget());
    ASSERT_TRUE(pane);

    bool seen = false;
    road.WhenDialog(QStringLiteral("一覧選択"), [&](QDialog* dialog) {
        seen = true;
        auto* wall = qobject_cast<app::CPhotoGridViewerDlg*>(dialog);
        ASSERT_TRUE(wall) << dialog->metaObject()->className();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(wall, 5000));
        road.Idle(300);
        EXPECT_TRUE(wall->ExcelButton()->isEnabled()) << "the wall's Excel出力 is off";
        // Photos 2 to 4 ticked with the mouse.
        for (int row : {1, 2, 3})
            ClickThumb(*wall, row);
        EXPECT_EQ(wall->SelectedIds(), (std::vector<std::int32_t>{photos[1].id, photos[2].id, photos[3].id}));
        // The first photo marked 削除 through the right-button menu: its first item.
        QTimer::singleShot(300, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu) << "no right-button menu";
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        const QPoint first = wall->List()->visualRect(wall->List()->model()->index(0, 0)).center();
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, first,
                                     wall->List()->viewport()->mapToGlobal(first));
        QApplication::sendEvent(wall->List()->viewport(), &rightClick);
        EXPECT_EQ(wall->MarkedIds(), std::vector<std::int32_t>{photos[0].id});
        road.Idle(200);
        road.Shot(QStringLiteral("wall-ticked-and-marked"));

        // Excel出力: the real save dialog, then the workbook, opened through the desktop.
        road.ExpectRealFileDialog();
        road.WhenDialog(QStringLiteral("名前を付けて保存"), [&](QDialog* save) {
            road.FillFileDialog(save, book, QStringLiteral("save-dialog"));
        });
        QTest::mouseClick(wall->ExcelButton(), Qt::LeftButton);
        EXPECT_TRUE(road.WaitUntil([&] { return !road.OpenedFiles().isEmpty(); }, 120000))
            << "the workbook was not opened";
        EXPECT_TRUE(wall->isEnabled());
        road.Shot(QStringLiteral("after-excel"));
        QTest::mouseClick(wall->CancelButton(), Qt::LeftButton);
    });
    QTest::mouseClick(pane->Button(app::kButtonListSelect), Qt::LeftButton);
    ASSERT_TRUE(road.WaitUntil([&] { return seen && !QApplication::activeModalWidget(); }, 180000));
    road.CheckPrompts();
    EXPECT_EQ(road.OpenedFiles(), QStringList{book});
    ASSERT_TRUE(QFileInfo(book).isFile());
    workbook_check::Keep(book);
    // The wall was cancelled: nothing of the project changed, the marked photo is still there.
    EXPECT_EQ(road.Document().GetProject().photos.photos.size(), photos.size());

    // openpyxl: one sheet of 21 cards (every photo but the marked one, in the wall's order), each with its
    // number, its stored file name and its picture inside the page, covering no text and no other picture.
    const QJsonObject dump = workbook_check::Dump(book);
    ASSERT_FALSE(dump.isEmpty()) << "openpyxl could not read the workbook";
    EXPECT_TRUE(dump["problems"].toArray().isEmpty())
        << QJsonDocument(dump["problems"].toArray()).toJson().toStdString();
    EXPECT_EQ(dump["sheets"].toArray(), QJsonArray{QStringLiteral("撮影写真一式")});
    const QJsonObject cells =
        dump["sheet"].toObject()[QStringLiteral("撮影写真一式")].toObject()["cells"].toObject();
    const int cards = int(photos.size()) - 1;
    for (int n = 0; n < cards; ++n) {
        const QString column(QChar(u'B' + n % 4));
        const int top = 6 * (n / 4) + 1;
        EXPECT_EQ(cells[column + QString::number(top)].toInt(), n + 1) << n;
        EXPECT_EQ(cells[column + QString::number(top + 5)].toString(), photos[size_t(n + 1)].FileName()) << n;
    }
    const QJsonObject judged =
        RunJson(QStringLiteral(KELVOR_SOURCE_DIR "/tests/e2e/excel_report_check.py"), book);
    const QJsonArray images =
        judged["sheet"].toObject()[QStringLiteral("撮影写真一式")].toObject()["images"].toArray();
    EXPECT_EQ(images.size(), cards);
    for (const QJsonValue& value : images) {
        const QJsonObject image = value.toObject();
        const std::string where = image["cell"].toString().toStdString();
        EXPECT_GT(image["px"].toArray()[0].toInt(), 0) << where;
        EXPECT_NE(image["in_print_area"], QJsonValue(false)) << where;  // null: the sheet sets none
        EXPECT_TRUE(image["covers"].toArray().isEmpty()) << where;
        EXPECT_TRUE(image["overlaps"].toArray().isEmpty()) << where;
        EXPECT_FALSE(image["crosses_break"].toBool()) << where;
    }
    road.Close();
}
