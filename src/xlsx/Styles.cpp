#include "xlsx/Styles.h"

#include <algorithm>
#include <sstream>

#include "xlsx/XmlText.h"

namespace xlsx {
namespace {

const std::vector<const char*> kFontOrder = {"b",       "i",      "strike", "condense",  "extend",
                                             "outline", "shadow", "u",      "vertAlign", "sz",
                                             "color",   "name",   "family", "charset",   "scheme"};
const std::vector<const char*> kXfOrder = {"alignment", "protection", "extLst"};

// Number formats every spreadsheet program knows by id.
const std::map<std::string, int>& BuiltinFormats()
{
    static const std::map<std::string, int> formats = {{"General", 0}, {"0", 1},        {"0.00", 2},
                                                       {"#,##0", 3},   {"#,##0.00", 4}, {"0%", 9},
                                                       {"0.00%", 10},  {"@", 49}};
    return formats;
}

// Format ids are kept in 16 bits by spreadsheet programs; custom ones start above the built-in ones.
constexpr long long kMaxFormatId = 0xFFFF;
constexpr int kFirstCustomFormatId = 164;

bool ValidFormatId(pugi::xml_attribute id)
{
    const long long value = id.as_llong(-1);
    return value >= 0 && value <= kMaxFormatId && std::to_string(value) == id.value();
}

std::string ChildrenText(pugi::xml_node root, const char* name)
{
    const pugi::xml_node node = root.child(name);
    return node ? NodeText(node) : std::string();
}

}  // namespace

std::string NodeText(pugi::xml_node node)
{
    std::ostringstream out;
    node.print(out, "", pugi::format_raw | pugi::format_no_declaration);
    return out.str();
}

pugi::xml_node OrderedChild(pugi::xml_node node, const char* name, const std::vector<const char*>& order)
{
    if (pugi::xml_node existing = node.child(name))
        return existing;
    const auto rank = [&](const char* n) {
        const auto it =
            std::find_if(order.begin(), order.end(), [&](const char* o) { return std::string(o) == n; });
        return static_cast<int>(it - order.begin());
    };
    const int mine = rank(name);
    for (pugi::xml_node child : node.children()) {
        if (rank(child.name()) > mine)
            return node.insert_child_before(name, child);
    }
    return node.append_child(name);
}

int Styles::Table::Intern(const std::string& xml)
{
    const auto [it, added] = index.emplace(xml, static_cast<int>(items.size()));
    if (added)
        items.push_back(xml);
    return it->second;
}

void Styles::InitDefault(const std::string& fontName, double fontPoint)
{
    *this = Styles();
    m_fonts.Intern("<font><sz val=\"" + NumberText(fontPoint) + "\"/><name val=\"" + Escaped(fontName, true) +
                   "\"/><family val=\"3\"/><charset val=\"128\"/></font>");
    m_fills.Intern("<fill><patternFill patternType=\"none\"/></fill>");
    m_fills.Intern("<fill><patternFill patternType=\"gray125\"/></fill>");
    m_borders.Intern("<border><left/><right/><top/><bottom/><diagonal/></border>");
    m_xfs.Intern("<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>");
    m_cellStyleXfs =
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
        "borderId=\"0\"/></cellStyleXfs>";
    m_cellStyles =
        "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>";
}

bool Styles::Load(pugi::xml_document& doc)
{
    *this = Styles();
    const pugi::xml_node root = doc.child("styleSheet");
    if (!root)
        return false;
    // Entries kept as they stand may carry attributes of other namespaces (a cell style's revision
    // id); their declarations go with them.
    for (pugi::xml_attribute a : root.attributes()) {
        const std::string name = a.name();
        if (name.rfind("xmlns:", 0) == 0 || name == "mc:Ignorable")
            m_rootAttributes += " " + name + "=\"" + Escaped(a.value(), true) + "\"";
    }
    for (pugi::xml_node f : root.child("numFmts").children("numFmt")) {
        if (ValidFormatId(f.attribute("numFmtId")))
            m_numFmts[f.attribute("numFmtId").as_int()] = f.attribute("formatCode").value();
    }
    for (const char* group : {"cellStyleXfs", "cellXfs"}) {
        for (pugi::xml_node xf : root.child(group).children("xf")) {
            if (pugi::xml_attribute id = xf.attribute("numFmtId"); id && !ValidFormatId(id))
                id = 0;
        }
    }
    // Template entries keep their positions even when two are equal.
    const auto load = [&](Table& table, const char* group, const char* item) {
        for (pugi::xml_node n : root.child(group).children(item)) {
            const std::string text = NodeText(n);
            table.index.emplace(text, static_cast<int>(table.items.size()));
            table.items.push_back(text);
        }
    };
    load(m_fonts, "fonts", "font");
    load(m_fills, "fills", "fill");
    load(m_borders, "borders", "border");
    load(m_xfs, "cellXfs", "xf");
    m_cellStyleXfs = ChildrenText(root, "cellStyleXfs");
    m_cellStyles = ChildrenText(root, "cellStyles");
    m_dxfs = ChildrenText(root, "dxfs");
    m_tableStyles = ChildrenText(root, "tableStyles");
    m_colors = ChildrenText(root, "colors");
    if (m_fonts.items.empty() || m_xfs.items.empty())
        return false;
    if (m_fills.items.empty()) {
        m_fills.Intern("<fill><patternFill patternType=\"none\"/></fill>");
        m_fills.Intern("<fill><patternFill patternType=\"gray125\"/></fill>");
    }
    if (m_borders.items.empty())
        m_borders.Intern("<border><left/><right/><top/><bottom/><diagonal/></border>");
    return true;
}

std::string Styles::Serialize() const
{
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"" +
        m_rootAttributes + ">";
    if (!m_numFmts.empty()) {
        out += "<numFmts count=\"" + std::to_string(m_numFmts.size()) + "\">";
        for (const auto& [id, code] : m_numFmts)
            out += "<numFmt numFmtId=\"" + std::to_string(id) + "\" formatCode=\"" + Escaped(code, true) +
                   "\"/>";
        out += "</numFmts>";
    }
    const auto group = [&](const char* name, const Table& table) {
        out += std::string("<") + name + " count=\"" + std::to_string(table.items.size()) + "\">";
        for (const std::string& item : table.items)
            out += item;
        out += std::string("</") + name + ">";
    };
    group("fonts", m_fonts);
    group("fills", m_fills);
    group("borders", m_borders);
    out += m_cellStyleXfs.empty() ? "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
                                    "borderId=\"0\"/></cellStyleXfs>"
                                  : m_cellStyleXfs;
    group("cellXfs", m_xfs);
    out += m_cellStyles + m_dxfs + m_tableStyles + m_colors;
    out += "</styleSheet>";
    return out;
}

std::string Styles::DefaultFontName() const
{
    pugi::xml_document doc;
    doc.load_string(m_fonts.items.front().c_str());
    return doc.first_child().child("name").attribute("val").value();
}

double Styles::DefaultFontPoint() const
{
    pugi::xml_document doc;
    doc.load_string(m_fonts.items.front().c_str());
    return doc.first_child().child("sz").attribute("val").as_double(11);
}

int Styles::Derive(int xf, const std::string& key, const std::function<void(pugi::xml_node)>& change)
{
    if (!ValidXf(xf))
        xf = 0;
    const auto cached = m_derived.find({xf, key});
    if (cached != m_derived.end())
        return cached->second;
    pugi::xml_document doc;
    doc.load_string(m_xfs.items[xf].c_str());
    const pugi::xml_node node = doc.first_child();
    change(node);
    const int result = m_xfs.Intern(NodeText(node));
    m_derived[{xf, key}] = result;
    return result;
}

int Styles::WithNumberFormat(int xf, const std::string& code)
{
    return Derive(xf, "numFmt:" + code, [&](pugi::xml_node node) {
        int id = -1;
        const auto builtin = BuiltinFormats().find(code);
        if (builtin != BuiltinFormats().end())
            id = builtin->second;
        for (const auto& [existing, text] : m_numFmts) {
            if (text == code)
                id = existing;
        }
        if (id < 0) {
            // The lowest free custom id: template ids may leave gaps or reach the top of the range.
            id = kFirstCustomFormatId;
            while (m_numFmts.count(id))
                ++id;
            if (id > kMaxFormatId)
                id = 0;
            else
                m_numFmts[id] = code;
        }
        node.remove_attribute("numFmtId");
        node.prepend_attribute("numFmtId") = id;
        if (!node.attribute("applyNumberFormat"))
            node.append_attribute("applyNumberFormat");
        node.attribute("applyNumberFormat") = 1;
    });
}

int Styles::WithPart(int xf, const std::string& key, Table& table, const char* element, const char* idAttr,
                     const char* applyAttr, const Edit& edit)
{
    return Derive(xf, std::string(element) + ":" + key, [&](pugi::xml_node node) {
        const int id = node.attribute(idAttr).as_int(0);
        pugi::xml_document part;
        part.load_string(table.items[id >= 0 && id < static_cast<int>(table.items.size()) ? id : 0].c_str());
        if (!part.first_child())
            part.append_child(element);
        edit(part.first_child());
        const int newId = table.Intern(NodeText(part.first_child()));
        if (!node.attribute(idAttr))
            node.append_attribute(idAttr);
        node.attribute(idAttr) = newId;
        if (!node.attribute(applyAttr))
            node.append_attribute(applyAttr);
        node.attribute(applyAttr) = 1;
    });
}

int Styles::WithFont(int xf, const std::string& key, const Edit& edit)
{
    return WithPart(xf, key, m_fonts, "font", "fontId", "applyFont", [&](pugi::xml_node font) {
        edit(font);
        // Put the children back in the order the format prescribes.
        pugi::xml_document sorted;
        pugi::xml_node out = sorted.append_child("font");
        for (const char* name : kFontOrder) {
            if (pugi::xml_node child = font.child(name))
                out.append_copy(child);
        }
        while (font.first_child())
            font.remove_child(font.first_child());
        for (pugi::xml_node child : out.children())
            font.append_copy(child);
    });
}

int Styles::WithFill(int xf, const std::string& key, const Edit& edit)
{
    return WithPart(xf, key, m_fills, "fill", "fillId", "applyFill", edit);
}

int Styles::WithBorder(int xf, const std::string& key, const Edit& edit)
{
    return WithPart(xf, key, m_borders, "border", "borderId", "applyBorder", edit);
}

int Styles::WithAlignment(int xf, const std::string& key, const Edit& edit)
{
    return Derive(xf, "alignment:" + key, [&](pugi::xml_node node) {
        edit(OrderedChild(node, "alignment", kXfOrder));
        if (!node.attribute("applyAlignment"))
            node.append_attribute("applyAlignment");
        node.attribute("applyAlignment") = 1;
    });
}

}  // namespace xlsx
