#include "model/LocationMap.h"

LocationMap::LocationMap(std::int32_t mapId, std::int32_t number) : id(mapId)
{
    Reset();
    if (number > 0) {
        name += QString::number(number);
    }
}

void LocationMap::Reset()
{
    kind = kPicture;
    pictureFormat = kNoPicture;
    zone = 0;
    pictureWidth = 0;
    pictureHeight = 0;
    reference = MapReference();
    sourcePictureName.clear();
    name = QStringLiteral("名称未設定");
    frame.rectA = Rect2();
    frame.flag = 0;
    frame.angle = 0.0;
    photos.Reset();
    flags = kFlagDefault;
    transform.Reset(LocationMapTransform::kNone);
    outline.clear();
    outputFlag = 1;
    cadOutputFlag = 1;
    outputFlagCopy = 1;
    reservedA = 0;
    reservedB = 0;
    reservedC = 0;
    reservedD = 2;
    itemNames = MapItemTexts::DefaultNames();
    itemValues = MapItemTexts();
    reservoir.Reset();
    showCallout = 1;
    calloutAnchor = fe::geo::GeoPoint(kUnset, kUnset);
    locationText.clear();
    commentLines.clear();
    runtime.frameOriented = 0;
    runtime.sortContactWidth = 50;
}

QString LocationMap::ImageFileName() const
{
    if (IsWebMap()) {
        return QStringLiteral("---");
    }
    if (!IsPictureMap()) {
        return QStringLiteral("?");
    }
    static const char* const kExtensions[] = {"jpg", "png", "gif", "tif", "bmp"};
    const QString extension = pictureFormat >= 0 && pictureFormat < 5
                                  ? QString::fromLatin1(kExtensions[pictureFormat])
                                  : QStringLiteral("error");
    return QStringLiteral("m%1.").arg(id, 6, 10, QLatin1Char('0')) + extension;
}
