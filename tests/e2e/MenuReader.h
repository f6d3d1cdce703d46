#pragma once
#include <windows.h>

#include <vector>

class BytraneApp;

// The look of one drop-down menu item as drawn on the screen.
struct MenuItemLook {
    bool separator;
    bool grayed;
    bool checked;
};

// Where the items of the File and Search menus stand as drawn, separators counted; the last
// name of each is the number of items.
enum FileMenuItem : size_t { OpenItem, SaveItem, SaveAsItem, AllowEditingItem = 4, ExitItem = 6, FileMenuItems };
enum SearchMenuItem : size_t { TopItem, BottomItem, FindTextItem = 3, FindHexItem, FindNextItem = 6, SearchMenuItems };

// Menus belong to the process that made them and cannot be queried from outside, so the
// state is read the way the user reads it: open the drop-down menu and look at it.
class MenuReader {
public:
    // mnemonic: the underlined letter of the menu bar entry, lower case.
    static std::vector<MenuItemLook> Read(const BytraneApp& app, char mnemonic);
};
