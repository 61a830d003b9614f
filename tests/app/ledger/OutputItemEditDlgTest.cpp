// 定型項目名編集, offscreen: the presets shown, what OK, キャンセル and Delete store, and setting.bin after
// the frame's command.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "TempFolder.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/LedgerCommands.h"
#include "app/frame/MainFrame.h"
#include "app/frame/Profile.h"
#include "app/frame/SettingsCommands.h"
#include "app/ledger/OutputItemEditDlg.h"
#include "model/AppSettings.h"

using namespace app;

namespace {

QStringList Column(CSpread7U& grid, int col)
{
    QStringList texts;
    for (int row = 1; row <= 5; ++row)
        texts << GetSpreadCellText(grid, col, row);
    return texts;
}

}  // namespace

TEST(OutputItemEditDlg, ShowsTheDefaultPresets)
{
    FixedItemNames names;
    COutputItemEditDlg dialog(names);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("定型項目名編集"));
    CSpread7U& cover = *dialog.CoverGrid();
    CSpread7U& map = *dialog.MapGrid();
    EXPECT_EQ(Column(cover, 1), QStringList({"タイトル", "所属", "報告者", "発生日時", "報告日付"}));
    EXPECT_EQ(Column(cover, 2), QStringList({"タイトル", "会社名", "作成者", "発生日", "作成日"}));
    EXPECT_EQ(Column(cover, 3), QStringList({"タイトル", "事務所名", "担当者", "日時", ""}));
    EXPECT_EQ(Column(cover, 4), QStringList({"タイトル", "調査会社", "制作者", "災害発生年月日", "報告年月日"}));
    EXPECT_EQ(Column(map, 1), QStringList({"位置図名称", "種類", "路線名", "発生場所", "被害の概要"}));
    EXPECT_EQ(Column(map, 2), QStringList({"位置図名称", "災害の種類", "河川名", "調査箇所", "概要"}));
    EXPECT_EQ(Column(map, 3), QStringList({"位置図名称", "種別", "地区名", "調査地域", "要覧"}));
    EXPECT_EQ(Column(map, 4), QStringList({"位置図名称", "区分", "施設", "被害場所", "概略"}));
}

TEST(OutputItemEditDlg, OkStoresCancelKeepsRowOneNeverStored)
{
    FixedItemNames names;
    const FixedItemNames before = names;
    {
        COutputItemEditDlg dialog(names);
        SetSpreadCellText(*dialog.CoverGrid(), 2, 3, QStringLiteral("記入者"));
        dialog.reject();
    }
    EXPECT_EQ(names, before);
    {
        COutputItemEditDlg dialog(names);
        SetSpreadCellText(*dialog.CoverGrid(), 2, 3, QStringLiteral("記入者"));
        SetSpreadCellText(*dialog.MapGrid(), 4, 5, QStringLiteral("摘要"));
        SetSpreadCellText(*dialog.CoverGrid(), 1, 1, QStringLiteral("表題"));
        SetSpreadCellText(*dialog.MapGrid(), 1, 1, QStringLiteral("名前"));
        dialog.accept();
    }
    EXPECT_EQ(names.headerLabels[1].texts[2], QStringLiteral("記入者"));
    EXPECT_EQ(names.itemNames[3].texts[3], QStringLiteral("摘要"));
    EXPECT_EQ(names.headerLabels[0].texts[0], QString());  // the title's label is untouched
    EXPECT_EQ(names.itemNames[0], before.itemNames[0]);
}

TEST(OutputItemEditDlg, DeleteStoresAtOnceAndCancelKeepsIt)
{
    FixedItemNames names;
    COutputItemEditDlg dialog(names);
    dialog.show();
    CSpread7U& map = *dialog.MapGrid();
    map.setFocus();
    map.setRangeSelected(QTableWidgetSelectionRange(0, 0, 2, 0), true);  // rows 1 to 3 of preset 1
    QTest::keyClick(&map, Qt::Key_Delete);
    EXPECT_EQ(GetSpreadCellText(map, 1, 1), QStringLiteral("位置図名称"));  // row 1 stays
    EXPECT_TRUE(names.itemNames[0].texts[0].isEmpty());
    EXPECT_TRUE(names.itemNames[0].texts[1].isEmpty());
    EXPECT_EQ(names.itemNames[0].texts[2], QStringLiteral("発生場所"));
    dialog.reject();
    EXPECT_TRUE(names.itemNames[0].texts[0].isEmpty());
}

TEST(OutputItemEditDlg, PresetCountIsBoundedByTheLists)
{
    struct Case
    {
        int count;
        size_t lists;
        int shown;
    } cases[] = {{0, 4, 0}, {2, 4, 2}, {9, 6, 4}, {4, 3, 3}, {-1, 4, 0}};
    for (const Case& c : cases) {
        FixedItemNames names;
        names.count = c.count;
        names.headerLabels.resize(c.lists, names.headerLabels[0]);
        names.itemNames.resize(c.lists, names.itemNames[0]);
        const FixedItemNames before = names;
        COutputItemEditDlg dialog(names);
        for (int col = 1; col <= 4; ++col)
            EXPECT_EQ(GetSpreadCellText(*dialog.CoverGrid(), col, 2).isEmpty(), col > c.shown) << c.count << " " << col;
        for (int col = 1; col <= 4; ++col)
            SetSpreadCellText(*dialog.CoverGrid(), col, 2, QStringLiteral("新"));
        dialog.accept();
        for (size_t k = 0; k < c.lists; ++k)
            EXPECT_EQ(names.headerLabels[k].texts[1] == QStringLiteral("新"), int(k) < c.shown) << c.count << " " << k;
        if (c.shown == 0) {
            EXPECT_EQ(names, before);
        }
    }
}

TEST(OutputItemEditDlg, TheFrameWritesSettingBinAfterOk)
{
    TempFolder temp;
    ScriptedPrompts prompts;
    QFile::remove(ProfilePath());
    AppSettings settings;
    CTavrelDoc document;
    document.appSettings = &settings;
    CMainFrame frame(&document);
    QFile::remove(SettingsFilePath());
    const auto answer = [](const QString& text, bool ok) {
        QTimer::singleShot(0, [text, ok] {
            auto* dialog = qobject_cast<COutputItemEditDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            SetSpreadCellText(*dialog->CoverGrid(), 3, 5, text);
            ok ? dialog->accept() : dialog->reject();
        });
    };
    answer(QStringLiteral("取消"), false);
    EditFixedItemNames(frame);
    EXPECT_FALSE(QFile::exists(SettingsFilePath()));
    answer(QStringLiteral("報告日"), true);
    frame.Action(kCmdFixedItemNames)->trigger();
    AppSettings read;
    ASSERT_TRUE(read.Load(SettingsFilePath()));
    EXPECT_EQ(read.fixedItemNames.headerLabels[2].texts[4], QStringLiteral("報告日"));
    EXPECT_EQ(read.fixedItemNames.headerLabels[1].texts[4], QStringLiteral("作成日"));
}
