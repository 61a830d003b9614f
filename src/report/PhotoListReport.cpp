#include "report/PhotoListReport.h"

#include "fe/PumpMessages.h"
#include "fe/geo/MapHelmart.h"
#include "model/Project.h"

// What the sheet's shape depends on: the current map, if any, and whether the plane columns show.
struct PhotoListReport::Layout
{
    const LocationMap* map = nullptr;
    bool plane = false;
    bool planeFit = false;
    fe::geo::MapHelmart toPlane;
};

PhotoListReport::PhotoListReport(const Project* project, ReportPhotoSource* photos)
    : ListReportWriter(project, photos, 600, 300)
{
}

int PhotoListReport::WritePhotoList()
{
    return Write(BookName(), m_project ? static_cast<int>(m_project->photos.photos.size()) : 0);
}

void PhotoListReport::WriteHeader(const Layout& layout)
{
    SetRowHeight(1, viewMode == 0 ? 13.5 : 28);
    const char* const middle[] = {"写真", "緯度", "経度", "撮影角度", "撮影日", "撮影時刻"};
    for (int i = 0; i < 6; ++i)
        PutCellText(QString(QChar('B' + i)) + '1', QString::fromUtf8(middle[i]));
    PutCellText(QStringLiteral("A1"), viewMode == 0 ? QStringLiteral("撮影写真番号") : QStringLiteral("位置図\n写真番号"));
    if (layout.plane) {
        PutCellText(QStringLiteral("H1"), QStringLiteral("平面直角座標\nX"));
        PutCellText(QStringLiteral("I1"), QStringLiteral("平面直角座標\nY"));
        PutCellText(QStringLiteral("J1"), QStringLiteral("ファイル名"));
        PutCellText(QStringLiteral("K1"), QStringLiteral("元ファイル名"));
    } else {
        PutCellText(QStringLiteral("H1"), QStringLiteral("ファイル名"));
        PutCellText(QStringLiteral("I1"), QStringLiteral("元ファイル名"));
    }
    PosHorz(QStringLiteral("A1:") + m_lastColumn + '1', 22);
    // The two-line number header wraps like the other headers.
    Wrap(QStringLiteral("A1"));
}

void PhotoListReport::WriteRow(const Layout& layout, int row, int ordinal, int photoIndex)
{
    const PhotoRecord& photo = m_project->photos.photos[static_cast<size_t>(photoIndex)];
    const QString r = QString::number(row);
    SetRowHeight(row, 74);
    if (viewMode == 0) {
        PutCellNumber("A" + r, ordinal, kUnset);
    } else if (layout.map) {
        const int placed = layout.map->photos.IndexOfPhoto(photo.id);
        PutCellText("A" + r, placed < 0 ? QString() : layout.map->photos.NumberText(placed));
    }
    PutLatLonCell("C" + r, false, photo.position.latitude);
    PutLatLonCell("D" + r, false, photo.position.longitude);
    PutNumberFormat("E" + r, "###0.0");
    PutCellNumber("E" + r, photo.direction, kUnset);
    PutCellText("F" + r, photo.date);
    PutCellText("G" + r, photo.time);
    QString fileColumn = QStringLiteral("H"), sourceColumn = QStringLiteral("I");
    if (layout.plane) {
        const PlacedPhoto* entry = layout.map->photos.FindByPhotoId(photo.id);
        if (entry && layout.planeFit && entry->x != kUnset && entry->y != kUnset) {
            const Point2 plane = layout.toPlane.Map(Point2(entry->x, entry->y));
            PutNumberFormat("H" + r, "###0.00");
            PutCellNumber("H" + r, plane.x, kUnset);
            PutNumberFormat("I" + r, "###0.00");
            PutCellNumber("I" + r, plane.y, kUnset);
        }
        fileColumn = QStringLiteral("J");
        sourceColumn = QStringLiteral("K");
    }
    PutCellText(fileColumn + r, PhotoFileName(photo.id));
    PutCellText(sourceColumn + r, photo.sourceName);
}

void PhotoListReport::FormatListPage(int lastRow)
{
    const QString r = QString::number(lastRow);
    PosVert("A1:" + m_lastColumn + r, 2);
    PosHorz("F1:G" + r, 22);
    Box("A1:" + m_lastColumn + r, 0x1000000, 1);
    Wrap("C1:" + m_lastColumn + r);
}

int PhotoListReport::WriteSheet()
{
    if (!m_project)
        return kListFailed;
    const std::vector<PhotoRecord>& photos = m_project->photos.photos;
    Layout layout;
    if (m_project->maps.IsValidIndex(currentMap))
        layout.map = &m_project->maps.maps[static_cast<size_t>(currentMap)];
    layout.plane = viewMode == 2 && layout.map && layout.map->zone > 0;
    if (layout.plane) {
        fe::geo::MapHelmart inverse;
        // Without a fit the plane columns stay empty rather than showing invented coordinates.
        layout.planeFit = layout.map->MakeHelmertPair(layout.toPlane, inverse);
    }
    m_lastColumn = layout.plane ? QStringLiteral("K") : QStringLiteral("I");

    BeginSheet(BookName(), 0);
    if (layout.plane)
        SetColumnWidths({{"A1", 8}, {"B1", 18}, {"C1:E1", 10}, {"F1", 11}, {"G1", 10}, {"H1:I1", 13}, {"J1:K1", 12}});
    else
        SetColumnWidths({{"A1", 12}, {"B1", 18}, {"C1:G1", 13}, {"H1:I1", 16}});
    (void)Report()->page.PageStart(1, -1);
    WriteHeader(layout);

    for (int k = 1; k <= static_cast<int>(photos.size()); ++k) {
        if (StopAsked())
            return Cancel();
        WriteRow(layout, NextListRow(), k, k - 1);
        PumpMessages();
        EndListRow();
    }
    FinishListPages();

    // Pictures are placed on the whole sheet now that every block is closed: photo k sits in row k + 1.
    for (int k = 1; k <= static_cast<int>(photos.size()); ++k) {
        if (StopAsked())
            return Cancel();
        (void)InsertPhotoPicture(photos[static_cast<size_t>(k - 1)].id, QStringLiteral("B%1").arg(k + 1),
                                 kListPictureOffset, kListPictureOffset, 38.1, 24.8);
        if (StopAsked())
            return Cancel();
        StepDone();
    }
    return Finish();
}
