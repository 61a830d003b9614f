#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "fe/PumpMessages.h"
#include "fe/StaticTables.h"

TEST(StaticTables, ZoneNumerals)
{
    const QStringList& numerals = fe::tables::ZoneNumerals();
    ASSERT_EQ(numerals.size(), 20);
    EXPECT_EQ(numerals[0], QStringLiteral("なし"));
    EXPECT_EQ(numerals[1], QStringLiteral("Ⅰ"));
    EXPECT_EQ(numerals[9], QStringLiteral("Ⅸ"));
    EXPECT_EQ(numerals[10], QString(QChar(0x2169)));
    EXPECT_EQ(numerals[10].size(), 1);
    EXPECT_EQ(numerals[14], QStringLiteral("ⅩⅣ"));
    EXPECT_EQ(numerals[19], QStringLiteral("ⅩⅨ"));
    EXPECT_EQ(numerals[19].size(), 2);
    EXPECT_TRUE(fe::tables::ZoneNumeral(20).isEmpty());
    EXPECT_TRUE(fe::tables::ZoneNumeral(-1).isEmpty());
}

TEST(StaticTables, KeysTitlesAndTexts)
{
    const QStringList& keys = fe::tables::RecentFileKeys();
    ASSERT_EQ(keys.size(), 10);
    EXPECT_EQ(keys.front(), QStringLiteral("File1"));
    EXPECT_EQ(keys.back(), QStringLiteral("File10"));
    EXPECT_EQ(fe::tables::PhotoListColumnTitles().size(), 9);
    EXPECT_EQ(fe::tables::PhotoListColumnTitles()[6], QStringLiteral("平面直角\n座標\nX (m)\nY (m)"));
    ASSERT_EQ(fe::tables::LedgerColumnTitles().size(), 6);
    EXPECT_EQ(fe::tables::LedgerColumnTitles()[5], QStringLiteral("コメント\n"));
    ASSERT_EQ(fe::tables::ReservoirColumnTitles().size(), 5);
    EXPECT_EQ(fe::tables::ReservoirColumnTitles()[3], QStringLiteral("撮影\n時刻"));
    EXPECT_EQ(fe::tables::DxfFilterLabel(), QStringLiteral("Auto CAD 2007 DXF(*.dxf)"));
    EXPECT_EQ(fe::tables::CadRegistrationSuffix(), QStringLiteral("CAD.mhc"));
    EXPECT_EQ(fe::tables::kShapeNoData, 1e38);
}

TEST(PumpMessages, DeliversWaitingEventsAndNeverWaits)
{
    QElapsedTimer clock;
    clock.start();
    PumpMessages();  // nothing waiting
    EXPECT_LT(clock.elapsed(), 1000);

    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    PumpMessages();
    EXPECT_TRUE(fired);

    bool late = false;
    QTimer notDue;  // destroyed with the test, so it can never fire later
    notDue.setSingleShot(true);
    QObject::connect(&notDue, &QTimer::timeout, [&] { late = true; });
    notDue.start(60000);
    clock.restart();
    PumpMessages();  // a timer not yet due is not waited for
    EXPECT_FALSE(late);
    EXPECT_LT(clock.elapsed(), 1000);
}
