// The photo sheet of one survey table: its drawing, then its photos two by two under their descriptions,
// growing page by page beyond the template's first page.
#include <algorithm>

#include "fe/PathUtil.h"
#include "fe/PumpMessages.h"
#include "reservoir/ReservoirPictures.h"
#include "reservoir/ReservoirTables.h"
#include "reservoir/RsBookReport.h"

namespace {

const RsBookReport::PhotoGrid kGrids[kReservoirTableCount] = {
    {"A5", 25, 6}, {nullptr, 7, 10}, {"A5", 25, 6}, {"A5", 25, 6},
    {"A5", 25, 6}, {"A18", 38, 2},   {nullptr, 6, 10}, {nullptr, 6, 10},
};

// Sizes in millimetres and offsets in the anchor cell.
constexpr double kFigureWidth = 160.8, kFigureHeight = 88.4, kFigureOffset = 1.0;
constexpr double kPhotoWidth = 80.0, kPhotoHeight = 40.8, kPhotoOffsetX = 1.0, kPhotoOffsetY = 1.5;
// A pair takes its description row and eight picture rows; a later page holds five pairs.
constexpr int kPairRows = 9;
constexpr int kPhotosPerLaterPage = 10;
// Thin outline only, automatic colour.
constexpr unsigned kThinBox = 0x1000000;

int SheetIndexOfTable(int table)
{
    for (int k = 0; k < RsBookReport::kSheetCount; ++k) {
        if (RsBookReport::Sheet(k).table == table)
            return k;
    }
    return 0;
}

}  // namespace

const RsBookReport::PhotoGrid& RsBookReport::Grid(int table)
{
    return kGrids[std::clamp(table, 0, kReservoirTableCount - 1)];
}

bool RsBookReport::TakesPlace(int photoId) const
{
    return project.photos.IndexOfId(photoId) >= 0;
}

void RsBookReport::PutPairBoxes(int r)
{
    const QString above = QString::number(r - 1), first = QString::number(r), last = QString::number(r + 7);
    for (const QString& range : {QStringLiteral("A") + above + QStringLiteral(":R") + above,
                                 QStringLiteral("S") + above + QStringLiteral(":AJ") + above,
                                 QStringLiteral("A") + first + QStringLiteral(":R") + last,
                                 QStringLiteral("S") + first + QStringLiteral(":AJ") + last})
        Box(range, kThinBox, 0);
}

void RsBookReport::PutPageBreak(int row)
{
    // The row chosen by its number alone starts the new page.
    Report()->Cell(QString::number(row)).Break = 1;
}

int RsBookReport::WriteItemSheet(int table)
{
    if (!project.maps.IsValidIndex(currentMap) || table < 0 || table >= kReservoirTableCount)
        return kFailed;
    const int k = SheetIndexOfTable(table);
    if (BeginTemplatePage(QString::fromUtf8(Sheet(k).name)) != 0)
        return kFailed;
    PutPrintArea(k, Sheet(k).lastRow);
    const PhotoGrid& grid = Grid(table);
    const ReservoirSheet& survey = Survey();
    const ReservoirItem& item = survey.items[size_t(table)];
    // A table without a drawing has nothing to place there.
    // Only a plain file name of the project's image folder is read: a name in a received project that
    // leads anywhere else is never put into the workbook.
    const QString figure = fe::StoredFilePath(ReservoirImageFolder(project), item.pictureFile);
    if (grid.figureCell && !figure.isEmpty()) {
        (void)InsertPictureFile(figure, item.ShownRotation(),
                                QString::fromUtf8(grid.figureCell), kFigureOffset, kFigureOffset, kFigureWidth,
                                kFigureHeight);
        PumpMessages();
    }

    // Only rows whose photo is still in the project take a place; the others are left out and the next
    // photo moves up. Paging counts the places taken, so a photo that cannot be inserted keeps its place
    // (an empty frame) and every later page still gets its break.
    std::vector<const ReservoirPhotoRef*> placed;
    for (const ReservoirPhotoRef& row : item.photoRows) {
        if (TakesPlace(row.photoId))
            placed.push_back(&row);
    }
    const int n = int(placed.size());
    const bool firstTable = table == 0;
    int page = 1, r = grid.firstRow, lastPairRow = 0;
    bool left = true;
    for (int j = 1; j <= n; ++j) {
        const ReservoirPhotoRef& row = *placed[size_t(j - 1)];
        const QString column = left ? QStringLiteral("A") : QStringLiteral("S");
        const QString description = column + QString::number(r - 1);
        PutCellText(description, row.description);
        // Table 1's descriptions stay on one line.
        if (firstTable)
            Report()->Cell(description).attr.OverReturn = 0;
        (void)InsertPhotoPicture(row.photoId, column + QString::number(r), kPhotoOffsetX, kPhotoOffsetY, kPhotoWidth,
                                 kPhotoHeight);
        PumpMessages();
        lastPairRow = r;
        if (left) {
            left = false;
        } else {
            if (page > 1) {
                PutPairBoxes(r);
                if ((j - grid.firstPagePhotos) % kPhotosPerLaterPage == 0 && (j < n || firstTable)) {
                    PutPageBreak(r + 8);
                    ++page;
                }
            }
            r += kPairRows;
            left = true;
        }
        if (page == 1 && j >= grid.firstPagePhotos && j < n) {
            // Table 1's template carries the break after its first page itself.
            if (!firstTable)
                PutPageBreak(r - 1);
            page = 2;
        }
    }
    if (page > 1) {
        if (!left)
            PutPairBoxes(r);
        // The pages as counted, and at least every row of the last pair.
        PutPrintArea(k, std::max(page * (Sheet(k).lastRow - 1), lastPairRow + 6));
    }
    return Report()->page.PageEnd() ? kDone : kFailed;
}
