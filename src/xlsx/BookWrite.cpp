// Writing the workbook package.
#include <algorithm>
#include <ctime>
#include <pugixml.hpp>

#include "xlsx/Book.h"
#include "xlsx/Geometry.h"
#include "xlsx/XmlText.h"

namespace xlsx {
namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kRelType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::shared_ptr<const std::string> Data(std::string text)
{
    return std::make_shared<const std::string>(std::move(text));
}

struct Relationships
{
    std::string xml;
    int count = 0;
    std::string Add(const std::string& type, const std::string& target)
    {
        const std::string id = "rId" + std::to_string(++count);
        xml += "<Relationship Id=\"" + id + "\" Type=\"" + kRelType + type + "\" Target=\"" +
               Escaped(target, true) + "\"/>";
        return id;
    }
    std::string Text() const
    {
        return std::string(kXmlHead) +
               "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
               xml + "</Relationships>";
    }
};

std::string ContentType(const std::string& extension)
{
    if (extension == "jpeg")
        return "image/jpeg";
    return "image/" + extension;
}

std::string QuotedSheetName(const std::string& name)
{
    std::string out = "'";
    for (const char c : name) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

// The sheet's views with the tab selection and the active cell set for the output.
std::string SheetViewsXml(const Sheet& sheet, bool first)
{
    pugi::xml_document doc;
    const std::string& raw = sheet.raw.count("sheetViews") ? sheet.raw.at("sheetViews") : std::string();
    if (raw.empty() || !doc.load_string(raw.c_str()) || !doc.child("sheetViews").child("sheetView")) {
        doc.reset();
        doc.append_child("sheetViews").append_child("sheetView").append_attribute("workbookViewId") = 0;
    }
    for (pugi::xml_node view : doc.child("sheetViews").children("sheetView")) {
        view.remove_attribute("tabSelected");
        if (first)
            view.prepend_attribute("tabSelected") = 1;
        if (!sheet.defaultCell.empty() && !view.child("pane")) {
            while (pugi::xml_node s = view.child("selection"))
                view.remove_child(s);
            view.remove_attribute("topLeftCell");
            pugi::xml_node selection = view.prepend_child("selection");
            selection.append_attribute("activeCell") = sheet.defaultCell.c_str();
            selection.append_attribute("sqref") = sheet.defaultCell.c_str();
        }
    }
    return NodeText(doc.child("sheetViews"));
}

std::string SheetPrXml(const Sheet& sheet)
{
    const auto it = sheet.raw.find("sheetPr");
    if (it == sheet.raw.end())
        return {};
    if (sheet.maxScale <= 0)
        return it->second;
    // A fitted scale is written, so "fit to pages" must be off or the scale would be ignored.
    pugi::xml_document doc;
    if (!doc.load_string(it->second.c_str()))
        return {};
    if (pugi::xml_node pr = doc.first_child().child("pageSetUpPr"))
        pr.remove_attribute("fitToPage");
    return NodeText(doc.first_child());
}

void AppendCell(std::string& out, int row, int column, const Cell& cell, int styleCount)
{
    out += "<c r=\"" + CellName(row, column) + "\"";
    if (cell.style > 0 && cell.style < styleCount)
        out += " s=\"" + std::to_string(cell.style) + "\"";
    const auto formula = [&] {
        if (!cell.formula.empty()) {
            out += "<f>";
            AppendEscaped(out, cell.formula);
            out += "</f>";
        }
    };
    const auto value = [&](const std::string& v) {
        out += "<v>";
        AppendEscaped(out, v);
        out += "</v>";
    };
    switch (cell.type) {
        case CellType::Empty:
            out += "/>";
            return;
        case CellType::Number:
            out += ">";
            formula();
            if (!cell.value.empty())
                value(cell.value);
            break;
        case CellType::Shared:
            out += " t=\"s\">";
            value(std::to_string(cell.shared));
            break;
        case CellType::Text:
            out += NeedsPreserve(cell.value) ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">"
                                             : " t=\"inlineStr\"><is><t>";
            AppendEscaped(out, cell.value);
            out += "</t></is>";
            break;
        case CellType::Bool:
            out += " t=\"b\">";
            value(cell.value);
            break;
        case CellType::Error:
            out += " t=\"e\">";
            value(cell.value);
            break;
        case CellType::FormulaText:
            out += " t=\"str\">";
            formula();
            value(cell.value);
            break;
    }
    out += "</c>";
}

void AppendRowOpen(std::string& out, int row, const RowProps* props)
{
    out += "<row r=\"" + std::to_string(row) + "\"";
    if (props) {
        if (props->height > 0)
            out += " ht=\"" + NumberText(props->height) + "\"" +
                   (props->customHeight ? " customHeight=\"1\"" : "");
        if (props->hidden)
            out += " hidden=\"1\"";
        if (props->style >= 0)
            out += " s=\"" + std::to_string(props->style) + "\" customFormat=\"1\"";
    }
    out += ">";
}

std::string ColsXml(const Sheet& sheet)
{
    std::string out;
    for (auto it = sheet.cols.begin(); it != sheet.cols.end();) {
        auto last = it;
        while (std::next(last) != sheet.cols.end() && std::next(last)->first == last->first + 1 &&
               std::next(last)->second == it->second)
            ++last;
        const ColProps& p = it->second;
        out += "<col min=\"" + std::to_string(it->first) + "\" max=\"" + std::to_string(last->first) +
               "\" width=\"" + NumberText(p.width > 0 ? p.width : 9) + "\"";
        if (p.style >= 0)
            out += " style=\"" + std::to_string(p.style) + "\"";
        if (p.hidden)
            out += " hidden=\"1\"";
        if (p.customWidth)
            out += " customWidth=\"1\"";
        out += "/>";
        it = std::next(last);
    }
    return out.empty() ? out : "<cols>" + out + "</cols>";
}

}  // namespace

std::string Book::SheetXml(const Sheet& sheet, int index, const std::string& drawingRel) const
{
    std::string out =
        std::string(kXmlHead) + "<worksheet xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs + "\"";
    for (const auto& [name, value] : sheet.rootNamespaces) {
        if (name != "xmlns" && name != "xmlns:r")
            out += " " + name + "=\"" + Escaped(value, true) + "\"";
    }
    out += ">";
    const auto raw = [&](const char* name) {
        const auto it = sheet.raw.find(name);
        if (it != sheet.raw.end())
            out += it->second;
    };
    out += SheetPrXml(sheet);
    const CellRange used = PrintRange(sheet);
    out +=
        "<dimension ref=\"" + RangeName(CellRange{1, 1, std::max(used.r1, 1), std::max(used.c1, 1)}) + "\"/>";
    out += SheetViewsXml(sheet, index == 0);
    if (sheet.raw.count("sheetFormatPr"))
        raw("sheetFormatPr");
    else
        out += "<sheetFormatPr baseColWidth=\"8\" defaultRowHeight=\"" + NumberText(sheet.defaultRowHeight) +
               "\"/>";
    out += ColsXml(sheet);

    out += "<sheetData>";
    auto cell = sheet.cells.begin();
    auto row = sheet.rows.begin();
    while (cell != sheet.cells.end() || row != sheet.rows.end()) {
        const int r = std::min(cell != sheet.cells.end() ? cell->first.first : kMaxRow + 1,
                               row != sheet.rows.end() ? row->first : kMaxRow + 1);
        const bool hasProps = row != sheet.rows.end() && row->first == r;
        AppendRowOpen(out, r, hasProps ? &row->second : nullptr);
        for (; cell != sheet.cells.end() && cell->first.first == r; ++cell)
            AppendCell(out, r, cell->first.second, cell->second, m_styles.XfCount());
        out += "</row>";
        if (hasProps)
            ++row;
    }
    out += "</sheetData>";
    raw("sheetProtection");
    if (!sheet.merges.empty()) {
        out += "<mergeCells count=\"" + std::to_string(sheet.merges.size()) + "\">";
        for (const CellRange& m : sheet.merges)
            out += "<mergeCell ref=\"" + RangeName(m) + "\"/>";
        out += "</mergeCells>";
    }
    raw("phoneticPr");
    raw("conditionalFormatting");
    raw("dataValidations");
    raw("printOptions");
    const double* m = sheet.margins;
    out += "<pageMargins left=\"" + NumberText(m[0]) + "\" right=\"" + NumberText(m[1]) + "\" top=\"" +
           NumberText(m[2]) + "\" bottom=\"" + NumberText(m[3]) + "\" header=\"" + NumberText(m[4]) +
           "\" footer=\"" + NumberText(m[5]) + "\"/>";
    const std::vector<int> breaks = BreakRows(sheet);
    std::map<std::string, std::string> setup = sheet.pageSetup;
    if (sheet.maxScale > 0)
        setup["scale"] = std::to_string(FitScale(sheet, sheet.maxScale, breaks));
    if (!setup.empty()) {
        out += "<pageSetup";
        for (const auto& [name, value] : setup)
            out += " " + name + "=\"" + Escaped(value, true) + "\"";
        out += "/>";
    }
    raw("headerFooter");
    if (!breaks.empty()) {
        out += "<rowBreaks count=\"" + std::to_string(breaks.size()) + "\" manualBreakCount=\"" +
               std::to_string(breaks.size()) + "\">";
        for (const int b : breaks)
            out += "<brk id=\"" + std::to_string(b) + "\" max=\"16383\" man=\"1\"/>";
        out += "</rowBreaks>";
    }
    raw("colBreaks");
    raw("ignoredErrors");
    if (!drawingRel.empty())
        out += "<drawing r:id=\"" + drawingRel + "\"/>";
    out += "</worksheet>";
    return out;
}

std::string Book::WorkbookXml() const
{
    std::string out =
        std::string(kXmlHead) + "<workbook xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs + "\">";
    out += m_workbookPr.empty() ? "<workbookPr/>" : m_workbookPr;
    out += "<bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>";
    std::string names;
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        const Sheet& sheet = *m_sheets[i];
        out += "<sheet name=\"" + Escaped(sheet.name, true) + "\" sheetId=\"" + std::to_string(i + 1) +
               "\" r:id=\"rId" + std::to_string(i + 1) + "\"/>";
        for (const LocalName& name : sheet.names) {
            std::string formula;
            for (const std::string& range : name.ranges) {
                if (!formula.empty())
                    formula += ',';
                formula += QuotedSheetName(sheet.name);
                formula += '!';
                formula += range;
            }
            if (formula.empty())
                continue;
            names += "<definedName name=\"" + Escaped(name.name, true) + "\" localSheetId=\"" +
                     std::to_string(i) + "\">" + Escaped(formula) + "</definedName>";
        }
    }
    out += "</sheets>";
    if (!names.empty())
        out += "<definedNames>" + names + "</definedNames>";
    out += "</workbook>";
    return out;
}

