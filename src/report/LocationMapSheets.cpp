// The location-map sheet ("写真位置図") in its three layouts, and the map picture on it.
#include <QFileInfo>

#include "fe/PumpMessages.h"
#include "fe/img/Image.h"
#include "report/LocationMapReport.h"
#include "report/ReportGeometry.h"
#include "report/ReportTexts.h"
#include "view/locmap/ImageMaker.h"

namespace {

// The map picture's cell and box (pixels) of each layout; A3 by the photo arrangement.
struct MapBox
{
    const char* cell;
    QSize box;
};
constexpr int kLayoutV = 0, kLayoutH = 1, kLayoutA3 = 2;
const MapBox kMapV{"C3", {691, 600}};
const MapBox kMapH{"C3", {1080, 548}};
const MapBox kMapA3[] = {{"E9", {1247, 797}}, {"E3", {1247, 985}}, {"H3", {965, 985}}};

// The largest picture of a map at the high map quality.
const QSize kHighQualityLimit(4000, 2050);

}  // namespace

bool LocationMapReport::WriteMapPicture(const QString& cell, const QSize& box, int mapIndex)
{
    if (!project.maps.IsValidIndex(mapIndex) || !Report())
        return false;
    const LocationMap& map = project.maps.maps[size_t(mapIndex)];
    QSize render = box;
    if (project.outputOptions.mapQuality == 1)
        render = FitSizeInBox(box.width(), box.height(), kHighQualityLimit.width(), kHighQualityLimit.height());
    const double scale = double(render.height()) / box.height();
    fe::img::Image picture;
    if (!picture.Create(render.width(), render.height()))
        return false;

    locmap::ImageMaker maker;
    maker.proxy = proxy;
    maker.SetMarkStyle(markStyle);
    bool drawn = false;
    int type = 1;  // PNG
    if (map.IsPictureMap()) {
        drawn = maker.RenderImageMap(picture, project, mapIndex, scale);
        type = map.pictureFormat;
    } else if (map.IsWebMap()) {
        // The maker downloads into the tile cache the view's worker uses: the worker waits meanwhile.
        if (stopTileRequests)
            stopTileRequests();
        drawn = maker.RenderTileMap(picture, project, mapIndex, scale);
        if (restartTileRequests)
            restartTileRequests();
        type = map.kind == LocationMap::kWebPhoto ? 0 : 1;
    }
    if (!drawn)
        return false;
    QString file;
    // A picture type the image writers cannot produce (GIF, TIFF without their plug-ins) goes in as PNG:
    // the type inside the workbook makes no difference to its reader.
    if (!Cache().SaveImage(picture.Picture(), type, file) &&
        (type == 1 || !Cache().SaveImage(picture.Picture(), 1, file)))
        return false;
    picture.Release();
    return Report()->Cell(cell).drawing.DrawingAddImageW(file, 0, 0, 0, 0, box.width() * kReportMmPerPixel,
                                                        box.height() * kReportMmPerPixel) != 0;
}

int LocationMapReport::WriteMapSheet(int mapIndex)
{
    const ReportOutputOptions& options = project.outputOptions;
    const int layout = options.mapLayout;
    if (layout < kLayoutV || layout > kLayoutA3 || !Report() || !project.maps.IsValidIndex(mapIndex))
        return kFailed;
    if (!options.outputMapSheets)
        return layout == kLayoutA3 ? kContinue : kDone;
    const LocationMap& map = project.maps.maps[size_t(mapIndex)];
    static const char* const kTemplates[] = {"#写真位置図V", "#写真位置図H", "#写真位置図H_A3"};
    CXlsxPage& page = Report()->page;
    if (!page.PageBeginW(QString::fromUtf8(kTemplates[layout]), QStringLiteral("1")) ||
        !page.PageNameW(QStringLiteral("写真位置図")))
        return kFailed;
    PutNamedCell(QStringLiteral("**タイトル"), map.name);
    if (!LocationMap::IsKnownKind(map.kind)) {
        page.PageEnd();
        return kFailed;
    }
    PutNamedCell(QStringLiteral("**出典"), map.IsWebMap() ? QString::fromUtf8(kReportWebSourceText) : QString());

    const int arrangement = options.placePhotos ? options.photoPlacement : 0;
    const MapBox& box = layout == kLayoutV   ? kMapV
                        : layout == kLayoutH ? kMapH
                                             : kMapA3[arrangement >= 0 && arrangement <= 2 ? arrangement : 0];
    // A map picture that cannot be made leaves its place empty; the sheet goes on.
    (void)WriteMapPicture(QString::fromUtf8(box.cell), box.box, mapIndex);
    PumpMessages();
    if (Cancelled()) {
        page.PageEnd();
        return kCancelled;
    }

    const auto& names = map.itemNames.texts;
    const auto& values = map.itemValues.texts;
    const auto& headerValues = project.headerValues.texts;
    const auto& headerLabels = project.headerLabels.texts;
    const QStringList damage = DamageSummaryLines(values[3]);
    const auto putDamage = [&] {
        for (int k = 0; k < damage.size(); ++k)
            PutNamedCell(QStringLiteral("**被害概要%1").arg(k + 1), damage[k]);
    };
    if (layout == kLayoutV) {
        PutNamedCell(QStringLiteral("**工種"), values[0]);
        PutNamedCell(QStringLiteral("**名称"), values[1]);
        PutNamedCell(QStringLiteral("**発生日時"), headerValues[3]);
        PutNamedCell(QStringLiteral("**報告日付"), headerValues[4]);
        PutNamedCell(QStringLiteral("**発生場所"), values[2]);
        PutNamedCell(QStringLiteral("**項目名_種類"), names[0]);
        PutNamedCell(QStringLiteral("**項目名_路線名"), names[1]);
        PutNamedCell(QStringLiteral("**項目名_発生場所"), names[2]);
        PutNamedCell(QStringLiteral("**項目名_概要"), names[3]);
        PutNamedCell(QStringLiteral("**項目名_発生日時"), headerLabels[3]);
        PutNamedCell(QStringLiteral("**項目名_報告日付"), headerLabels[4]);
        putDamage();
        PlacePhotosBesideMap(mapIndex, QStringLiteral("Q2"), 4);
    } else if (layout == kLayoutH) {
        PutNamedCell(QStringLiteral("**発生日時"), headerValues[3]);
        PutNamedCell(QStringLiteral("**報告日付"), headerValues[4]);
        PutNamedCell(QStringLiteral("**項目名_発生日時："), WithFullWidthColon(headerLabels[3]));
        PutNamedCell(QStringLiteral("**項目名_報告日付："), WithFullWidthColon(headerLabels[4]));
        // An item name that ends in "：" already keeps a single one, like the two labels.
        PutNamedCell(QStringLiteral("**項目名_概要："), WithFullWidthColon(names[3]));
        putDamage();
        PlacePhotosBesideMap(mapIndex, QStringLiteral("W2"), 7);
    } else if (options.placePhotos) {
        PlacePhotosAroundMap(mapIndex, arrangement);
    }
    const bool cancelled = Cancelled();
    page.PageEnd();
    PumpMessages();
    return cancelled ? kCancelled : kDone;
}
