#pragma once

#include <QString>
#include <vector>

namespace app {

// One item of a menu: a command id with its text, a separator (id 0), or the place of the recent-file
// list (id kCmdRecentFirst). The prompt shows in the status bar while the item or its toolbar button is
// under the pointer; the tip is the button's tool tip.
struct MenuItem
{
    int id = 0;
    QString text;
    QString prompt;
    QString tip;
};

struct MenuColumn
{
    QString title;
    std::vector<MenuItem> items;
};

// The main menu, top-level menus in order. "写真位置へ移動" is not in it: the program removes it.
const std::vector<MenuColumn>& MainMenu();
// The main toolbar's commands in order (0 is a separator); the attribution button is added after it.
const std::vector<int>& MainToolbar();
// The menu text of a command of the main menu (without the "Ctrl+" part), or empty.
QString CommandText(int id);

}  // namespace app
