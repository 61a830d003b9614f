#pragma once

#include <cstddef>
#include <pugixml.hpp>
#include <string>

namespace xlsx {

// What the parts of one template may cost once parsed. Bytes alone do not bound it: a part of tiny
// elements compresses to almost nothing and takes many times its size as a tree. Every element and
// every attribute of the parts read counts against one allowance, checked before a part is parsed,
// so that the largest tree stays near 64 MB. Sound templates use a small share of it: a cell with
// its value and format takes five, a style sheet a few thousand.
constexpr std::size_t kMaxTemplateMarkup = 500'000;
// Elements of a sound part nest a few levels deep; far deeper nesting is refused.
constexpr int kMaxTemplateDepth = 100;

struct MarkupBudget
{
    std::size_t left = kMaxTemplateMarkup;
};

// Parses one part of a template. False with an error text when the part would pass what is left of
// the budget, is not well-formed, or nests deeper than kMaxTemplateDepth. An attribute repeated on
// one element (which the parser keeps) is dropped after its first occurrence, so that whatever is
// copied from the part stays well-formed.
bool ParseTemplatePart(const std::string& xml, const std::string& name, pugi::xml_document& doc,
                       MarkupBudget& budget, std::string& error);

}  // namespace xlsx
