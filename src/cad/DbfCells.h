#pragma once

#include <string>
#include <string_view>

#include "cad/ShapeData.h"

namespace fe {

// The length of the longest start of the code page 932 bytes that fits into `limit` bytes without
// splitting a two-byte character.
std::size_t Cp932PrefixLength(std::string_view bytes, std::size_t limit);

// The bytes of one attribute cell, exactly the field's width long:
// C the value (code page 932 bytes) cut at a character boundary and padded with spaces;
// D the value without '/' and '-', cut and padded with '0' (empty: "00000000");
// N, F the value read as a decimal number and written in fixed notation with the field's decimals,
//   right-aligned (empty: spaces; too long for the field: '*' in every byte);
// L the value's first character when it is one of TFYN (either case), else '?'.
// False when a numeric cell holds text that is not a number.
bool FormatDbfCell(const DbfFieldDescriptor& field, const std::string& value, std::string& cell);

}  // namespace fe
