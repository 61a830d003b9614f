#pragma once

#include <QString>
#include <string_view>

namespace fe::cad {

// Reads bytes of code page 932 as text.
QString Cp932ToWide(std::string_view bytes);

// A handle number as uppercase hexadecimal without leading zeros or prefix (11 gives "B").
QString HandleText(int handle);

// Compares two texts with only the letters A-Z folded to lower case, whatever the user's locale.
bool EqualsIgnoreCase(const QString& a, const QString& b);

}  // namespace fe::cad
