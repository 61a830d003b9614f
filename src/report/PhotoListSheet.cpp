// The photo list sheet ("写真一覧") of one map: small pictures of all its photos, nine down and eleven
// across a page of 64 rows, each with its number and, on request, its original file name.
#include <vector>

#include "fe/PumpMessages.h"
#include "report/LocationMapReport.h"
#include "report/ReportTexts.h"
#include "report/TextBoxFit.h"

namespace {

constexpr int kDown = 9;        // photos down a column of a page
constexpr int kAcross = 11;     // columns of photos a page
constexpr int kPageRows = 64;   // rows a page block
constexpr int kBlockRows = 7;   // rows a photo
constexpr int kLastColumn = 33; // AH, zero-based
// The picture's box fills the block under its number: three columns of at least 46 pixels and six 4.3-mm
// rows of the template (138 × 97.5 pixels), less the smallest margins a picture keeps (0.5 mm left, 0.2 mm
// top), so that no picture reaches the next photo's number or the next column's pictures.
const QSize kListPhotoBox(136, 96);
// The original file name stands in a box in the white number row above the picture (5.5 mm high in the
// template), in the two columns right of the number, clear of the picture above and the one below.
constexpr double kNameBoxWidth = 24.5, kNameBoxHeight = 4.5, kNameBoxTop = 0.5;
constexpr double kNamePoints = 8.0, kSmallestNamePoints = 5.0, kNameMargin = 0.3;

}  // namespace

int LocationMapReport::WritePhotoListSheet(int mapIndex)
{
    const ReportOutputOptions& options = project.outputOptions;
    if (!Report() || !project.maps.IsValidIndex(mapIndex))
        return kFailed;
    if (!options.outputPhotoList)
        return kContinue;
    CXlsxPage& page = Report()->page;
    if (!page.PageBeginW(QStringLiteral("#写真一覧_A3"), QStringLiteral("1")))
        return kFailed;
    page.PageNameW(QStringLiteral("写真一覧"));

    // Entries whose photo is gone take no place in either pass.
    const PlacedPhotoList& list = project.maps.maps[size_t(mapIndex)].photos;
    std::vector<int> entries;
    for (int k = 0; k < list.Count(); ++k) {
        if (SheetCancelled())
            return kCancelled;
        if (project.photos.Find(list.entries[size_t(k)].photoId))
            entries.push_back(k);
    }

    // Number pass: a page block for every 99 photos, each photo's number at the top of its place.
    if (entries.empty()) {
        page.PageNext(1);
    } else {
        int g = 0, m = 0, finished = 0;
        bool open = false;
        for (size_t k = 0; k < entries.size(); ++k) {
            if (SheetCancelled())
                return kCancelled;
            if (g == 0 && m == 0) {
                page.PageStart(1, kPageRows);
                open = true;
            }
            PutCellText(CellReference(3 * m + 2, kBlockRows * g + 1), list.NumberText(entries[k]));
            if (++g == kDown) {
                g = 0;
                ++m;
            }
            // A page closes only when another photo follows, so a full last page leaves no empty one.
            if (m == kAcross && k + 1 < entries.size()) {
                ++finished;
                page.PageNext(1);
                open = false;
                m = 0;
            }
        }
        if (open)
            page.PageNext(1);
        if (finished >= 1)
            page.PageAttrPrintArea(1, 0, kLastColumn, kPageRows * finished + kPageRows - 1);
    }

    // Picture pass: anchored on the whole sheet, with the original file name in a box above each.
    int g = 0, m = 0, p = 0;
    for (const int index : entries) {
        if (SheetCancelled())
            return kCancelled;
        const PlacedPhoto& entry = list.entries[size_t(index)];
        const int top = kPageRows * p + kBlockRows * g;
        (void)PutListPhotoPicture(entry, CellReference(3 * m + 2, top + 2), kListPhotoBox, false);
        if (options.listOriginalFileName) {
            const PhotoRecord* photo = project.photos.Find(entry.photoId);
            const FittedText name =
                FitTextInBox(photo ? photo->sourceName : QString(), QSizeF(kNameBoxWidth, kNameBoxHeight),
                             kNameMargin, kNamePoints, kSmallestNamePoints, TextCut::Middle);
            CXlsxDrawingT& drawing = Report()->Cell(CellReference(3 * m + 3, top + 1)).drawing;
            drawing.LineStyle = 0;
            drawing.FontPoint = name.points;
            drawing.TextAlign = 6;
            drawing.TextMargin = kNameMargin;
            (void)drawing.DrawingAddTextBoxW(name.text, 0.0, kNameBoxTop, 0.0, 0.0, kNameBoxWidth,
                                             kNameBoxHeight);
        }
        if (++g == kDown) {
            g = 0;
            if (++m == kAcross) {
                m = 0;
                ++p;
            }
        }
    }
    page.PageEnd();
    return Cancelled() ? kCancelled : kDone;
}
