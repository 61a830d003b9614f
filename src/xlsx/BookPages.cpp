// Starting a workbook, and the sheets and page blocks of it.
#include <algorithm>
#include <cmath>
#include <pugixml.hpp>
#include <string_view>

#include "xlsx/Book.h"
#include "xlsx/Geometry.h"
#include "xlsx/TemplateReader.h"
#include "xlsx/XmlText.h"

namespace xlsx {
namespace {

constexpr const char* kDefaultFont = "ＭＳ Ｐゴシック";

// Length in UTF-16 units, the unit in which sheet names are limited.
std::size_t Utf16Length(const std::string& text)
{
    std::size_t units = 0;
    for (const unsigned char c : text) {
        if ((c & 0xC0) != 0x80)
            units += (c >= 0xF0) ? 2 : 1;
    }
    return units;
}

std::string AsciiLower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The longest start of the text that is at most the given number of UTF-16 units, cut between characters.
std::string CutUtf16(const std::string& text, std::size_t units)
{
    std::size_t used = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = text[i];
        if ((c & 0xC0) == 0x80)
            continue;
        used += c >= 0xF0 ? 2 : 1;
        if (used > units)
            return text.substr(0, i);
    }
    return text;
}

bool ValidSheetName(const std::string& name)
{
    if (name.empty() || Utf16Length(name) > 31 || name.front() == '\'' || name.back() == '\'')
        return false;
    // Only whole, printable characters on one line.
    if (CleanCellText(name) != name || name.find_first_of("\n\t") != std::string::npos)
        return false;
    return name.find_first_of("[]:*?/\\") == std::string::npos && AsciiLower(name) != "history";
}

// A template's own sheet name made to follow the rules for new names: characters a name may not hold
// become '_', the name is cut to 31 units without quotes at its ends, and a name left empty or
// reserved becomes "Sheet<number>".
std::string UsableSheetName(const std::string& name, std::size_t number)
{
    if (ValidSheetName(name))
        return name;
    std::string usable = CleanCellText(name);
    for (char& c : usable) {
        if (std::string_view("[]:*?/\\\n\t").find(c) != std::string_view::npos)
            c = '_';
    }
    usable = CutUtf16(usable, 31);
    while (!usable.empty() && usable.front() == '\'')
        usable.erase(0, 1);
    while (!usable.empty() && usable.back() == '\'')
        usable.pop_back();
    return ValidSheetName(usable) ? usable : "Sheet" + std::to_string(number);
}

}  // namespace

Book::Book() = default;
Book::~Book() = default;

int Book::Fail(int code, const std::string& message)
{
    m_errorNo = code;
    m_error = message;
    if (m_onError)
        m_onError(code);
    return 0;
}

bool Book::Started(bool needSheet)
{
    if (!m_started)
        return Fail(1, "no workbook has been started"), false;
    if (needSheet && !Current())
        return Fail(2, "no sheet has been begun"), false;
    return true;
}

Sheet* Book::Current()
{
    return m_current >= 0 && m_current < static_cast<int>(m_sheets.size()) ? m_sheets[m_current].get()
                                                                           : nullptr;
}

const Sheet* Book::CurrentSheet() const
{
    return m_current >= 0 && m_current < static_cast<int>(m_sheets.size()) ? m_sheets[m_current].get()
                                                                           : nullptr;
}

void Book::OutCancel()
{
    const std::string path = m_templatePath;
    const int errorNo = m_errorNo;
    const std::string error = m_error;
    m_styles = Styles();
    m_strings = SharedStrings();
    m_theme.clear();
    m_workbookPr.clear();
    m_templates.clear();
    m_sheets.clear();
    m_media.clear();
    m_mediaByHash.clear();
    m_pending = DrawingProps();
    m_printer.clear();
    m_started = m_fromTemplate = m_selected = false;
    m_begun = 0;
    m_current = -1;
    m_templatePath = path;
    m_errorNo = errorNo;
    m_error = error;
}

int Book::StartFile()
{
    OutCancel();
    TemplateContent content;
    std::string error;
    if (!ReadTemplate(m_templatePath, content, error))
        return Fail(10, error);
    m_styles = std::move(content.styles);
    m_strings = std::move(content.strings);
    m_theme = std::move(content.theme);
    m_workbookPr = std::move(content.workbookPr);
    m_templates = std::move(content.sheets);
    m_started = m_fromTemplate = true;
    return 1;
}

int Book::StartCreate(int)
{
    OutCancel();
    m_styles.InitDefault(kDefaultFont, 11);
    m_started = true;
    return 1;
}

