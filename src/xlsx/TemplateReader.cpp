#include "xlsx/TemplateReader.h"

#include <map>
#include <pugixml.hpp>

#include "xlsx/TemplateXml.h"
#include "xlsx/ZipPackage.h"

namespace xlsx {
namespace {

constexpr std::size_t kMaxSheets = 255;

bool LoadXml(const ZipReader& zip, const std::string& name, pugi::xml_document& doc, MarkupBudget& budget,
             std::string& error)
{
    std::string data;
    return zip.Read(name, data, error) && ParseTemplatePart(data, name, doc, budget, error);
}

// Resolves a relationship target against the folder of the part that holds the relationship.
std::string Resolve(const std::string& folder, const std::string& target)
{
    std::string path = target.rfind('/', 0) == 0 ? target.substr(1) : folder + target;
    std::vector<std::string> pieces;
    std::size_t begin = 0;
    while (begin <= path.size()) {
        const std::size_t end = std::min(path.find('/', begin), path.size());
        const std::string piece = path.substr(begin, end - begin);
        if (piece == "..") {
            if (!pieces.empty())
                pieces.pop_back();
        } else if (!piece.empty() && piece != ".") {
            pieces.push_back(piece);
        }
        begin = end + 1;
    }
    std::string out;
    for (const std::string& piece : pieces)
        out += (out.empty() ? "" : "/") + piece;
    return out;
}

std::string FolderOf(const std::string& part)
{
    const std::size_t slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::string RelsOf(const std::string& part)
{
    const std::size_t slash = part.rfind('/');
    const std::string name = slash == std::string::npos ? part : part.substr(slash + 1);
    return FolderOf(part) + "_rels/" + name + ".rels";
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

std::vector<std::string> SplitNameRanges(const std::string& formula)
{
    std::vector<std::string> ranges;
    std::string piece;
    bool quoted = false;
    const auto finish = [&] {
        const std::size_t bang = piece.rfind('!');
        std::string range = bang == std::string::npos ? piece : piece.substr(bang + 1);
        if (!range.empty())
            ranges.push_back(range);
        piece.clear();
    };
    for (const char c : formula) {
        if (c == '\'')
            quoted = !quoted;
        if (c == ',' && !quoted)
            finish();
        else
            piece += c;
    }
    finish();
    return ranges;
}

bool ReadTemplate(const std::string& path, TemplateContent& content, std::string& error)
{
    ZipReader zip;
    if (!zip.Open(path, error))
        return false;
    MarkupBudget budget;
    pugi::xml_document rootRels;
    if (!LoadXml(zip, "_rels/.rels", rootRels, budget, error))
        return false;
    std::string workbookPart = "xl/workbook.xml";
    for (pugi::xml_node rel : rootRels.child("Relationships").children("Relationship")) {
        if (EndsWith(rel.attribute("Type").value(), "/officeDocument"))
            workbookPart = Resolve("", rel.attribute("Target").value());
    }
    pugi::xml_document workbook, workbookRels;
    if (!LoadXml(zip, workbookPart, workbook, budget, error) ||
        !LoadXml(zip, RelsOf(workbookPart), workbookRels, budget, error))
        return false;
    const std::string folder = FolderOf(workbookPart);
    std::map<std::string, std::string> targets;
    std::string stylesPart, stringsPart, themePart;
    for (pugi::xml_node rel : workbookRels.child("Relationships").children("Relationship")) {
        const std::string type = rel.attribute("Type").value();
        const std::string target = Resolve(folder, rel.attribute("Target").value());
        targets[rel.attribute("Id").value()] = target;
        if (EndsWith(type, "/styles"))
            stylesPart = target;
        else if (EndsWith(type, "/sharedStrings"))
            stringsPart = target;
        else if (EndsWith(type, "/theme"))
            themePart = target;
    }

    if (stylesPart.empty()) {
        error = "the template has no styles";
        return false;
    }
    pugi::xml_document part;
    if (!LoadXml(zip, stylesPart, part, budget, error))
        return false;
    if (!content.styles.Load(part)) {
        error = "the template's styles are damaged";
        return false;
    }
    if (!stringsPart.empty() &&
        (!LoadXml(zip, stringsPart, part, budget, error) || !content.strings.Load(part, error)))
        return false;
    // The theme is copied as it stands once it parses; a theme that does not is left out.
    std::string themeError;
    if (!themePart.empty() && LoadXml(zip, themePart, part, budget, themeError))
        content.theme = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n" + NodeText(part);

    const pugi::xml_node book = workbook.child("workbook");
    if (pugi::xml_node pr = book.child("workbookPr"))
        content.workbookPr = NodeText(pr);
    std::size_t cells = 0;
    for (pugi::xml_node s : book.child("sheets").children("sheet")) {
        if (content.sheets.size() >= kMaxSheets) {
            error = "the template has too many sheets";
            return false;
        }
        const auto target = targets.find(s.attribute("r:id").value());
        if (target == targets.end()) {
            error = std::string("the template has no part for the sheet ") + s.attribute("name").value();
            return false;
        }
        auto sheet = std::make_unique<Sheet>();
        sheet->name = s.attribute("name").value();
        if (!LoadXml(zip, target->second, part, budget, error) || !ReadSheet(part, *sheet, error))
            return false;
        // A cell naming a string the table does not hold, or a row or column naming a format it
        // does not hold, would make every workbook written from the template unreadable: the cell is
        // read as empty, the row or column without its format.
        for (auto& [key, cell] : sheet->cells) {
            if (cell.type == CellType::Shared && (cell.shared < 0 || cell.shared >= content.strings.Count()))
                cell.type = CellType::Empty;
        }
        for (auto& [index, row] : sheet->rows) {
            if (!content.styles.ValidXf(row.style))
                row.style = -1;
        }
        for (auto& [index, col] : sheet->cols) {
            if (!content.styles.ValidXf(col.style))
                col.style = -1;
        }
        cells += sheet->cells.size();
        if (cells > kMaxTemplateCells) {
            error = "the template has too many cells";
            return false;
        }
        content.sheets.push_back(std::move(sheet));
    }
    if (content.sheets.empty()) {
        error = "the template has no sheets";
        return false;
    }
    for (pugi::xml_node n : book.child("definedNames").children("definedName")) {
        const pugi::xml_attribute local = n.attribute("localSheetId");
        const int index = local.as_int(-1);
        if (local && index >= 0 && index < static_cast<int>(content.sheets.size()))
            content.sheets[index]->names.push_back(
                {n.attribute("name").value(), SplitNameRanges(n.child_value())});
    }
    return true;
}

}  // namespace xlsx
