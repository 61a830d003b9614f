#include "xlsx/TemplateXml.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_set>

namespace xlsx {
namespace {

// What the part parses into, within a factor of two: every element, comment or text run begins at or
// ends before an opening '<' (end tags are not counted), and every attribute has its '='.
std::size_t MarkupOf(const std::string& xml)
{
    std::size_t markup = static_cast<std::size_t>(std::count(xml.begin(), xml.end(), '='));
    for (std::size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1)) {
        if (at + 1 == xml.size() || xml[at + 1] != '/')
            ++markup;
    }
    return markup;
}

bool SeenBefore(pugi::xml_node element, pugi::xml_attribute attribute)
{
    for (pugi::xml_attribute a = element.first_attribute(); a != attribute; a = a.next_attribute()) {
        if (!std::strcmp(a.name(), attribute.name()))
            return true;
    }
    return false;
}

void DropRepeatedAttributes(pugi::xml_node element)
{
    // Elements of sound parts carry a few attributes: compared pairwise without allocating.
    constexpr std::size_t kPairwise = 16;
    std::size_t count = 0;
    for (pugi::xml_attribute a = element.first_attribute(); a && count <= kPairwise; a = a.next_attribute())
        ++count;
    std::unordered_set<std::string_view> seen;
    for (pugi::xml_attribute a = element.first_attribute(); a;) {
        const pugi::xml_attribute next = a.next_attribute();
        if (count <= kPairwise ? SeenBefore(element, a) : !seen.insert(a.name()).second)
            element.remove_attribute(a);
        a = next;
    }
}

// Walks the tree without recursion, however deep it is.
bool TidyTree(pugi::xml_document& doc)
{
    int depth = 0;
    for (pugi::xml_node node = doc.first_child(); node;) {
        if (node.type() == pugi::node_element) {
            if (depth > kMaxTemplateDepth)
                return false;
            DropRepeatedAttributes(node);
        }
        if (const pugi::xml_node child = node.first_child()) {
            node = child;
            ++depth;
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        if (node)
            node = node.next_sibling();
    }
    return true;
}

}  // namespace

bool ParseTemplatePart(const std::string& xml, const std::string& name, pugi::xml_document& doc,
                       MarkupBudget& budget, std::string& error)
{
    const std::size_t markup = MarkupOf(xml);
    if (markup > budget.left) {
        error = "the template holds more markup than any template needs (" + name + ")";
        return false;
    }
    budget.left -= markup;
    if (!doc.load_buffer(xml.data(), xml.size())) {
        error = "the part " + name + " is not well-formed";
        return false;
    }
    if (!TidyTree(doc)) {
        error = "the part " + name + " nests its elements too deeply";
        return false;
    }
    return true;
}

}  // namespace xlsx
