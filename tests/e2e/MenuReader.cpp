#include "MenuReader.h"

#include <algorithm>
#include <map>

#include "BytraneApp.h"
#include "ScreenImage.h"
#include "tests/support/Waiting.h"

namespace {

const char PopupMenuClass[] = "#32768";
const int FrameMargin = 3;
const int ThinBandHeight = 2;
const int SeparatorCoveragePercent = 80;
const int CheckMarkOffset = 3;  // the check mark starts this far left of the item texts

struct Band {
    int top;
    int bottom;
    int widest;
};

int CoveredWidth(const ScreenImage& image, int y, COLORREF background) {
    int covered = 0;
    for (int x = FrameMargin; x < image.Width() - FrameMargin; ++x) {
        covered += image.Pixel(x, y) != background;
    }
    return covered;
}

COLORREF MostCommonColour(const ScreenImage& image) {
    std::map<COLORREF, int> counts;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            ++counts[image.Pixel(x, y)];
        }
    }
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })->first;
}

bool BandContains(const ScreenImage& image, const Band& band, COLORREF colour) {
    for (int y = band.top; y < band.bottom; ++y) {
        for (int x = FrameMargin; x < image.Width() - FrameMargin; ++x) {
            if (image.Pixel(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

int LeftmostDifference(const ScreenImage& image, const Band& band, COLORREF background) {
    for (int x = FrameMargin; x < image.Width() - FrameMargin; ++x) {
        for (int y = band.top; y < band.bottom; ++y) {
            if (image.Pixel(x, y) != background) {
                return x;
            }
        }
    }
    return image.Width();
}

}  // namespace

std::vector<MenuItemLook> MenuReader::Read(const BytraneApp& app, char mnemonic) {
    std::vector<MenuItemLook> items;
    // SC_KEYMENU with a letter opens that drop-down just as Alt and the letter would, but
    // through the program's own queue, so it does not depend on which window has the focus.
    PostMessageA(app.Main(), WM_SYSCOMMAND, SC_KEYMENU, mnemonic);
    HWND popup = app.WaitForWindow(PopupMenuClass, nullptr);
    if (!popup) {
        return items;
    }
    // A menu window is shown before it is painted, and the program answers messages sent to it
    // before it paints, so the menu is read once two looks a moment apart agree.
    ScreenImage image = ScreenImage::OfWindow(popup);
    WaitUntil([&] {
        Sleep(PollIntervalMs);
        app.Settle();
        const ScreenImage previous = image;
        image = ScreenImage::OfWindow(popup);
        return image == previous;
    });
    PostMessageA(app.Main(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(app.Main(), WM_KEYDOWN, VK_ESCAPE, 0);
    WaitUntil([&app] { return !app.HasWindow(PopupMenuClass); });
    app.Settle();

    const COLORREF background = MostCommonColour(image);
    std::vector<Band> bands;
    for (int y = FrameMargin; y < image.Height() - FrameMargin; ++y) {
        const int covered = CoveredWidth(image, y, background);
        if (covered == 0) {
            continue;
        }
        if (!bands.empty() && bands.back().bottom == y) {
            bands.back().bottom = y + 1;
            bands.back().widest = std::max(bands.back().widest, covered);
        } else {
            bands.push_back({y, y + 1, covered});
        }
    }
    // A separator is a thin line across the menu; a thin short mark is the underline of the
    // item text just above it.
    const int innerWidth = image.Width() - 2 * FrameMargin;
    std::vector<Band> itemBands;
    std::vector<bool> separators;
    for (const Band& band : bands) {
        const bool thin = band.bottom - band.top <= ThinBandHeight;
        const bool separator = thin && band.widest * 100 >= innerWidth * SeparatorCoveragePercent;
        if (thin && !separator && !itemBands.empty() && !separators.back()) {
            itemBands.back().bottom = band.bottom;
            continue;
        }
        itemBands.push_back(band);
        separators.push_back(separator);
    }

    const COLORREF text = GetSysColor(COLOR_MENUTEXT);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    std::vector<int> textStarts;
    for (size_t i = 0; i < itemBands.size(); ++i) {
        const Band& band = itemBands[i];
        MenuItemLook item = {separators[i], false, false};
        if (!item.separator) {
            const bool selected = BandContains(image, band, highlight);
            item.grayed = !BandContains(image, band, selected ? highlightText : text);
            textStarts.push_back(selected ? image.Width() : LeftmostDifference(image, band, background));
        }
        items.push_back(item);
    }
    if (textStarts.empty()) {
        return items;
    }
    const int usualStart = *std::max_element(textStarts.begin(), textStarts.end(), [&](int a, int b) {
        return std::count(textStarts.begin(), textStarts.end(), a) < std::count(textStarts.begin(), textStarts.end(), b);
    });
    size_t textIndex = 0;
    for (MenuItemLook& item : items) {
        if (!item.separator) {
            item.checked = textStarts[textIndex++] <= usualStart - CheckMarkOffset;
        }
    }
    return items;
}
