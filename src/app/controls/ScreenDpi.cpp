#include "app/controls/ScreenDpi.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace app {
namespace {
QSize g_override;
}

QSize ScreenDpi()
{
    if (!g_override.isEmpty())
        return g_override;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const int x = qRound(screen->logicalDotsPerInchX());
        const int y = qRound(screen->logicalDotsPerInchY());
        if (x > 0 && y > 0)
            return {x, y};
    }
    return {96, 96};
}

void SetScreenDpiOverride(QSize dpi)
{
    g_override = dpi;
}

int TwipsToPixelsX(double twips)
{
    return static_cast<int>(std::lround(twips * ScreenDpi().width() / 1440.0));
}

int TwipsToPixelsY(double twips)
{
    return static_cast<int>(std::lround(twips * ScreenDpi().height() / 1440.0));
}

int PixelsToTwipsX(double pixels)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / ScreenDpi().width()));
}

int PixelsToTwipsY(double pixels)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / ScreenDpi().height()));
}

}  // namespace app
