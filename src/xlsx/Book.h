#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "xlsx/SharedStrings.h"
#include "xlsx/Sheet.h"
#include "xlsx/Styles.h"
#include "xlsx/ZipPackage.h"

namespace xlsx {

// Error numbers a caller may tell apart from the others.
inline constexpr int kErrorNoCellHoldsText = 41;  // Cell() found no cell holding the text looked for
inline constexpr int kErrorNoCellChosen = 42;     // a put or a drawing without a chosen cell

// One workbook being written, either from a template workbook or from nothing. Texts are UTF-8.
// Operations that can fail return nonzero for success and 0 for failure; ErrorMessage() then says why.
//
// Template workbooks: StartFile reads the template once. Its sheets are not part of the output: each
// PageBegin adds a copy of one template sheet (cells, styles, column widths, row heights, merged
// cells, views, margins, page setup, header and footer, page breaks, and its own print area and print
// titles). The copy is named like its template until PageName renames it.
//
// Cells are chosen by Cell(): "B3", a range "A1:K1", a bare row number "96", or the exact whole text of
// a template cell such as "**タイトル" (rich text is compared as its joined runs; the first match row by
// row). A failed choice selects nothing, and value and attribute calls then do nothing and return 0.
//
// Page blocks: PageStart(first, rows) opens a block under the last one (the first block starts in row
// 1) and, on a template copy, lays a fresh copy of template rows first..first+rows-1 there (-1: the
// height of the template's print area, else its last used row; on a new workbook: the highest row
// used inside the block). While a block is open, cell references and row numbers count from its
// first row, and placeholders are looked for inside it only. PageNext(1) closes the block; a page
// break is written between blocks, never after the last one.
//
// Attributes change one property of a cell's format (a new format is derived from the cell's current
// one, so cells sharing it are left alone), on every cell of the choice, empty cells included:
// - PosHorz: 20 general, 21 left, 22 centre, 23 right, 24 fill, 25 justify, 26 centre across;
// - PosVert: 1 top, 2 centre, 3 bottom, 4 justify;
// - FontStyle: bit 1 bold, bit 2 italic; FontULine: 0 none, 1 single, 2 double;
// - colours are 0x00BBGGRR; an OLE system colour (high bit set) is black;
// - Box(kind, inner, colour): kind 0x1000000 thin, 0x2000000 medium, 0x3000000 thick, 0x4000000
//   dashed, 0x5000000 dotted, 0x6000000 double, 0 none; inner 1 also draws every inner edge, 0 the
//   outline only. A later box call replaces only the edges it draws.
//
// Drawings are placed at the chosen cell, offset and sized in millimetres. Pictures are read when
// they are added and stored as they are. Text boxes take the pending drawing properties, which
// then return to their defaults (white fill, solid black 0.75-point line, 11-point default font, top
// left, the reader's own text margins). TextAlign: horizontal part 0 left, 1 right, 2 centre plus vertical
// part 0 top, 4 middle, 8 bottom (6 = centred both ways). LineStyle: 0 none, 1 solid, 2 dash, 3 dot,
// 4 dash-dot. TextMargin: the same margin in millimetres on all four sides of the text.
//
// Page attributes: PrintArea(c0, r0, c1, r1) zero-based inclusive; Margin(left, right, top, bottom,
// header, footer) in millimetres; Size(mode, scale, paper): mode 0 landscape, 1 or 2 portrait; scale is
// the largest percent allowed, lowered at output until the print area's width and each page (block
// or run of rows between breaks) fit the paper; paper is the page-setup code (9 A4, 8 A3).
class Book
{
public:
    Book();
    ~Book();
    Book(const Book&) = delete;
    Book& operator=(const Book&) = delete;

    void PutFileName(const std::string& path) { m_templatePath = path; }
    [[nodiscard]] int StartFile();
    [[nodiscard]] int StartCreate(int version);
    [[nodiscard]] int OutFile(const std::string& path, int mode);
    void OutCancel();

    [[nodiscard]] int PageBegin(const std::string& name, const std::string& mode);
    int PageName(const std::string& name);
    int PageEnd();
    int PageTotalCount() const { return m_begun; }
    int PageStart(int first, int rows);
    int PageNext(int pageBreak);

