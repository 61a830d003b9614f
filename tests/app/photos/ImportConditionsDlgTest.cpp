// 写真取込設定 and its date field: year-first dates only, the range put in order on OK, キャンセル giving the
// settings back, and the next import through the frame keeping to the range.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

#include "../frame/PhotoFrameFixture.h"
#include "app/frame/PhotoPaneCommands.h"
#include "app/photos/DateField.h"
#include "app/photos/ImportConditionsDlg.h"
#include "app/photos/YearFirstDate.h"
#include "fe/img/ExifInfo.h"

namespace {

PhotoImportSettings Range(const char* from, const char* to)
{
    PhotoImportSettings settings;
    settings.dateFilter = 1;
    settings.fromDate = QString::fromUtf8(from);
    settings.toDate = QString::fromUtf8(to);
    return settings;
}

// The user types into the date's edit and leaves it.
void TypeDate(app::CDateField* field, const QString& text)
{
    field->Edit()->setText(text);
    emit field->EditLeft();
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(YearFirstDate, ReadsOnlyDatesWrittenYearFirst)
{
    const std::pair<const char*, const char*> cases[] = {
        {"2023-4-5", "2023/04/05"},   {"2023/04/05", "2023/04/05"}, {"2023.4.5", "2023/04/05"},
        {"2023:04:05", "2023/04/05"}, {"2023年4月5日", "2023/04/05"}, {" 2023 / 4 / 5 ", "2023/04/05"},
        {"2024/02/29", "2024/02/29"}, {"abc", ""},                    {"2023/02/30", ""},
        {"4/5/2023", ""},             {"05.04.2023", ""},             {"23/4/5", ""},
        {"2023/4", ""},               {"2023/4/5 10:00", ""},         {"2023/13/01", ""},
        {"", ""},
    };
    for (const auto& [text, expected] : cases) {
        const std::optional<QDate> date = app::ParseYearFirstDate(QString::fromUtf8(text));
        EXPECT_EQ(date ? app::YearFirstText(*date) : QString(), QString::fromUtf8(expected)) << text;
        // What is kept is the text as typed, and only when it reads.
        EXPECT_EQ(app::KeptDateText(QString::fromUtf8(text)), *expected ? QString::fromUtf8(text) : QString());
    }
}

TEST(ImportConditionsDialog, DateFieldsShowTheNormalFormAndKeepOnlyYearFirstDates)
{
    app::CSetConfigPhotoImportDlg dialog(Range("2024:04:01", "nonsense"));
    EXPECT_EQ(dialog.FromDate()->Text(), QStringLiteral("2024/04/01"));
    EXPECT_EQ(dialog.ToDate()->Text(), QString());

    TypeDate(dialog.FromDate(), QStringLiteral("2024-5-1"));
    EXPECT_EQ(dialog.Settings().fromDate, QStringLiteral("2024-5-1"));
    EXPECT_EQ(dialog.FromDate()->Text(), QStringLiteral("2024/05/01"));
    TypeDate(dialog.ToDate(), QStringLiteral("4/5/2023"));  // a locale's month-first date
    EXPECT_EQ(dialog.Settings().toDate, QString());
    EXPECT_EQ(dialog.ToDate()->Text(), QString());

    // A day chosen in the calendar is stored and shown in the normal form.
    dialog.ToDate()->PickDate(QDate(2024, 6, 30));
    EXPECT_EQ(dialog.Settings().toDate, QStringLiteral("2024/06/30"));
    EXPECT_EQ(dialog.ToDate()->Text(), QStringLiteral("2024/06/30"));
}

TEST(ImportConditionsDialog, OkOrdersTheRangeAndCancelGivesTheSettingsBack)
{
    app::CSetConfigPhotoImportDlg ok(Range("2024/05/01", "2024/04/01"));
    ok.accept();
    EXPECT_EQ(ok.Settings().fromDate, QStringLiteral("2024/04/01"));
    EXPECT_EQ(ok.Settings().toDate, QStringLiteral("2024/05/01"));

    const PhotoImportSettings original = Range("2024/01/01", "2024/12/31");
    app::CSetConfigPhotoImportDlg cancel(original);
    TypeDate(cancel.FromDate(), QStringLiteral("2020/01/01"));
    cancel.ToDate()->PickDate(QDate(2021, 1, 1));
    cancel.DateFilter()->click();
    cancel.TakeDirection()->click();
    EXPECT_NE(cancel.Settings(), original);
    cancel.reject();
    EXPECT_EQ(cancel.Settings(), original);

    // Unticking the name check greys the shot-time check, whose tick is still stored.
    app::CSetConfigPhotoImportDlg enables{PhotoImportSettings()};
    enables.SkipSameName()->click();
    EXPECT_FALSE(enables.AlsoSameShotTime()->isEnabled());
    EXPECT_TRUE(enables.AlsoSameShotTime()->isChecked());
    EXPECT_FALSE(enables.FromDate()->isEnabled());  // the range is off
    enables.accept();
    EXPECT_EQ(enables.Settings().skipSameName, 0);
    EXPECT_EQ(enables.Settings().alsoSameShotTime, 1);
}

TEST(ImportConditionsDialog, TheFramesCommandSavesOkAndTheNextImportKeepsToTheRange)
{
    PhotoFrame f(0);
    const QByteArray before = ReadAll(f.document.ProjectFilePath());
    ASSERT_FALSE(before.isEmpty());

    // キャンセル after changes: the project file stays as it was.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<app::CSetConfigPhotoImportDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->DateFilter()->click();
        TypeDate(dialog->FromDate(), QStringLiteral("2024/04/01"));
        dialog->CancelButton()->click();
    });
    f.frame->Action(app::kCmdImportSettings)->trigger();
    EXPECT_EQ(ReadAll(f.document.ProjectFilePath()), before);
    EXPECT_EQ(f.document.GetProject().importSettings, PhotoImportSettings());

    // OK with the range reversed: stored in order and saved.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<app::CSetConfigPhotoImportDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->DateFilter()->click();
        TypeDate(dialog->FromDate(), QStringLiteral("2024/04/30"));
        TypeDate(dialog->ToDate(), QStringLiteral("2024-4-1"));
        dialog->OkButton()->click();
    });
    f.frame->Action(app::kCmdImportSettings)->trigger();
    CTavrelDoc reread;
    ASSERT_EQ(reread.OpenProjectFile(f.document.ProjectFilePath()), kDocOpened);
    EXPECT_EQ(reread.GetProject().importSettings.fromDate, QStringLiteral("2024/04/01"));
    EXPECT_EQ(reread.GetProject().importSettings.toDate, QStringLiteral("2024/04/30"));
    EXPECT_EQ(reread.GetProject().importSettings.dateFilter, 1);

    // Two photos, shot inside and outside the range: only the first comes in.
    QStringList files;
    const char* const shots[] = {"2024:04:10 09:00:00", "2024:05:02 09:00:00"};
    for (const char* shot : shots) {
        files.append(f.temp.file(QStringLiteral("shot%1.jpg").arg(files.size())));
        QImage picture(32, 24, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        ASSERT_TRUE(picture.save(files.back(), "JPEG"));
        ExifInfo exif;
        exif.m_dateTime = QString::fromUtf8(shot);
        ASSERT_TRUE(exif.WriteFile(files.back()));
    }
    f.prompts.QueueFiles(files);
    app::ImportPhotos(*f.frame);
    ASSERT_EQ(f.Photos().size(), 1u);
    EXPECT_EQ(f.Photos()[0].sourceName, QStringLiteral("shot0.jpg"));
}
