#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLocale>

#include "app/frame/MainFrame.h"
#include "app/Startup.h"

TEST(MainFrame, IsTitledWithTheProductNameAndVersion)
{
    CMainFrame frame;
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("ケルヴォル Version 2"));
}

TEST(Startup, NumbersStayInTheCLocaleAndJapaneseFacesResolveToIpaFonts)
{
    app::PrepareApplication(*qApp);
    EXPECT_EQ(QLocale().toString(1234.5), QStringLiteral("1234.5"));

    QFont font(QStringLiteral("ＭＳ ゴシック"));
    const QString family = QFontInfo(font).family();
    EXPECT_TRUE(family.startsWith(QStringLiteral("IPA"))) << family.toStdString();
    // Japanese text has glyphs in the chosen font (no boxes).
    QFontMetrics metrics(font);
    EXPECT_TRUE(metrics.inFont(QChar(u'ケ')));
}
