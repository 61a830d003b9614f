#include "app/frame/FrameTexts.h"

#include <cfloat>
#include <climits>
#include <cmath>

#include "app/AppTitle.h"
#include "fe/StaticTables.h"

namespace app {
namespace {

constexpr double kVersion = 2.01;
constexpr double kBlank = -9e32;

const QString kPlaneSystem = QStringLiteral("\t\t 座標系： 平面直角座標系　系番号：");
const QString kLatLongSystem = QStringLiteral("\t\t 座標系： 緯度経度");

QString Value(double value, int decimals)
{
    if (value == DBL_MAX)
        return QStringLiteral("-");
    if (value == kBlank)
        return QString();
    return QString::number(value, 'f', decimals);
}

// The roman numeral of a plane zone, Ⅰ to ⅩⅨ; nothing for no zone (0) or any other number.
QString PlaneZoneNumeral(int zone)
{
    return zone >= 1 && zone <= 19 ? fe::tables::ZoneNumeral(zone) : QString();
}

QString LatLongSystem(int zone)
{
    QString text = kLatLongSystem;
    const QString numeral = PlaneZoneNumeral(zone);
    if (!numeral.isEmpty())
        text += QStringLiteral("　　　　系番号：") + numeral;
    return text;
}

}  // namespace

QString FormatVersionNumber(bool longForm)
{
    return longForm ? QString::number(kVersion, 'f', 2) : QString::number(std::floor(kVersion), 'f', 0);
}

QString MainWindowTitle(const QString& projectName)
{
    QString title = kProductName + QStringLiteral(" Version ") + FormatVersionNumber(false);
    if (!projectName.isEmpty())
        title += QStringLiteral(" - ") + projectName;
    return title;
}

StatusCoordTexts StatusForViewMode(int viewMode, bool hasCurrentMap, int zone)
{
    switch (viewMode) {
        case 1:
            return {QStringLiteral("\t\t 座標系： なし"), QStringLiteral(" 単位： (pixel)"),
                    QStringLiteral(" X： -"), QStringLiteral(" Y： -")};
        case 2:
            return {hasCurrentMap ? kPlaneSystem + PlaneZoneNumeral(zone) : kPlaneSystem,
                    QStringLiteral(" 単位： (m)"), QStringLiteral(" X： -"), QStringLiteral(" Y： -")};
        case 0:
        case 3:
            return {LatLongSystem(hasCurrentMap ? zone : 0), QStringLiteral(" 単位： (degree)"),
                    QStringLiteral(" 緯度： -"), QStringLiteral(" 経度： -")};
        default:
            return {QStringLiteral("\t\t 座標系： -"), QStringLiteral(" 単位： -"), QStringLiteral(" X： -"),
                    QStringLiteral(" Y： -")};
    }
}

StatusCoordTexts StatusLatLong(double latitude, double longitude, int zone)
{
    return {LatLongSystem(zone), QStringLiteral(" 単位： (degree)"),
            QStringLiteral(" 緯度：") + Value(latitude, 7), QStringLiteral(" 経度：") + Value(longitude, 7)};
}

StatusCoordTexts StatusPlaneXY(int zone, double first, double second)
{
    // Plane coordinates name north X and east Y: X shows the second value and Y the first, and each text
    // shows "-" when the value it shows is unset.
    const QString x = Value(second, 2);
    const QString y = Value(first, 2);
    return {kPlaneSystem + PlaneZoneNumeral(zone), QStringLiteral(" 単位： (m)"), QStringLiteral(" X：") + x,
            QStringLiteral(" Y：") + y};
}

StatusCoordTexts StatusPixel(int x, int y)
{
    const auto pixel = [](int value) {
        return value == INT_MAX ? QStringLiteral("-") : QString::number(double(value), 'f', 2);
    };
    return {QStringLiteral(" 座標系： なし"), QStringLiteral(" 単位： (pixel)"),
            QStringLiteral(" X：") + pixel(x), QStringLiteral(" Y：") + pixel(y)};
}

QString PhotoPaneTitle(bool hasDocument, int photoCount, bool hasCurrentMap, int placedOnCurrent)
{
    QString title = QStringLiteral("撮影写真");
    if (!hasDocument)
        return title;
    title += QStringLiteral("　枚数：全て(%1)").arg(photoCount);
    if (hasCurrentMap)
        title += QStringLiteral(" / 位置図内(%1)").arg(placedOnCurrent);
    return title;
}

}  // namespace app
