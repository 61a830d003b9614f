#pragma once

#include <functional>
#include <map>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace xlsx {

// The style table of a workbook: fonts, fills, borders, number formats and cell formats (xf). Entries
// are kept as canonical XML text, so that an entry built twice is stored once. Template entries
// keep their indices; attribute changes append new entries and never alter an existing one, since
// other cells share it.
class Styles
{
public:
    // The table of a new workbook: one default font of the given face and size.
    void InitDefault(const std::string& fontName, double fontPoint);
    // Takes the style sheet of a template; false when it is not a style sheet. Number formats with ids
    // outside the range spreadsheet programs keep are left out, and cell formats naming such an id
    // take the general format.
    bool Load(pugi::xml_document& doc);
    std::string Serialize() const;

    int XfCount() const { return static_cast<int>(m_xfs.items.size()); }
    bool ValidXf(int xf) const { return xf >= 0 && xf < XfCount(); }

    // A cell format equal to xf but with the given number format.
    int WithNumberFormat(int xf, const std::string& code);
    // A cell format equal to xf with its font, fill, border or alignment changed by edit. The key
    // names the change so that the result is remembered for the next cell with the same xf.
    using Edit = std::function<void(pugi::xml_node)>;
    int WithFont(int xf, const std::string& key, const Edit& edit);
    int WithFill(int xf, const std::string& key, const Edit& edit);
    int WithBorder(int xf, const std::string& key, const Edit& edit);
    int WithAlignment(int xf, const std::string& key, const Edit& edit);

    // The default font of the workbook (the first one), for drawings and width measures.
    std::string DefaultFontName() const;
    double DefaultFontPoint() const;

private:
    struct Table
    {
        std::vector<std::string> items;
        std::map<std::string, int> index;
        int Intern(const std::string& xml);
    };
    int Derive(int xf, const std::string& key, const std::function<void(pugi::xml_node)>& change);
    int WithPart(int xf, const std::string& key, Table& table, const char* element, const char* idAttr,
                 const char* applyAttr, const Edit& edit);

    Table m_fonts, m_fills, m_borders, m_xfs;
    std::map<int, std::string> m_numFmts;  // id -> format code, custom ids only
    std::string m_cellStyleXfs, m_cellStyles, m_dxfs, m_tableStyles, m_colors;
    std::string m_rootAttributes;  // namespace declarations of the template's style sheet
    std::map<std::pair<int, std::string>, int> m_derived;
};

// Inserts or returns the child element of node called name, keeping the children in the given
// order (the order the file format prescribes).
pugi::xml_node OrderedChild(pugi::xml_node node, const char* name, const std::vector<const char*>& order);

// Canonical one-line XML text of a node.
std::string NodeText(pugi::xml_node node);

}  // namespace xlsx
