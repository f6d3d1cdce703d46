#include "view/HexView.h"

#include "framework/CenterWindow.h"
#include "framework/PathBuffer.h"

namespace {

const int WheelRows = 16;
const UINT LowWordMask = 0xFFFF;

}  // namespace

HexView::HexView()
    : dialogCharValue(0), editAllowed(0), modified(0), highlightMatch(0), patternIsHex(0), caseSensitive(0),
      charWidth(0), lineHeight(0), visibleColumns(0), pageRows(0), rowCount(0), fileSize(0), topRow(0),
      matchTopRow(0), nextSearchPos(0), lastSearchStart(0), matchStart(0), matchEnd(0), dialogByteValue(0),
      patternLength(0), fileName(new wchar_t[LongestPath]()), host(nullptr), pattern(), document(), scale(),
      dumpFont(ScaledFont::FixedPitch) {
}

HexView::~HexView() {
    document.Release();
    delete[] fileName;
}

void HexView::PreRegisterClass(WNDCLASSA* windowClass) {
    windowClass->style = CS_DBLCLKS;
}

int HexView::OnCreate() {
    BitBltWindow::OnCreate();
    scale = DisplayScale::OfWindow(hwnd);
    MeasureFont();
    ClearBackBuffer();
    CenterWindow(GetParent(hwnd));
    return 1;
}

void HexView::OnDestroy() {
    BitBltWindow::OnDestroy();
    OnDestroyed();
}

void HexView::OnKeyDown(WPARAM wParam, LPARAM) {
    switch (wParam) {
    case VK_PRIOR: Scroll(SB_PAGEUP, 1); break;
    case VK_NEXT: Scroll(SB_PAGEDOWN, 1); break;
    case VK_END: Scroll(SB_BOTTOM, 1); break;
    case VK_HOME: Scroll(SB_TOP, 1); break;
    case VK_UP: Scroll(SB_LINEUP, 1); break;
    case VK_DOWN: Scroll(SB_LINEDOWN, 1); break;
    default: break;
    }
}

void HexView::OnLButtonDblClk(WPARAM, LPARAM lParam) {
    host->OnByteDoubleClick(lParam);
}

void HexView::OnMouseWheel(WPARAM wParam, LPARAM) {
    short delta = static_cast<short>(HIWORD(wParam));
    Scroll(delta > 0 ? ScrollUp16 : ScrollDown16, 1);
}

void HexView::OnPaint() {
    BitBltWindow::OnPaint();
}

void HexView::OnSize(WPARAM, LPARAM lParam) {
    SetClientSize(lParam);
    CountVisibleCells();
    Paint();
}

void HexView::SetScale(const DisplayScale& newScale) {
    scale = newScale;
    MeasureFont();
    CountVisibleCells();
    UpdateScrollBar(SIF_PAGE);
    Paint();
}

void HexView::UpdateScrollBar(UINT mask) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    info.nPage = pageRows;
    info.nPos = topRow;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
}

void HexView::MeasureFont() {
    SelectObject(memoryDC, dumpFont.ForScale(scale));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(memoryDC, &metrics);
    charWidth = metrics.tmAveCharWidth;
    lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
}

void HexView::CountVisibleCells() {
    if (charWidth > 0 && lineHeight > 0) {
        visibleColumns = clientWidth / charWidth;
        pageRows = clientHeight / lineHeight;
    }
}

void HexView::OnVScroll(WPARAM wParam, LPARAM) {
    Scroll(static_cast<UINT>(wParam), 1);
}

const BYTE* HexView::Bytes() const {
    return document.data;
}

void HexView::Paint() {
    int endRow = rowCount < topRow + pageRows + 1 ? rowCount : topRow + pageRows + 1;
    const BYTE* bytes = Bytes();
    char line[DumpLineBufferSize];
    ClearBackBuffer();
    for (int row = topRow; row < endRow; ++row) {
        int count = bytes != nullptr ? BytesInRow(row, rowCount, fileSize) : 0;
        const BYTE* rowBytes = bytes != nullptr ? bytes + row * BytesPerRow : nullptr;
        FormatDumpLine(static_cast<uint32_t>(row) * BytesPerRow, rowBytes, count, line);
        TextOutA(memoryDC, 0, (row - topRow) * lineHeight, line, lstrlenA(line));
    }
    if (highlightMatch && bytes != nullptr) {
        COLORREF saved = SetBackgroundColor(HighlightColor);
        for (int row = topRow; row < endRow; ++row) {
            int rowStart = row * BytesPerRow;
            int count = BytesInRow(row, rowCount, fileSize);
            // Only bytes the row really holds are highlighted, whatever range is stored.
            int rowEnd = rowStart + count;
            if (!(rowStart < matchEnd && matchStart < rowEnd && matchStart < matchEnd)) {
                continue;
            }
            FormatDumpLine(static_cast<uint32_t>(rowStart), bytes + rowStart, count, line);
            int first = (matchStart > rowStart ? matchStart : rowStart) - rowStart;
            int bytesLit = (matchEnd < rowEnd ? matchEnd : rowEnd) - rowStart - first;
            int y = (row - topRow) * lineHeight;
            int hexColumn = HexAreaColumn + 3 * first;
            int textColumn = TextAreaColumn + first;
            TextOutA(memoryDC, hexColumn * charWidth, y, line + hexColumn, 3 * bytesLit - 1);
            TextOutA(memoryDC, textColumn * charWidth, y, line + textColumn, bytesLit);
        }
        SetBackgroundColor(saved);
    }
    BlitToWindow();
}

void HexView::Scroll(UINT command, int repaint) {
    UINT code = command & LowWordMask;
    int target = topRow;
    switch (code) {
    case SB_LINEUP: target -= 1; break;
    case SB_LINEDOWN: target += 1; break;
    case SB_PAGEUP: target -= pageRows; break;
    case SB_PAGEDOWN: target += pageRows; break;
    case SB_THUMBTRACK: {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(hwnd, SB_VERT, &info)) {
            target = info.nTrackPos;
        }
        break;
    }
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = rowCount - 1; break;
    case ScrollToMatch: target = matchTopRow; break;
    case ScrollDown16: target += WheelRows; break;
    case ScrollUp16: target -= WheelRows; break;
    default: break;
    }
    // Compared before clamping, so a request that clamps back to the current row still repaints.
    if (target == topRow) {
        return;
    }
    int lastRow = rowCount - 1;
    if ((lastRow < target ? lastRow : target) < 0) {
        target = 0;
    } else if (target > lastRow) {
        target = lastRow;
    }
    topRow = target;
    if (repaint) {
        Paint();
    }
    UpdateScrollBar(SIF_POS);
}

DumpHit HexView::HitTest(LPARAM position) {
    if (Bytes() == nullptr) {
        return {DumpArea::None, 0};
    }
    return HitTestDump(LOWORD(position), HIWORD(position), charWidth, lineHeight, topRow, fileSize);
}