bool Book::BuildPackage(std::vector<PackagePart>& parts)
{
    std::string types = std::string(kXmlHead) +
                        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                        "<Default Extension=\"rels\" ContentType=\"application/"
                        "vnd.openxmlformats-package.relationships+xml\"/>"
                        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    std::vector<std::string> extensions;
    for (const Media& media : m_media) {
        if (std::find(extensions.begin(), extensions.end(), media.extension) == extensions.end())
            extensions.push_back(media.extension);
    }
    for (const std::string& extension : extensions)
        types += "<Default Extension=\"" + extension + "\" ContentType=\"" + ContentType(extension) + "\"/>";
    const auto override = [&](const std::string& part, const std::string& type) {
        types += "<Override PartName=\"/" + part + "\" ContentType=\"" + type + "\"/>";
    };
    const std::string sml = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    override("xl/workbook.xml", sml + "sheet.main+xml");

    Relationships bookRels;
    int drawingCount = 0;
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        const Sheet& sheet = *m_sheets[i];
        const std::string sheetPart = "xl/worksheets/sheet" + std::to_string(i + 1) + ".xml";
        bookRels.Add("worksheet", "worksheets/sheet" + std::to_string(i + 1) + ".xml");
        override(sheetPart, sml + "worksheet+xml");
        std::string drawingRel;
        if (!sheet.drawings.empty()) {
            const std::string n = std::to_string(++drawingCount);
            Relationships sheetRels;
            drawingRel = sheetRels.Add("drawing", "../drawings/drawing" + n + ".xml");
            parts.push_back(
                {"xl/worksheets/_rels/sheet" + std::to_string(i + 1) + ".xml.rels", Data(sheetRels.Text())});
            std::vector<int> mediaOfRel;
            parts.push_back({"xl/drawings/drawing" + n + ".xml", Data(DrawingXml(sheet, mediaOfRel))});
            override("xl/drawings/drawing" + n + ".xml",
                     "application/vnd.openxmlformats-officedocument.drawing+xml");
            Relationships drawingRels;
            for (const int media : mediaOfRel)
                drawingRels.Add(
                    "image", "../media/image" + std::to_string(media + 1) + "." + m_media[media].extension);
            parts.push_back({"xl/drawings/_rels/drawing" + n + ".xml.rels", Data(drawingRels.Text())});
        }
        parts.push_back({sheetPart, Data(SheetXml(sheet, static_cast<int>(i), drawingRel))});
    }
    bookRels.Add("styles", "styles.xml");
    override("xl/styles.xml", sml + "styles+xml");
    parts.push_back({"xl/styles.xml", Data(m_styles.Serialize())});
    if (m_strings.Count() > 0) {
        int references = 0;
        for (const auto& sheet : m_sheets) {
            for (const auto& [key, cell] : sheet->cells)
                references += cell.type == CellType::Shared;
        }
        bookRels.Add("sharedStrings", "sharedStrings.xml");
        override("xl/sharedStrings.xml", sml + "sharedStrings+xml");
        parts.push_back({"xl/sharedStrings.xml", Data(m_strings.Serialize(references))});
    }
    if (!m_theme.empty()) {
        bookRels.Add("theme", "theme/theme1.xml");
        override("xl/theme/theme1.xml", "application/vnd.openxmlformats-officedocument.theme+xml");
        parts.push_back({"xl/theme/theme1.xml", Data(m_theme)});
    }
    for (std::size_t i = 0; i < m_media.size(); ++i)
        parts.push_back(
            {"xl/media/image" + std::to_string(i + 1) + "." + m_media[i].extension, m_media[i].bytes, false});
    parts.push_back({"xl/workbook.xml", Data(WorkbookXml())});
    parts.push_back({"xl/_rels/workbook.xml.rels", Data(bookRels.Text())});

    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    parts.push_back(
        {"docProps/core.xml",
         Data(std::string(kXmlHead) +
              "<cp:coreProperties "
              "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
              "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
              "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><dcterms:created "
              "xsi:type=\"dcterms:W3CDTF\">" +
              stamp + "</dcterms:created><dcterms:modified xsi:type=\"dcterms:W3CDTF\">" + stamp +
              "</dcterms:modified></cp:coreProperties>")});
    override("docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml");
    Relationships rootRels;
    rootRels.Add("officeDocument", "xl/workbook.xml");
    rootRels.xml +=
        "<Relationship Id=\"rId2\" "
        "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" "
        "Target=\"docProps/core.xml\"/>";
    parts.push_back({"_rels/.rels", Data(rootRels.Text())});
    types += "</Types>";
    parts.insert(parts.begin(), PackagePart{"[Content_Types].xml", Data(types)});
    return true;
}

int Book::OutFile(const std::string& path, int)
{
    if (!Started(false))
        return 0;
    if (m_sheets.empty())
        return Fail(60, "the workbook has no sheets");
    for (auto& sheet : m_sheets) {
        if (sheet->blockOpen) {
            PageBlock& block = sheet->blocks.back();
            if (block.height == 0)
                block.height = std::max(block.touched, 1);
            sheet->blockOpen = false;
        }
        ClearLeftoverPlaceholders(*sheet);
    }
    std::vector<PackagePart> parts;
    std::string error;
    if (!BuildPackage(parts) || !WritePackage(path, parts, error))
        return Fail(61, error.empty() ? "cannot write " + path : error);
    return 1;
}

}  // namespace xlsx
