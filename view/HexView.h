#pragma once
#include "framework/DisplayScale.h"
#include "framework/ScaledFont.h"
#include "view/BitBltWindow.h"
#include "view/Document.h"
#include "view/DumpLine.h"
#include "view/ViewHost.h"

// Codes accepted by HexView::Scroll: the scroll bar's own codes 0..7 and three internal ones.
enum ScrollCommand {
    ScrollToMatch = 1124,
    ScrollDown16 = 1125,
    ScrollUp16 = 1126,
};

const COLORREF HighlightColor = 0x0000FFFF;
const int PatternSize = 22;

// The dump view, and the holder of everything that belongs to the open document. Search and
// EditByteAt are defined by the search layer, which builds on the view.
class HexView : public BitBltWindow {
public:
    HexView();
    ~HexView() override;

    void PreRegisterClass(WNDCLASSA* windowClass) override;
    int OnCreate() override;
    void OnDestroy() override;
    void OnKeyDown(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDblClk(WPARAM wParam, LPARAM lParam) override;
    void OnMouseWheel(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnSize(WPARAM wParam, LPARAM lParam) override;
    void OnVScroll(WPARAM wParam, LPARAM lParam) override;

    void Scroll(UINT command, int repaint);
    void Paint();
    DumpHit HitTest(LPARAM position);
    // Draws the dump for the scale from now on: the font made for it, the cell measured again,
    // the rows that fit and the scroll bar's page from that cell, and a repaint. The top row,
    // the match and the edit state stay.
    void SetScale(const DisplayScale& newScale);

    int LoadFile(const wchar_t* path);
    void OpenFile();
    int Save();
    void SaveAs();
    int WriteToFile(const wchar_t* path);

    // Offset of the first match plus 1 in [start, lastStart], or -1.
    int Search(const BYTE* bytes, DWORD start, DWORD lastStart);
    void FindText();
    void FindHex();
    void FindNext();
    void EditByteAt(LPARAM position);

    BYTE dialogCharValue;
    int editAllowed;
    int modified;
    int highlightMatch;
    int patternIsHex;
    int caseSensitive;
    int charWidth;
    int lineHeight;
    int visibleColumns;
    int pageRows;
    int rowCount;
    int fileSize;
    int topRow;
    int matchTopRow;
    int nextSearchPos;
    DWORD lastSearchStart;
    int matchStart;
    int matchEnd;
    DWORD dialogByteValue;
    DWORD patternLength;
    // The current file's path, as long as the system allows.
    wchar_t* fileName;
    // Set at start-up; everything outside the view is reached through it.
    ViewHost* host;
    char pattern[PatternSize];
    Document document;
    DisplayScale scale;
    ScaledFont dumpFont;

private:
    // Searches the stored pattern from the top; 0 when there is nothing it could be found in.
    int StartSearch();
    // The bytes of the document, or null when none can be read.
    const BYTE* Bytes() const;
    void ShowEmptyDocument();
    // Selects the font of the scale into the back buffer and takes the cell from its metrics.
    void MeasureFont();
    void CountVisibleCells();
    // Gives the scroll bar the view's page (SIF_PAGE) or top row (SIF_POS), as the mask says.
    void UpdateScrollBar(UINT mask);

    // How writing the temporary copy of a save ended.
    enum CopyResult { CopyWritten, CopyNotCreated, CopyNoRoom, CopyFailed };
    CopyResult WriteCopy(const wchar_t* folder, const WIN32_FILE_ATTRIBUTE_DATA* original, wchar_t* temporary);
    int PutCopyInPlace(const wchar_t* temporary, const wchar_t* path, bool existed);
    int WriteOverKeptFile(const wchar_t* temporary, const wchar_t* path);
    int WriteInPlace(const wchar_t* path, bool exists);
    bool Overwrite(HANDLE file);
    bool WriteDocument(HANDLE file, bool* noRoom);
};
