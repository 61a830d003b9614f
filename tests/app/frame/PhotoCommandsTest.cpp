// The photo commands on the selected rows and the EXIF batch write, over imported photos.
#include <gtest/gtest.h>

#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "PhotoFrameFixture.h"
#include "app/frame/PhotoExifWrite.h"
#include "fe/img/ExifInfo.h"

TEST(PhotoExif, DateTimeAndOrientationOfAPhoto)
{
    const std::pair<std::pair<QString, QString>, QString> times[] = {
        {{"2023/4/5", "9:08:07"}, "2023:04:05 09:08:07"},
        {{"2023/04/05", ""}, "2023:04:05 "},
        {{"不明", "12:00:00"}, "不明 12:00:00"},  // a date that does not read stays as written
        {{"", "12:00:00"}, "12:00:00"},
        {{"", ""}, ""},
    };
    for (const auto& [texts, expected] : times)
        EXPECT_EQ(app::ExifDateTimeText(texts.first, texts.second), expected) << texts.first.toStdString();
    const std::pair<int, int> orientations[] = {{0, -1}, {90, 8}, {180, 3}, {270, 6}, {45, -1}};
    for (const auto& [rotation, orientation] : orientations)
        EXPECT_EQ(app::ExifOrientationOf(rotation), orientation) << rotation;
}

TEST(PhotoExif, TheBatchMessageTellsFailuresAndWhatACancelLeft)
{
    struct Case
    {
        app::ExifBatchResult result;
        QString text;
    };
    const Case cases[] = {
        {{3, 3, 0, false}, "書き込みが完了しました。"},
        {{3, 2, 1, false}, "3枚の写真のうち 2枚に書き込みました。\n書き込めなかった写真： 1 件"},
        {{5, 2, 0, true}, "書き込みが中断されました。\n完了： 2 件 / 未処理： 3件"},
        {{5, 2, 1, true}, "書き込みが中断されました。\n完了： 2 件 / 未処理： 2件\n書き込めなかった写真： 1 件"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(app::ExifBatchMessage(c.result), c.text);
}

TEST(PhotoCommands, TheExifBatchWritesEveryPhotoAndCountsTheOnesItCouldNot)
{
    PhotoFrame f(3);
    f.SetPositions({35.25, kUnset, 35.5});
    // The third copy is damaged: it cannot take the write.
    const QString damaged = f.CopyOf(f.Photos()[2]);
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(40));
    file.close();
    const QByteArray projectBefore = [&f] {
        QFile project(f.document.ProjectFilePath());
        return project.open(QIODevice::ReadOnly) ? project.readAll() : QByteArray();
    }();

    f.prompts.QueueAnswer(app::PromptAnswer::Yes);
    app::WriteExifOfAllPhotos(*f.frame);
    ASSERT_EQ(f.prompts.asked().size(), 2u);
    EXPECT_TRUE(f.prompts.asked()[0].text.contains(QStringLiteral("「/P/photo/」フォルダ内のjpgファイル")));
    EXPECT_EQ(f.prompts.asked()[1].text,
              QStringLiteral("3枚の写真のうち 2枚に書き込みました。\n書き込めなかった写真： 1 件"));

    ExifInfo first;
    ASSERT_TRUE(first.ReadFile(f.CopyOf(f.Photos()[0])) & ExifInfo::kLatitudeRead);
    EXPECT_NEAR(first.m_latitude, 35.25, 1e-6);
    EXPECT_NEAR(first.m_direction, 45.0, 1e-6);
    ExifInfo second;
    EXPECT_FALSE(second.ReadFile(f.CopyOf(f.Photos()[1])) & ExifInfo::kLatitudeRead);
    QFile project(f.document.ProjectFilePath());
    ASSERT_TRUE(project.open(QIODevice::ReadOnly));
    EXPECT_EQ(project.readAll(), projectBefore);

    // "No" writes nothing.
    f.prompts.clear();
    f.prompts.QueueAnswer(app::PromptAnswer::No);
    app::WriteExifOfAllPhotos(*f.frame);
    EXPECT_EQ(f.prompts.asked().size(), 1u);
}

TEST(PhotoCommands, DeletingAsksThenRemovesTheSelectedPhotosAndTheirFiles)
{
    PhotoFrame f(4);
    const QString copyOfSecond = f.CopyOf(f.Photos()[1]);
    ASSERT_TRUE(QFileInfo::exists(copyOfSecond));
    f.rows = {4, 2};
    f.prompts.QueueAnswer(app::PromptAnswer::Cancel);
    app::DeletePhotos(*f.frame);
    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_EQ(f.prompts.asked()[0].text, QStringLiteral("選択している写真2枚を削除します。"));
    EXPECT_EQ(f.Photos().size(), 4u);

    f.prompts.QueueAnswer(app::PromptAnswer::Ok);
    app::DeletePhotos(*f.frame);
    EXPECT_EQ(f.Ids(), std::vector<int>({1, 3}));
    EXPECT_FALSE(QFileInfo::exists(copyOfSecond));
    EXPECT_TRUE(f.rows.empty());
    EXPECT_EQ(f.Reread().size(), 2u);
    EXPECT_EQ(f.frame->PhotoPane()->windowTitle(), QStringLiteral("撮影写真　枚数：全て(2)"));
}

TEST(PhotoCommands, ClearingPositionsAndDirectionsTouchesOnlyTheSelectedRows)
{
    PhotoFrame f(3);
    f.SetPositions({35.1, kUnset, 35.3});
    f.rows = {1, 2};
    app::ClearPhotoLatLong(*f.frame);
    EXPECT_FALSE(f.Photos()[0].HasPosition());
    EXPECT_FALSE(f.Photos()[1].HasPosition());
    EXPECT_TRUE(f.Photos()[2].HasPosition());
    f.rows = {3, 9};  // a row beyond the list is skipped
    app::ClearPhotoDirection(*f.frame);
    EXPECT_FALSE(IsUnset(f.Photos()[0].direction));
    EXPECT_TRUE(IsUnset(f.Photos()[2].direction));
    const std::vector<PhotoRecord> saved = f.Reread();
    EXPECT_FALSE(saved[0].HasPosition());
    EXPECT_TRUE(saved[2].HasPosition());
    EXPECT_TRUE(IsUnset(saved[2].direction));
}

TEST(PhotoCommands, PhotosWithoutAPositionTakeTheMapCentre)
{
    PhotoFrame f(3);
    f.SetPositions({35.1, kUnset, kUnset});
    f.frame->PaneLinks().mapCentre = [] { return fe::geo::GeoPoint(140.25, 36.5); };
    f.rows = {1, 2, 3};
    app::PlacePhotosOnWebMap(*f.frame);
    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_EQ(f.prompts.asked()[0].text, QStringLiteral("1件既に配置済みの写真です。"));
    EXPECT_DOUBLE_EQ(f.Photos()[0].position.latitude, 35.1);
    EXPECT_DOUBLE_EQ(f.Photos()[1].position.latitude, 36.5);
    EXPECT_DOUBLE_EQ(f.Photos()[2].position.longitude, 140.25);

    f.prompts.clear();
    f.rows = {1};
    app::PlacePhotosOnWebMap(*f.frame);
    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_EQ(f.prompts.asked()[0].text, QStringLiteral("既に配置されている写真です。"));
}
