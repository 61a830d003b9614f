#pragma once

#include <QString>

namespace app {

// The program's profile (window placement, show command, recent files): an INI file in the program's
// writable folder, so that each installation, and each test run, keeps its own.
QString ProfilePath();

}  // namespace app
