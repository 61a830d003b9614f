// The track reader settings dialog: presets, the custom interval, OK and Cancel, the keyboard rule.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "FileBytes.h"
#include "TempFolder.h"
#include "TrackCsvScenario.h"
#include "app/controls/ExpEdit.h"
#include "app/track/IchimillLoaderSettingDlg.h"
#include "app/track/TrackCommands.h"
#include "model/AppSettings.h"
#include "model/IchimillCsv.h"

using app::CIchimillLoaderSettingDlg;

TEST(IchimillLoaderSettingDlg, ShowsTheStoredValuesAndPresetsFillTheField)
{
    struct Case
    {
        int interval;
        int radio;
        QString text;
    };
    for (const Case& c : {Case{0, 0, "0"}, Case{5, 1, "5"}, Case{10, 2, "10"}, Case{7, 3, "7"},
                          Case{CIchimillLoaderSettingDlg::kEmptyInterval, 3, ""}}) {
        SCOPED_TRACE(c.interval);
        IchimillLoaderParams params;
        params.thinningInterval = c.interval;
        params.acceptDgps = 0;
        CIchimillLoaderSettingDlg dialog(params);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(dialog.IntervalRadio(k)->isChecked(), k == c.radio);
            EXPECT_EQ(dialog.ModeBox(k)->isChecked(), k != 1);
        }
        EXPECT_EQ(dialog.IntervalField()->text(), c.text);
        EXPECT_EQ(dialog.IntervalField()->isReadOnly(), c.radio != 3);
    }

    IchimillLoaderParams params;
    params.thinningInterval = 7;
    CIchimillLoaderSettingDlg dialog(params);
    dialog.IntervalRadio(1)->click();
    EXPECT_EQ(dialog.IntervalField()->text(), QStringLiteral("5"));
    EXPECT_TRUE(dialog.IntervalField()->isReadOnly());
    dialog.IntervalRadio(2)->click();
    EXPECT_EQ(dialog.IntervalField()->text(), QStringLiteral("10"));
    dialog.IntervalRadio(3)->click();
    EXPECT_EQ(dialog.IntervalField()->text(), QStringLiteral("10"));
    EXPECT_FALSE(dialog.IntervalField()->isReadOnly());
    EXPECT_EQ(params.thinningInterval, 7);  // nothing is written before OK
}

TEST(IchimillLoaderSettingDlg, OkWritesTheChoiceAndCancelDoesNot)
{
    IchimillLoaderParams params;
    {
        CIchimillLoaderSettingDlg dialog(params);
        dialog.ModeBox(0)->setChecked(false);
        dialog.IntervalRadio(3)->click();
        dialog.IntervalField()->clear();
        dialog.OkButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(params.acceptSingle, 0);
    EXPECT_EQ(params.acceptDgps, 1);
    EXPECT_EQ(params.thinningInterval, 2147483647);

    const IchimillLoaderParams before = params;
    CIchimillLoaderSettingDlg dialog(params);
    dialog.ModeBox(1)->setChecked(false);
    dialog.IntervalRadio(0)->click();
    dialog.CancelButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(params, before);
}

TEST(IchimillLoaderSettingDlg, EscStaysAndEnterMovesOn)
{
    IchimillLoaderParams params;
    params.thinningInterval = 7;
    CIchimillLoaderSettingDlg dialog(params);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.IntervalField()->setFocus();
    QTest::keyClick(dialog.IntervalField(), Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(dialog.IntervalField(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(QApplication::focusWidget(), dialog.IntervalField());
    EXPECT_EQ(params.thinningInterval, 7);
}

TEST(IchimillLoaderSettingDlg, TheSavedChoiceGovernsTheNextRead)
{
    TempFolder temp;
    const QString path = temp.file(QStringLiteral("setting.bin"));
    AppSettings settings;
    // Answers the dialog: only jumps kept (an empty custom interval), RTK float refused.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CIchimillLoaderSettingDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->ModeBox(3)->setChecked(false);
        dialog->IntervalRadio(3)->click();
        dialog->IntervalField()->clear();
        dialog->OkButton()->click();
    });
    EXPECT_TRUE(app::EditTrackReaderSettings(settings, path, nullptr));

    AppSettings stored;
    ASSERT_TRUE(stored.Load(path));
    EXPECT_EQ(stored.ichimillParams.thinningInterval, 2147483647);
    EXPECT_EQ(stored.ichimillParams.acceptRtkFloat, 0);
    EXPECT_EQ(stored.ichimillParams.acceptRtkFix, 1);

    // The scenario's second track starts with an RTK float row, which is now refused.
    std::vector<LocusTrack> tracks;
    ASSERT_TRUE(ReadIchimillCsvBytes(track_scenario::CsvBytes(), stored.ichimillParams, tracks).Ok());
    ASSERT_EQ(tracks.size(), 2u);
    EXPECT_EQ(tracks[1].points.size(), 1u);

    // Cancel saves nothing.
    const QByteArray before = ReadAll(path);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CIchimillLoaderSettingDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->ModeBox(0)->setChecked(false);
        dialog->CancelButton()->click();
    });
    EXPECT_FALSE(app::EditTrackReaderSettings(settings, path, nullptr));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(settings.ichimillParams.acceptSingle, 1);
}
