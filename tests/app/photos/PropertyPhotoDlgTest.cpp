// 写真プロパティ tried as a user would, in the frame over imported photos: typed fields and their checks,
// rotation with the thumbnails, stepping, the EXIF write through the pane's Exif書込 read back by exiftool,
// reading the EXIF again, and the preview's zoom and pan.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QWheelEvent>

#include "../frame/PhotoFrameFixture.h"
#include "app/controls/ExpButton.h"
#include "app/controls/ExpEdit.h"
#include "app/controls/SpreadGrid.h"
#include "app/panes/OverlapStrip.h"
#include "app/frame/FrameMessages.h"
#include "app/panes/PhotoPane.h"
#include "app/photos/DateField.h"
#include "app/photos/PropertyPhotoDlg.h"
#include "app/reservoir/SurveyPicturePreview.h"

namespace {

using namespace app;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// exiftool's numeric value of each tag of the file; empty without exiftool.
std::map<QString, QString> ExiftoolTags(const QString& path, const QStringList& tags)
{
    std::map<QString, QString> values;
    const QString exiftool = QStandardPaths::findExecutable(QStringLiteral("exiftool"));
    if (exiftool.isEmpty())
        return values;
    QStringList arguments{QStringLiteral("-n"), QStringLiteral("-s"), QStringLiteral("-s")};
    for (const QString& tag : tags)
        arguments << QLatin1Char('-') + tag;
    arguments << path;
    QProcess process;
    process.start(exiftool, arguments);
    process.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0)
            values[line.left(colon).trimmed()] = line.mid(colon + 1).trimmed();
    }
    return values;
}

bool RunExiftool(const QStringList& arguments)
{
    const QString exiftool = QStandardPaths::findExecutable(QStringLiteral("exiftool"));
    if (exiftool.isEmpty())
        return false;
    QProcess process;
    process.start(exiftool, arguments);
    return process.waitForFinished(30000) && process.exitCode() == 0;
}

// The frame with its real photo pane, a web map with every photo placed, and the dialog opened on photo 1
// as a double click in the list opens it.
struct PropertyFrame : PhotoFrame
{
    CPanePhotoDlg* pane = nullptr;
    CPropertyPhotoDlg* dialog = nullptr;

    explicit PropertyFrame(int count) : PhotoFrame(count, false)
    {
        pane = qobject_cast<CPanePhotoDlg*>(frame->PhotoPane()->widget());
        SetPositions(std::vector<double>(size_t(count), 35.5));
        (void)document.Change(ProjectChange::Maps | ProjectChange::PlacedPhotos, [](Project& project) {
            if (!project.maps.AddWebMap(2, Rect2(139.0, 35.0, 140.0, 36.0), 16, false))
                return false;
            for (const PhotoRecord& photo : project.photos.photos) {
                PlacedPhoto entry;
                entry.photoId = photo.id;
                entry.x = photo.position.longitude;
                entry.y = photo.position.latitude;
                EXPECT_TRUE(project.maps.maps[0].photos.Add(entry));
            }
            return true;
        });
        pane->FillList();
        emit pane->Grid()->DblClick(1, 1);
        dialog = frame->findChild<CPropertyPhotoDlg*>();
        EXPECT_NE(dialog, nullptr);
    }
    const PhotoRecord& Saved(int index) const
    {
        saved = Reread();
        return saved.at(size_t(index));
    }
    const PlacedPhoto& Mark(int index) const
    {
        return document.GetProject().maps.maps[0].photos.entries.at(size_t(index));
    }
    void ShowActive()
    {
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    }
    // Types into the edit and moves the focus on, as the user leaves a field.
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->setText(text);
        edit->clearFocus();
    }
    mutable std::vector<PhotoRecord> saved;
};

}  // namespace

