#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "model/AppSettings.h"
#include "report/ExcelReportWriter.h"

class LocationMap;
struct Project;

namespace fe::img {
class Image;
}
namespace locmap {
class ViewGsi;
}

// The workbook 現場位置図.xlsx: one sheet per site location map of the project, each with its title, a
// large picture of the map rendered from web tiles with the outlines and callouts of the location maps
// chosen to be shown, and the line naming the tile source. The caller sets the output folder (the
// project's dated Excel folder) and the output name.
class SiteMapReport : public CExcelReportWriter
{
public:
    // The project may be null (no project open): every entry then fails without effect.
    SiteMapReport(ReportPhotoSource* document, const Project* project);
    ~SiteMapReport() override;

    // True when the workbook was written; false with errorText set.
    [[nodiscard]] bool WriteSiteMapBook();
    // 0 written, 1 failure, 2 cancelled (nothing written).
    [[nodiscard]] int WriteSiteMapSheets();
    // The sheet of the site map at siteMapIndex; 1 without a project. A picture that cannot be made leaves
    // the sheet without it.
    [[nodiscard]] int WriteSiteMapSheet();
    // Renders the map into a picture of aspect pictureWidth : pictureHeight and places it at the cell,
    // centred in a box of boxWidth × boxHeight pixels.
    bool InsertSiteMapPicture(const LocationMap& siteMap, const QString& cell, int boxWidth, int boxHeight,
                              int pictureWidth, int pictureHeight);
    // The tiles of the site map's box at its zoom with the outlines and callouts of the project's maps, its
    // north arrow and scale bar, centred on white in the target; marks drawn `scale` times larger.
    bool RenderSiteMap(fe::img::Image& target, const Project& project, const LocationMap& siteMap,
                       double scale);

    // The view's own tile worker is stopped while a picture is rendered, so that the renderer is the only
    // user of the tile cache meanwhile; the application sets both.
    std::function<void()> stopTileRequests;
    std::function<void()> restartTileRequests;

    // Read from setting.bin when the book is written: the tile sites and the tile cache folder.
    AppSettings settings;
    int siteMapIndex = 0;

private:
    void DrawMapOutline(locmap::ViewGsi& drawer, const LocationMap& map, double scale) const;
    QString TileSourceTitle(int kind) const;

    const Project* m_project = nullptr;
    // The names of the sheets written so far into the workbook.
    QStringList m_sheetNames;
};

// The texts of the site location map output.
extern const char* const kNoSiteMapToOutputText;  // no site map has its output flag set
