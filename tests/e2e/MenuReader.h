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

// Menus belong to the process that made them and cannot be queried from outside, so the
// state is read the way the user reads it: open the drop-down menu and look at it.
class MenuReader {
public:
    // mnemonic: the underlined letter of the menu bar entry, lower case.
    static std::vector<MenuItemLook> Read(const BytraneApp& app, char mnemonic);
};