TEST(PropertyPhotoDialog, TypedFieldsAreSavedAndMoveTheMarks)
{
    PropertyFrame f(3);
    f.ShowActive();
    EXPECT_EQ(f.dialog->windowTitle(), QStringLiteral("撮影写真番号 1"));
    EXPECT_EQ(f.dialog->LatitudeEdit()->text(), QStringLiteral("35.500000"));

    PropertyFrame::Type(f.dialog->LatitudeEdit(), QStringLiteral("35.6812"));
    EXPECT_DOUBLE_EQ(f.Saved(0).position.latitude, 35.6812);
    EXPECT_DOUBLE_EQ(f.Mark(0).y, 35.6812);  // the mark on the map follows
    PropertyFrame::Type(f.dialog->LongitudeEdit(), QStringLiteral("139.7671"));
    EXPECT_DOUBLE_EQ(f.Saved(0).position.longitude, 139.7671);
    EXPECT_DOUBLE_EQ(f.Mark(0).x, 139.7671);
    PropertyFrame::Type(f.dialog->DirectionEdit(), QStringLiteral("123.5"));
    EXPECT_DOUBLE_EQ(f.Saved(0).direction, 123.5);

    // The date kept as typed when it reads year first, shown in the normal form; the time as typed.
    PropertyFrame::Type(f.dialog->DateField()->Edit(), QStringLiteral("2023-4-5"));
    EXPECT_EQ(f.Saved(0).date, QStringLiteral("2023-4-5"));
    EXPECT_EQ(f.dialog->DateField()->Text(), QStringLiteral("2023/04/05"));
    PropertyFrame::Type(f.dialog->TimeEdit(), QStringLiteral("10:20:30"));
    EXPECT_EQ(f.Saved(0).time, QStringLiteral("10:20:30"));
    // A locale's day-first date is no date.
    PropertyFrame::Type(f.dialog->DateField()->Edit(), QStringLiteral("05.04.2023"));
    EXPECT_EQ(f.Saved(0).date, QString());
    f.dialog->DateField()->PickDate(QDate(2023, 4, 5));
    EXPECT_EQ(f.Saved(0).date, QStringLiteral("2023/04/05"));

    // A value out of range is refused by the edit and never stored, also by a store from elsewhere.
    f.prompts.clear();
    f.dialog->LatitudeEdit()->setFocus();
    f.dialog->LatitudeEdit()->setText(QStringLiteral("123"));
    f.dialog->StorePhotoFields(false);
    EXPECT_DOUBLE_EQ(f.document.GetProject().photos.photos[0].position.latitude, 35.6812);
    f.dialog->LatitudeEdit()->clearFocus();
    EXPECT_FALSE(f.prompts.asked().empty());  // the edit explained the bad value
    EXPECT_DOUBLE_EQ(f.Saved(0).position.latitude, 35.6812);

    // Emptying the latitude unsets it, and the photo's mark leaves the web map.
    PropertyFrame::Type(f.dialog->LatitudeEdit(), QString());
    EXPECT_TRUE(IsUnset(f.Saved(0).position.latitude));
    EXPECT_EQ(f.document.GetProject().maps.maps[0].photos.IndexOfPhoto(f.Photos()[0].id), -1);

    // Esc leaves the dialog open.
    QTest::keyClick(f.dialog, Qt::Key_Escape);
    EXPECT_TRUE(f.dialog->isVisible());
}

TEST(PropertyPhotoDialog, RotationTurnsTheThumbnailsAndResetsTheCropFrames)
{
    PropertyFrame f(1);
    const Project& project = f.document.GetProject();
    const QString small = project.ThumbFolderS() + f.Photos()[0].FileName();
    const int expected[] = {90, 180, 270, 0};
    for (int rotation : expected) {
        const QByteArray before = ReadAll(small);
        f.dialog->RotateLeft();
        EXPECT_EQ(f.Saved(0).rotation, rotation);
        EXPECT_NE(ReadAll(small), before) << rotation;
        const QImage thumbnail(small);
        EXPECT_EQ(thumbnail.width() > thumbnail.height(), rotation % 180 == 0) << rotation;
        const Rect2 frame = f.Mark(0).frame;
        EXPECT_EQ(frame.x1, rotation % 180 == 0 ? 64 : 48) << rotation;
        EXPECT_EQ(frame.y1, rotation % 180 == 0 ? 48 : 64) << rotation;
    }
    f.dialog->RotateRight();
    EXPECT_EQ(f.Saved(0).rotation, 270);
    f.dialog->RotateRight();
    EXPECT_EQ(f.Saved(0).rotation, 180);
    EXPECT_EQ(RotationAfter(0, false), 270);
    EXPECT_EQ(RotationAfter(270, true), 0);
}

