#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace xlsx {

// Text as it may go into a cell: valid UTF-8, "\r\n" and lone "\r" turned into "\n", characters that
// XML 1.0 forbids (controls other than tab and line feed, U+FFFE, U+FFFF, invalid or surrogate
// sequences) removed, and cut after the 32767 UTF-16 units a spreadsheet cell can hold.
std::string CleanCellText(std::string_view text);

// Escapes &, <, > (and " for attribute values) and appends to out.
void AppendEscaped(std::string& out, std::string_view text, bool attribute = false);
std::string Escaped(std::string_view text, bool attribute = false);

// True when the text starts or ends with a blank, so that <t> needs xml:space="preserve".
bool NeedsPreserve(std::string_view text);

// The shortest decimal text that reads back as exactly the same double ("139", "35.123456789").
std::string NumberText(double value);

// Reads a number written by NumberText or by another writer; false when the text is not a number.
bool ParseNumber(std::string_view text, double& value);

}  // namespace xlsx
