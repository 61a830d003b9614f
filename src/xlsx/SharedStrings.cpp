#include "xlsx/SharedStrings.h"

#include <cstring>

#include "xlsx/Styles.h"
#include "xlsx/XmlText.h"

namespace xlsx {
namespace {

constexpr int kMaxItems = 4 << 20;

// Template parts are parsed with their nesting bounded (TemplateXml.h), so the recursion stays shallow.
void AppendRuns(pugi::xml_node node, std::string& out)
{
    for (pugi::xml_node child : node.children()) {
        if (!std::strcmp(child.name(), "t"))
            out += child.child_value();
        else if (!std::strcmp(child.name(), "r"))
            AppendRuns(child, out);
    }
}

}  // namespace

std::string FlattenText(pugi::xml_node item)
{
    std::string text;
    AppendRuns(item, text);
    return text;
}

bool SharedStrings::Load(const pugi::xml_document& doc, std::string& error)
{
    if (!doc.child("sst")) {
        error = "the shared strings are damaged";
        return false;
    }
    for (pugi::xml_node si : doc.child("sst").children("si")) {
        if (Count() >= kMaxItems) {
            error = "too many shared strings";
            return false;
        }
        m_items.push_back({NodeText(si), FlattenText(si)});
    }
    return true;
}

const std::string& SharedStrings::Text(int index) const
{
    static const std::string empty;
    return index >= 0 && index < Count() ? m_items[index].text : empty;
}

int SharedStrings::Add(const std::string& text)
{
    const auto [it, added] = m_plain.emplace(text, Count());
    if (added)
        m_items.push_back({std::string(), text});
    return it->second;
}

std::string SharedStrings::Serialize(int references) const
{
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
        std::to_string(references) + "\" uniqueCount=\"" + std::to_string(m_items.size()) + "\">";
    for (const Item& item : m_items) {
        if (!item.xml.empty()) {
            out += item.xml;
            continue;
        }
        out += NeedsPreserve(item.text) ? "<si><t xml:space=\"preserve\">" : "<si><t>";
        AppendEscaped(out, item.text);
        out += "</t></si>";
    }
    out += "</sst>";
    return out;
}

}  // namespace xlsx