TEST(PropertyPhotoDialog, ArrowsStepThroughThePhotosAndFollowTheList)
{
    PropertyFrame f(3);
    f.ShowActive();
    EXPECT_FALSE(f.dialog->PreviousButton()->isEnabled());
    EXPECT_TRUE(f.dialog->NextButton()->isEnabled());
    f.pane->SetOverlapPhotos({f.Photos()[0].id, f.Photos()[1].id});
    f.dialog->StepNext();
    EXPECT_EQ(f.dialog->PhotoIndex(), 1);
    EXPECT_EQ(f.pane->GetSelectedRows(), std::vector<int>({2}));
    EXPECT_FALSE(f.pane->OverlapStrip()->isVisibleTo(f.pane));
    f.dialog->StepNext();
    EXPECT_EQ(f.dialog->PhotoIndex(), 2);
    EXPECT_FALSE(f.dialog->NextButton()->isEnabled());
    f.dialog->StepNext();  // nothing beyond the last
    EXPECT_EQ(f.dialog->PhotoIndex(), 2);

    // The left key, with the focus outside the edits, steps back after the button showed pressed.
    f.dialog->Preview()->setFocus();
    QTest::keyClick(f.dialog, Qt::Key_Left);
    EXPECT_TRUE(f.dialog->PreviousButton()->isDown());
    QTRY_COMPARE(f.dialog->PhotoIndex(), 1);
    EXPECT_FALSE(f.dialog->PreviousButton()->isDown());
    // A push button with the focus does not take the keys: every one of them steps like the preview.
    for (QPushButton* button : f.dialog->findChildren<QPushButton*>()) {
        if (button->focusPolicy() == Qt::NoFocus || !button->isEnabled())
            continue;
        SCOPED_TRACE(button->text().toStdString());
        button->setFocus();
        ASSERT_TRUE(button->hasFocus());
        const int before = f.dialog->PhotoIndex();
        const Qt::Key key = before == 0 ? Qt::Key_Right : Qt::Key_Left;
        QTest::keyClick(button, key);
        QTRY_COMPARE(f.dialog->PhotoIndex(), before == 0 ? 1 : before - 1);
        EXPECT_TRUE(button->hasFocus());
    }
    f.dialog->SetPhotoIndex(1);
    // In an edit the key moves the cursor only.
    f.dialog->LatitudeEdit()->setFocus();
    QTest::keyClick(f.dialog->LatitudeEdit(), Qt::Key_Left);
    QTest::qWait(250);
    EXPECT_EQ(f.dialog->PhotoIndex(), 1);

    // A selection made in the list moves the shown dialog; a header sort hides it; the close box deletes it.
    f.frame->SendAppMessage(kMsgSelectPhoto, f.Photos()[0].id);
    EXPECT_EQ(f.dialog->PhotoIndex(), 0);
    emit f.pane->Grid()->Click(kColFileName, -1000);
    EXPECT_FALSE(f.dialog->isVisible());
    emit f.pane->Grid()->DblClick(1, 2);
    EXPECT_TRUE(f.dialog->isVisible());
    EXPECT_EQ(f.dialog->PhotoIndex(), 1);
    QPointer<CPropertyPhotoDlg> closing = f.dialog;
    f.dialog->close();
    QTRY_VERIFY(closing.isNull());
}

