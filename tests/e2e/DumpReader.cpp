#include "DumpReader.h"

#include <algorithm>
#include <map>

#include "ScreenImage.h"

namespace {

const char FirstPrintable = 0x20;
const char LastPrintable = 0x7E;
const int InkThreshold = 3 * 0x60;  // sum of channels below this is text, not background
const char Unrecognised = '?';
const int RowColumns = 74;
const WORD GlyphBitsPerPixel = 32;
const int MaxGlyphDistance = 12;

bool IsInk(COLORREF colour) {
    return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < InkThreshold;
}

}  // namespace

DumpReader::DumpReader() {
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, GetStockObject(SYSTEM_FIXED_FONT));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(memory, &metrics);
    cellWidth = metrics.tmAveCharWidth;
    cellHeight = metrics.tmHeight + metrics.tmExternalLeading;

    // Drawn at the screen's colour depth, so the glyphs are smoothed exactly as in the view.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = cellWidth;
    info.bmiHeader.biHeight = -cellHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = GlyphBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SetTextColor(memory, RGB(0, 0, 0));
    SetBkColor(memory, RGB(255, 255, 255));
    SetBkMode(memory, OPAQUE);
    for (char c = FirstPrintable; c <= LastPrintable; ++c) {
        TextOutA(memory, 0, 0, &c, 1);
        GdiFlush();
        const DWORD* pixels = static_cast<const DWORD*>(bits);
        Mask mask(cellWidth * cellHeight);
        for (int i = 0; i < cellWidth * cellHeight; ++i) {
            const DWORD bgr = pixels[i];
            mask[i] = IsInk(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
        }
        glyphs.emplace_back(c, mask);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

DumpReader::Mask DumpReader::CellMask(const ScreenImage& view, int column, int row) const {
    Mask mask(cellWidth * cellHeight);
    for (int y = 0; y < cellHeight; ++y) {
        for (int x = 0; x < cellWidth; ++x) {
            mask[y * cellWidth + x] = IsInk(view.Pixel(column * cellWidth + x, row * cellHeight + y));
        }
    }
    return mask;
}

char DumpReader::Recognise(const Mask& cell) const {
    // Smoothing blends the edges of a glyph with its background, so a highlighted cell can
    // differ from the reference in a few edge pixels: the closest glyph wins.
    char best = Unrecognised;
    int bestDistance = MaxGlyphDistance + 1;
    for (const auto& glyph : glyphs) {
        int distance = 0;
        for (size_t i = 0; i < cell.size(); ++i) {
            distance += cell[i] != glyph.second[i];
        }
        if (distance < bestDistance) {
            best = glyph.first;
            bestDistance = distance;
        }
    }
    return best;
}

std::string DumpReader::Row(const ScreenImage& view, int row) const {
    std::string text;
    for (int column = 0; column < RowColumns; ++column) {
        text += Recognise(CellMask(view, column, row));
    }
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

COLORREF DumpReader::CellBackground(const ScreenImage& view, int column, int row) const {
    // Glyphs cover less than half of any cell, so the most common colour is the background.
    std::map<COLORREF, int> counts;
    for (int y = 0; y < cellHeight; ++y) {
        for (int x = 0; x < cellWidth; ++x) {
            ++counts[view.Pixel(column * cellWidth + x, row * cellHeight + y)];
        }
    }
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })->first;
}

bool DumpReader::RowHasInk(const ScreenImage& view, int row) const {
    for (int y = row * cellHeight; y < (row + 1) * cellHeight; ++y) {
        for (int x = 0; x < view.Width(); ++x) {
            if (IsInk(view.Pixel(x, y))) {
                return true;
            }
        }
    }
    return false;
}
