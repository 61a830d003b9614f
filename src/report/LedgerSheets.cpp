// The photo ledger sheet ("写真台帳") of one map in its six layouts: page blocks copied from the layout's
// template sheet, each with the header and a fixed number of photo slots.
#include <array>

#include "fe/PumpMessages.h"
#include "fe/TextUtil.h"
#include "report/LocationMapReport.h"
#include "report/ReportTexts.h"

namespace {

struct LedgerLayout
{
    const char* templateSheet;
    int columns;        // slots a row
    int slotRows;       // rows of slots a page
    int rowsPerPage;
    int pageStartRows;  // the last argument of PageStart (-1: the template's print area)
    int wrapWidth;      // comment lines of at most this width, one a cell; 0: the whole comment in one cell
    int linesKept;
    std::array<int, 3> pictureColumns;
    std::array<int, 4> pictureRows;  // on the first page
    QSize box;
    double inset;  // < 0: the picture keeps its small margins instead
    int printFirstColumn, printLastColumn;
    bool numbered;  // placeholders carry the slot number

    int PerPage() const { return columns * slotRows; }
};

constexpr int A = 1, B = 2, C = 3, E = 5, F = 6, H = 8, I = 9, N = 14;

const LedgerLayout kLedgerLayouts[] = {
    {"#写真台帳V", 1, 3, 44, 44, 41, 8, {B}, {4, 18, 32}, {445, 330}, -1, 0, 7, true},
    {"#写真台帳V6", 2, 3, 58, 58, 0, 0, {A, F}, {5, 23, 41}, {322, 230}, 11, 0, 9, true},
    {"#写真台帳H", 2, 1, 39, -1, 75, 8, {C, I}, {5}, {525, 382}, -1, 1, 12, true},
    {"#写真台帳H6", 3, 2, 39, -1, 0, 0, {B, H, N}, {3, 22}, {344, 249}, 11, 1, 18, true},
    {"#写真台帳H1", 1, 1, 39, -1, 150, 3, {C}, {5}, {1084, 551}, -1, 1, 12, false},
    {"#写真台帳V3×4", 3, 4, 64, 64, 0, 0, {A, E, I}, {5, 20, 35, 50}, {215, 170}, 5, 0, 11, true},
};

}  // namespace

bool LocationMapReport::SheetCancelled()
{
    PumpMessages();
    if (!Cancelled())
        return false;
    if (Report())
        Report()->page.PageEnd();
    return true;
}

int LocationMapReport::WriteLedgerSheet(int mapIndex)
{
    const ReportOutputOptions& options = project.outputOptions;
    if (!Report() || !project.maps.IsValidIndex(mapIndex))
        return kFailed;
    if (!options.outputLedger)
        return kContinue;
    if (options.ledgerLayout < 0 || options.ledgerLayout >= int(std::size(kLedgerLayouts)))
        return kFailed;
    const LedgerLayout& layout = kLedgerLayouts[options.ledgerLayout];
    const LocationMap& map = project.maps.maps[size_t(mapIndex)];
    CXlsxPage& page = Report()->page;
    if (!page.PageBeginW(QString::fromUtf8(layout.templateSheet), QStringLiteral("1")))
        return kFailed;
    page.PageNameW(QStringLiteral("写真台帳"));

    const auto& names = map.itemNames.texts;
    const auto& values = map.itemValues.texts;
    const auto putHeader = [&] {
        PutNamedCell(QStringLiteral("**工種"), values[0]);
        PutNamedCell(QStringLiteral("**名称"), values[1]);
        PutNamedCell(QStringLiteral("**発生場所"), values[2]);
        PutNamedCell(QStringLiteral("**発生日時"), project.headerValues.texts[3]);
        PutNamedCell(QStringLiteral("**項目名_種類"), names[0]);
        PutNamedCell(QStringLiteral("**項目名_路線名"), names[1]);
        PutNamedCell(QStringLiteral("**項目名_発生場所"), names[2]);
        PutNamedCell(QStringLiteral("**項目名_概要"), names[3]);
        PutNamedCell(QStringLiteral("**項目名_発生日時"), project.headerLabels.texts[3]);
    };
    putHeader();

    // Photos whose record is gone take no slot in either pass.
    std::vector<const PlacedPhoto*> entries;
    for (const PlacedPhoto& entry : map.photos.entries) {
        if (project.photos.Find(entry.photoId) != nullptr)
            entries.push_back(&entry);
    }

    // Text pass: page blocks with the header and the slots' number, shot time and comment cells.
    const int perPage = layout.PerPage();
    int pages = 0;
    for (size_t k = 0; k < entries.size(); ++k) {
        if (SheetCancelled())
            return kCancelled;
        const int slot = int(k % size_t(perPage));
        if (slot == 0) {
            ++pages;
            page.PageStart(1, layout.pageStartRows);
            putHeader();
        }
        if (SheetCancelled())
            return kCancelled;
        const PlacedPhoto& entry = *entries[k];
        const PhotoRecord& photo = *project.photos.Find(entry.photoId);
        const QString suffix = layout.numbered ? QString::number(slot + 1) : QString();
        PutNamedCell(QStringLiteral("**写真番号") + suffix, map.photos.NumberText(map.photos.IndexOfPhoto(entry.photoId)));
        PutNamedCell(QStringLiteral("**撮影日時") + suffix,
                     ShotDateTimeText(photo.date, photo.time, options.shotTimeFormat));
        if (layout.wrapWidth > 0) {
            const QStringList lines = WrapCommentLines(fe::SplitText(entry.comment, u'\n'), layout.wrapWidth);
            const QString base = layout.numbered ? QStringLiteral("**コメント%1_").arg(slot + 1)
                                                 : QStringLiteral("**コメント");
            for (int line = 0; line < std::min(int(lines.size()), layout.linesKept); ++line)
                PutNamedCell(base + QString::number(line + 1), lines[line]);
        } else {
            PutNamedCell(QStringLiteral("**コメント") + suffix, entry.comment);
        }
        if (slot == perPage - 1)
            page.PageNext(1);
    }
    if (!entries.empty() && entries.size() % size_t(perPage) != 0)
        page.PageNext(1);
    if (pages > 1)
        page.PageAttrPrintArea(layout.printFirstColumn, 0, layout.printLastColumn,
                               layout.rowsPerPage * pages - 1);

    // Picture pass: each photo anchored in its slot of its page.
    for (size_t k = 0; k < entries.size(); ++k) {
        if (SheetCancelled())
            return kCancelled;
        const int pageIndex = int(k / size_t(perPage));
        const int slot = int(k % size_t(perPage));
        const int column = layout.pictureColumns[size_t(slot % layout.columns)];
        const int row = layout.pictureRows[size_t(slot / layout.columns)] + layout.rowsPerPage * pageIndex;
        const QString cell = CellReference(column, row);
        if (layout.inset < 0)
            (void)PutPhotoPicture(*entries[k], cell, layout.box);
        else
            (void)PutPhotoPictureInset(*entries[k], cell, layout.box, layout.inset, layout.inset);
        if (SheetCancelled())
            return kCancelled;
    }
    page.PageEnd();
    return Cancelled() ? kCancelled : kDone;
}