TEST(PropertyPhotoDialog, TheExifWriteAndReadAgainCarryTheEdits)
{
    if (QStandardPaths::findExecutable(QStringLiteral("exiftool")).isEmpty())
        GTEST_SKIP() << "exiftool reads the written tags back";
    PropertyFrame f(2);
    f.ShowActive();
    PropertyFrame::Type(f.dialog->LatitudeEdit(), QStringLiteral("-33.5"));
    PropertyFrame::Type(f.dialog->LongitudeEdit(), QStringLiteral("-70.25"));
    PropertyFrame::Type(f.dialog->DirectionEdit(), QStringLiteral("200"));
    PropertyFrame::Type(f.dialog->TimeEdit(), QStringLiteral("08:09:10"));
    f.dialog->DateField()->Edit()->setFocus();
    f.dialog->DateField()->Edit()->setText(QStringLiteral("2023-4-5"));  // still in the edit
    f.dialog->RotateLeft();

    // The pane's Exif書込 keeps the pending date first, then writes every copy.
    f.prompts.QueueAnswer(PromptAnswer::Yes);
    f.pane->Button(kButtonWriteExif)->click();
    const QString copy = f.CopyOf(f.Photos()[0]);
    auto tags = ExiftoolTags(copy, {"GPSLatitude", "GPSLatitudeRef", "GPSLongitude", "GPSLongitudeRef",
                                    "GPSImgDirection", "DateTimeOriginal", "Orientation"});
    EXPECT_EQ(tags["GPSLatitude"], QStringLiteral("-33.5"));
    EXPECT_EQ(tags["GPSLatitudeRef"], QStringLiteral("S"));
    EXPECT_EQ(tags["GPSLongitude"], QStringLiteral("-70.25"));
    EXPECT_EQ(tags["GPSLongitudeRef"], QStringLiteral("W"));
    EXPECT_EQ(tags["GPSImgDirection"], QStringLiteral("200"));
    EXPECT_EQ(tags["DateTimeOriginal"], QStringLiteral("2023:04:05 08:09:10"));
    EXPECT_EQ(tags["Orientation"], QStringLiteral("8"));

    // exiftool changes the copy; reading it again shows exiftool's values.
    ASSERT_TRUE(RunExiftool({"-overwrite_original", "-n", "-GPSLatitude=12.25", "-GPSLatitudeRef=N",
                             "-DateTimeOriginal=2024:01:02 03:04:05", copy}));
    f.dialog->RereadExif();
    EXPECT_EQ(f.dialog->LatitudeEdit()->text(), QStringLiteral("12.250000"));
    EXPECT_EQ(f.dialog->DateField()->Text(), QStringLiteral("2024/01/02"));
    EXPECT_DOUBLE_EQ(f.Saved(0).position.latitude, 12.25);
    EXPECT_EQ(f.Saved(0).time, QStringLiteral("03:04:05"));
    EXPECT_DOUBLE_EQ(f.Saved(0).direction, 200.0);

    // A copy that is gone leaves the photo as it was and says so.
    const PhotoRecord before = f.Photos()[0];
    ASSERT_TRUE(QFile::remove(copy));
    f.prompts.clear();
    f.dialog->RereadExif();
    for (const PhotoRecord& photo : {f.Photos()[0], f.Saved(0)}) {
        EXPECT_DOUBLE_EQ(photo.position.latitude, before.position.latitude);
        EXPECT_DOUBLE_EQ(photo.direction, before.direction);
        EXPECT_EQ(photo.date, before.date);
        EXPECT_EQ(photo.rotation, before.rotation);
    }
    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_TRUE(f.prompts.asked()[0].text.startsWith(QStringLiteral("写真ファイルを読み込めませんでした。")));
    EXPECT_NE(f.document.GetProject().maps.maps[0].photos.IndexOfPhoto(before.id), -1);
}

TEST(PropertyPhotoDialog, ThePreviewZoomsPansAndFitsAgain)
{
    PropertyFrame f(1);
    f.dialog->resize(640, 600);
    f.dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.dialog));
    SurveyPicturePreview* preview = f.dialog->Preview();
    const auto scale = [preview] { return preview->Mapping().Map(Point2{64, 0}).x - preview->Mapping().Map(Point2{0, 0}).x; };
    const double fitted = scale();
    ASSERT_GT(fitted, 0.0);
    const QPoint centre = preview->rect().center();
    QWheelEvent wheel(centre, preview->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(preview, &wheel);
    EXPECT_NEAR(scale(), fitted * 1.1, 1e-6);
    const double left = preview->Mapping().Map(Point2{0, 0}).x;
    QTest::mousePress(preview, Qt::MiddleButton, {}, centre);
    QMouseEvent move(QEvent::MouseMove, QPointF(centre + QPoint(30, 10)), preview->mapToGlobal(QPointF(centre + QPoint(30, 10))),
                     Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(preview, &move);
    QTest::mouseRelease(preview, Qt::MiddleButton, {}, centre + QPoint(30, 10));
    EXPECT_NEAR(preview->Mapping().Map(Point2{0, 0}).x, left + 30, 1e-6);
    for (QPushButton* button : f.dialog->findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("全体表示"))
            button->click();
    EXPECT_NEAR(scale(), fitted, 1e-6);
    const QString shot = qEnvironmentVariable("KELVOR_SCREENSHOTS");
    if (!shot.isEmpty())
        f.dialog->grab().save(shot + QStringLiteral("/photo_property.png"));
}
