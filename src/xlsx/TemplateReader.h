#pragma once

#include <memory>
#include <string>
#include <vector>

#include "xlsx/SharedStrings.h"
#include "xlsx/Sheet.h"
#include "xlsx/Styles.h"

namespace xlsx {

// What a template workbook gives to the workbooks made from it.
struct TemplateContent
{
    Styles styles;
    SharedStrings strings;
    std::string theme;       // theme part as it stands, or empty
    std::string workbookPr;  // <workbookPr> as it stands (it says which date system the cells use)
    std::vector<std::unique_ptr<Sheet>> sheets;
};

// Reads the package, the workbook, its relationships, styles, shared strings, theme, every worksheet
// and the sheets' local defined names. False with an error text when any of it is missing or broken.
bool ReadTemplate(const std::string& path, TemplateContent& content, std::string& error);

// Splits a defined name's formula "'a b'!$A$1:$B$2,'a b'!$1:$2" into its ranges without sheet names.
std::vector<std::string> SplitNameRanges(const std::string& formula);

}  // namespace xlsx
