#pragma once
#include <windows.h>

#include <string>
#include <vector>

class ScreenImage;

// Reads the dump back from the screen: the view draws in the stock fixed font, so every cell
// is compared with that font's glyphs as drawn in this process on the same display.
class DumpReader {
public:
    DumpReader();

    int CellWidth() const { return cellWidth; }
    int CellHeight() const { return cellHeight; }
    // The characters of one visible row, trailing blanks removed.
    std::string Row(const ScreenImage& view, int row) const;
    COLORREF CellBackground(const ScreenImage& view, int column, int row) const;
    bool RowHasInk(const ScreenImage& view, int row) const;

private:
    using Mask = std::vector<bool>;
    Mask CellMask(const ScreenImage& view, int column, int row) const;
    char Recognise(const Mask& cell) const;

    int cellWidth = 0;
    int cellHeight = 0;
    std::vector<std::pair<char, Mask>> glyphs;
};