int Book::PageBegin(const std::string& name, const std::string&)
{
    if (!Started(false))
        return 0;
    auto sheet = std::make_unique<Sheet>();
    if (m_fromTemplate) {
        const auto it = std::find_if(m_templates.begin(), m_templates.end(),
                                     [&](const auto& t) { return t->name == name; });
        if (it == m_templates.end())
            return Fail(20, "the template has no sheet " + name);
        *sheet = **it;
        sheet->name = UsableSheetName(sheet->name, m_sheets.size() + 1);
        sheet->templateIndex = static_cast<int>(it - m_templates.begin());
    } else {
        sheet->defaultRowHeight = 13.5;
        sheet->name = name.empty() ? "Sheet" + std::to_string(m_sheets.size() + 1) : name;
        if (!ValidSheetName(sheet->name))
            return Fail(21, "invalid sheet name " + sheet->name);
    }
    // Until it is renamed the copy carries its template's name; keep names unique all the same.
    const std::string base = sheet->name;
    for (int n = 2;; ++n) {
        const bool taken = std::any_of(m_sheets.begin(), m_sheets.end(), [&](const auto& s) {
            return AsciiLower(s->name) == AsciiLower(sheet->name);
        });
        if (!taken)
            break;
        if (!m_fromTemplate)
            return Fail(22, "a sheet is already called " + base);
        const std::string suffix = " (" + std::to_string(n) + ")";
        sheet->name = CutUtf16(base, 31 - suffix.size()) + suffix;
    }
    sheet->defaultCell = m_defaultCell;
    for (const auto& [key, value] : m_printer)
        sheet->pageSetup[key] = value;
    m_sheets.push_back(std::move(sheet));
    m_current = static_cast<int>(m_sheets.size()) - 1;
    m_selected = false;
    ++m_begun;
    return 1;
}

int Book::PageName(const std::string& name)
{
    if (!Started(true))
        return 0;
    if (!ValidSheetName(name))
        return Fail(21, "invalid sheet name " + name);
    for (int i = 0; i < static_cast<int>(m_sheets.size()); ++i) {
        if (i != m_current && AsciiLower(m_sheets[i]->name) == AsciiLower(name))
            return Fail(22, "a sheet is already called " + name);
    }
    Current()->name = name;
    return 1;
}

int Book::PageEnd()
{
    if (!Started(true))
        return 0;
    PageNext(1);
    ClearLeftoverPlaceholders(*Current());
    m_selected = false;
    return 1;
}

void Book::ClearLeftoverPlaceholders(Sheet& sheet)
{
    for (auto& [key, cell] : sheet.cells) {
        if (!cell.written && CellText(cell).rfind("**", 0) == 0) {
            cell.type = CellType::Empty;
            cell.value.clear();
            cell.formula.clear();
        }
    }
}

int Book::Row(int relative) const
{
    const Sheet* sheet = CurrentSheet();
    if (sheet && sheet->blockOpen)
        return sheet->blocks.back().start + relative - 1;
    return relative;
}

void Book::LayTemplateRows(Sheet& sheet, int first, int height, int at)
{
    const int last = at + height - 1;
    sheet.cells.erase(sheet.cells.lower_bound({at, 0}), sheet.cells.lower_bound({last + 1, 0}));
    sheet.rows.erase(sheet.rows.lower_bound(at), sheet.rows.upper_bound(last));
    // Merges stay inside the rows they were laid in, so that no two merged ranges of the sheet
    // overlap: one that reaches into these rows from above ends above them.
    const auto single = [](const CellRange& m) { return m.r0 == m.r1 && m.c0 == m.c1; };
    std::erase_if(sheet.merges, [&](const CellRange& m) { return m.r0 >= at && m.r0 <= last; });
    for (CellRange& m : sheet.merges) {
        if (m.r0 < at && m.r1 >= at)
            m.r1 = at - 1;
    }
    std::erase_if(sheet.merges, single);
    if (sheet.templateIndex < 0)
        return;
    const Sheet& source = *m_templates[sheet.templateIndex];
    const int shift = at - first;
    for (auto it = source.cells.lower_bound({first, 0});
         it != source.cells.end() && it->first.first < first + height; ++it) {
        xlsx::Cell cell = it->second;
        cell.written = false;
        sheet.cells[{it->first.first + shift, it->first.second}] = std::move(cell);
    }
    for (auto it = source.rows.lower_bound(first); it != source.rows.end() && it->first < first + height;
         ++it)
        sheet.rows[it->first + shift] = it->second;
    for (const CellRange& m : source.merges) {
        const CellRange laid{m.r0 + shift, m.c0, std::min(m.r1 + shift, last), m.c1, false};
        if (m.r0 >= first && m.r0 < first + height && !single(laid))
            sheet.merges.push_back(laid);
    }
}

int Book::PageStart(int first, int rows)
{
    if (!Started(true))
        return 0;
    Sheet& sheet = *Current();
    PageNext(1);
    const int start = sheet.blocks.empty() ? 1 : sheet.blocks.back().start + sheet.blocks.back().height;
    first = std::max(first, 1);
    int height = rows;
    if (height <= 0 && sheet.templateIndex >= 0)
        height = std::max(1, PrintRange(*m_templates[sheet.templateIndex]).r1 - first + 1);
    if (height > 0 && start + height - 1 > kMaxRow)
        return Fail(30, "the sheet has no room for another page");
    if (height > 0)
        LayTemplateRows(sheet, first, height, start);
    sheet.blocks.push_back(PageBlock{start, std::max(height, 0), 0, true});
    sheet.blockOpen = true;
    m_selected = false;
    return 1;
}

