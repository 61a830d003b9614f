#include "app/controls/ScreenDpi.h"

#include <cmath>

#include "fe/gdi/Draw.h"

namespace app {
namespace {
QSize g_override;
}

QSize ScreenDpi()
{
    if (!g_override.isEmpty())
        return g_override;
    fe::gdi::DpiInfo dpi;
    dpi.ReadScreen();
    if (dpi.dpiX > 0 && dpi.dpiY > 0)
        return {dpi.dpiX, dpi.dpiY};
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