    int Cell(const std::string& reference);
    int PutValueString(const std::string& text);
    int PutValueDouble(double value);
    int PutValueLong(std::int32_t value);
    int PutColWidth(double characters);
    int PutRowHeight(double points);
    int PutBreak(int on);
    int PutAttrNo(int xf);
    int GetAttrNo() const;

    int AttrPutFormat(const std::string& code);
    int AttrPutFontName(const std::string& name);
    int AttrPutFontPoint(double point);
    int AttrPutFontColor(std::uint32_t colour);
    int AttrPutFontStyle(int style);
    int AttrPutFontULine(int kind);
    int AttrPutPattern(int pattern);
    int AttrPutForeColor(std::uint32_t colour);
    int AttrPutBackColor(std::uint32_t colour);
    int AttrPutPosHorz(int code);
    int AttrPutPosVert(int code);
    int AttrPutPosTurn(int degrees);
    int AttrPutOverReturn(int on);
    int AttrPutFit(int on);
    int AttrPutJoint(int on);
    int AttrPutBox(std::uint32_t kind, int inner, std::uint32_t colour);

    int DrawingAddImage(const std::string& file, double x, double y, double, double, double width,
                        double height);
    int DrawingAddTextBox(int shape, const std::string& text, double x, double y, double, double,
                          double width, double height);
    DrawingProps& PendingDrawing() { return m_pending; }

    int PageAttrPrintArea(int c0, int r0, int c1, int r1);
    int PageAttrMargin(double left, double right, double top, double bottom, double header, double footer);
    int PageAttrSize(int mode, int scale, int paper);
    int PageAttrCenter(int mode);
    int PageAttrPageOrder(int order);
    int PrinterPutPrintQuality(int dpi);
    int PrinterPutColorMode(int mode);
    int PrinterPutCopies(int copies);
    void OptionPutDefaultCell(const std::string& cell) { m_defaultCell = cell; }

    // Called with the error number whenever an operation fails.
    void SetOnError(std::function<void(int)> onError) { m_onError = std::move(onError); }
    int ErrorNo() const { return m_errorNo; }
    const std::string& ErrorMessage() const { return m_error; }
    // The sheet being written, or null.
    const xlsx::Sheet* CurrentSheet() const;

private:
    struct Media
    {
        std::shared_ptr<const std::string> bytes;
        std::string extension;
    };

    int Fail(int code, const std::string& message);
    bool Started(bool needSheet);
    Sheet* Current();
    int Row(int relative) const;
    bool FindText(const std::string& text, CellRange& found) const;
    const std::string& CellText(const xlsx::Cell& cell) const;
    xlsx::Cell* Target();
    void Touch(const CellRange& range);
    template <typename Change>
    int ForEachCell(Change change);
    void LayTemplateRows(Sheet& sheet, int first, int height, int at);
    void ClearLeftoverPlaceholders(Sheet& sheet);
    std::vector<int> BreakRows(const Sheet& sheet) const;
    int PutPrinterSetting(const std::string& key, const std::string& value);
    int AddMedia(std::string bytes, const std::string& extension);
    bool BuildPackage(std::vector<PackagePart>& parts);
    std::string WorkbookXml() const;
    std::string SheetXml(const Sheet& sheet, int index, const std::string& drawingRel) const;
    // The drawing part of a sheet; mediaOfRel receives the media index of each picture relationship.
    std::string DrawingXml(const Sheet& sheet, std::vector<int>& mediaOfRel) const;

    std::string m_templatePath;
    bool m_started = false;
    bool m_fromTemplate = false;
    Styles m_styles;
    SharedStrings m_strings;
    std::string m_theme, m_workbookPr;
    std::vector<std::unique_ptr<Sheet>> m_templates;
    std::vector<std::unique_ptr<Sheet>> m_sheets;
    int m_begun = 0;
    int m_current = -1;
    CellRange m_selection;
    bool m_selected = false;
    std::vector<Media> m_media;
    std::map<std::size_t, std::vector<int>> m_mediaByHash;
    DrawingProps m_pending;
    std::string m_defaultCell;
    std::map<std::string, std::string> m_printer;
    int m_errorNo = 0;
    std::string m_error;
    std::function<void(int)> m_onError;
};

}  // namespace xlsx