int Book::PageNext(int pageBreak)
{
    if (!Started(true))
        return 0;
    Sheet& sheet = *Current();
    if (!sheet.blockOpen)
        return 1;
    PageBlock& block = sheet.blocks.back();
    if (block.height == 0)
        block.height = std::max(block.touched, 1);
    block.breakAfter = pageBreak != 0;
    sheet.blockOpen = false;
    m_selected = false;
    return 1;
}

std::vector<int> Book::BreakRows(const Sheet& sheet) const
{
    std::vector<int> rows(sheet.rowBreaks.begin(), sheet.rowBreaks.end());
    for (std::size_t i = 0; i + 1 < sheet.blocks.size(); ++i) {
        if (sheet.blocks[i].breakAfter)
            rows.push_back(sheet.blocks[i].start + sheet.blocks[i].height - 1);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [](int r) { return r < 1; });
    return rows;
}

int Book::PageAttrPrintArea(int c0, int r0, int c1, int r1)
{
    if (!Started(true))
        return 0;
    if (c0 > c1)
        std::swap(c0, c1);
    if (r0 > r1)
        std::swap(r0, r1);
    if (c0 < 0 || r0 < 0 || c1 >= kMaxColumn || r1 >= kMaxRow)
        return Fail(31, "print area outside the sheet");
    Sheet& sheet = *Current();
    std::erase_if(sheet.names, [](const LocalName& n) { return n.name == "_xlnm.Print_Area"; });
    sheet.names.push_back(
        {"_xlnm.Print_Area", {AbsoluteCellName(r0 + 1, c0 + 1) + ":" + AbsoluteCellName(r1 + 1, c1 + 1)}});
    return 1;
}

int Book::PageAttrMargin(double left, double right, double top, double bottom, double header, double footer)
{
    if (!Started(true))
        return 0;
    const double mm[6] = {left, right, top, bottom, header, footer};
    Sheet& sheet = *Current();
    for (int i = 0; i < 6; ++i) {
        if (!std::isfinite(mm[i]) || mm[i] < 0 || mm[i] > 500)
            return Fail(32, "margin out of range");
    }
    for (int i = 0; i < 6; ++i)
        sheet.margins[i] = mm[i] / 25.4;
    sheet.hasMargins = true;
    return 1;
}

int Book::PageAttrSize(int mode, int scale, int paper)
{
    if (!Started(true))
        return 0;
    Sheet& sheet = *Current();
    sheet.pageSetup["orientation"] = mode == 0 ? "landscape" : "portrait";
    sheet.pageSetup["paperSize"] = std::to_string(paper > 0 ? paper : 9);
    sheet.pageSetup.erase("fitToWidth");
    sheet.pageSetup.erase("fitToHeight");
    sheet.maxScale = std::clamp(scale, 10, 400);
    return 1;
}

int Book::PageAttrCenter(int mode)
{
    if (!Started(true))
        return 0;
    pugi::xml_document doc;
    const std::string& raw = Current()->raw["printOptions"];
    if (raw.empty() || !doc.load_string(raw.c_str()))
        doc.append_child("printOptions");
    pugi::xml_node node = doc.first_child();
    node.remove_attribute("horizontalCentered");
    node.remove_attribute("verticalCentered");
    if (mode & 1)
        node.append_attribute("horizontalCentered") = 1;
    if (mode & 2)
        node.append_attribute("verticalCentered") = 1;
    Current()->raw["printOptions"] = NodeText(node);
    return 1;
}

int Book::PageAttrPageOrder(int order)
{
    if (!Started(true))
        return 0;
    Current()->pageSetup["pageOrder"] = order ? "overThenDown" : "downThenOver";
    return 1;
}

int Book::PutPrinterSetting(const std::string& key, const std::string& value)
{
    if (!Started(false))
        return 0;
    // Printer settings hold for the current sheet and every sheet begun after it.
    m_printer[key] = value;
    if (Sheet* sheet = Current())
        sheet->pageSetup[key] = value;
    return 1;
}

int Book::PrinterPutPrintQuality(int dpi)
{
    if (dpi <= 0 || dpi > 4800)
        return Fail(33, "print quality out of range");
    return PutPrinterSetting("horizontalDpi", std::to_string(dpi)) &&
           PutPrinterSetting("verticalDpi", std::to_string(dpi));
}

int Book::PrinterPutColorMode(int mode)
{
    return PutPrinterSetting("blackAndWhite", mode == 1 ? "1" : "0");
}

int Book::PrinterPutCopies(int copies)
{
    if (copies < 1 || copies > 999)
        return Fail(33, "copies out of range");
    return PutPrinterSetting("copies", std::to_string(copies));
}

}  // namespace xlsx
