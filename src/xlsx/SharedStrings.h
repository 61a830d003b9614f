#pragma once

#include <pugixml.hpp>
#include <string>
#include <unordered_map>
#include <vector>

namespace xlsx {

// The text of a string item as it shows in the cell: the runs of rich text joined, phonetic
// guides left out.
std::string FlattenText(pugi::xml_node item);

// The shared strings of a workbook. Template items are kept as they stand (rich text included);
// texts the program writes are added once each.
class SharedStrings
{
public:
    // Takes the string table of a template; false when it is not one.
    bool Load(const pugi::xml_document& doc, std::string& error);
    int Count() const { return static_cast<int>(m_items.size()); }
    const std::string& Text(int index) const;
    // Index of a plain text item, added when new.
    int Add(const std::string& text);
    std::string Serialize(int references) const;

private:
    struct Item
    {
        std::string xml;  // <si>…</si> of a template item; empty for a plain text added here
        std::string text;
    };
    std::vector<Item> m_items;
    std::unordered_map<std::string, int> m_plain;
};

}  // namespace xlsx
