#pragma once

#include <climits>

namespace app {

// What an empty table cell or number field stands for, and what a blank value shows as (nothing).
inline constexpr int kBlankInt = INT_MIN;
inline constexpr double kBlankReal = -9e32;

}  // namespace app
