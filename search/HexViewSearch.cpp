// The view's search commands: Find text, Find hex and Find next, and the scan they share.
#include <cstring>

#include "framework/TemplateDialog.h"
#include "search/DialogIds.h"
#include "search/FindDialogs.h"
#include "search/HexPattern.h"
#include "search/Matcher.h"
#include "search/ValueText.h"
#include "search/WaitCursor.h"
#include "view/HexView.h"

namespace {

const char FoundPrefix[] = "Found at:  ";
const int FoundTextSize = sizeof FoundPrefix + ValueTextSize;

}  // namespace

int HexView::Search(const BYTE* bytes, DWORD start, DWORD lastStart) {
    bool fold = caseSensitive == 0 && patternIsHex == 0;
    int64_t found = NoMatch;
    // The hourglass stays until the user can see the outcome: the match scrolled into view, or
    // the file size back in the status bar before "Not found" asks for a click.
    {
        WaitCursor wait;
        uint8_t working[PatternSize];
        DWORD length = patternLength < PatternSize ? patternLength : PatternSize;
        for (DWORD i = 0; i < length; ++i) {
            uint8_t value = static_cast<uint8_t>(pattern[i]);
            working[i] = fold ? FoldByte(value) : value;
        }
        // Never compare beyond the document, whatever the stored positions say.
        bool inside = bytes != nullptr && fileSize > 0 && length > 0 && length <= static_cast<DWORD>(fileSize) &&
                      lastStart <= static_cast<DWORD>(fileSize) - length;
        if (inside) {
            found = FindPattern(bytes, start, lastStart, working, length, fold);
        }
        if (found != NoMatch) {
            int offset = static_cast<int>(found);
            char text[FoundTextSize];
            char number[ValueTextSize];
            FormatOffset(static_cast<uint32_t>(offset), number);
            strcpy(text, FoundPrefix);
            strcat(text, number);
            host->SetStatusPart(StatusPartMessage, text);
            matchStart = offset;
            highlightMatch = 1;
            matchEnd = offset + static_cast<int>(patternLength);
            matchTopRow = MatchTopRow(offset, topRow, pageRows);
            Scroll(ScrollToMatch, 0);
            Paint();
            return offset + 1;
        }
        host->SetStatusMessage(FileSize, static_cast<DWORD>(fileSize));
    }
    host->ShowError("Not found", ProgramCaption);
    highlightMatch = 0;
    Paint();
    return -1;
}

int HexView::StartSearch() {
    if (patternLength == 0 || patternLength > static_cast<DWORD>(fileSize) || Bytes() == nullptr) {
        // Find next must not go on with a pattern the user has replaced.
        nextSearchPos = -1;
        return 0;
    }
    lastSearchStart = static_cast<DWORD>(fileSize) - patternLength;
    Scroll(SB_TOP, 0);
    nextSearchPos = Search(Bytes(), 0, lastSearchStart);
    return 1;
}

void HexView::FindText() {
    if (patternIsHex) {
        findRequest.text[0] = '\0';
    } else {
        memcpy(findRequest.text, pattern, PatternSize);
        findRequest.text[SearchTextSize - 1] = '\0';
    }
    findRequest.caseSensitive = caseSensitive;
    if (RunTemplateDialog(IDD_FIND_TEXT, hwnd, FindTextDialogProc, 0) != 1) {
        return;
    }
    memcpy(pattern, findRequest.text, PatternSize);
    patternIsHex = 0;
    caseSensitive = findRequest.caseSensitive;
    patternLength = static_cast<DWORD>(strlen(pattern));
    StartSearch();
}

void HexView::FindHex() {
    findRequest.text[0] = '\0';
    if (patternIsHex) {
        // The field holds 21 characters: a longer pattern shows its first seven pairs.
        int shown = static_cast<int>(patternLength < MaxShownPatternBytes ? patternLength : MaxShownPatternBytes);
        BytesToHexText(reinterpret_cast<const uint8_t*>(pattern), shown, findRequest.text);
    }
    if (RunTemplateDialog(IDD_FIND_HEX, hwnd, FindHexDialogProc, 0) != 1) {
        return;
    }
    uint8_t bytes[MaxPatternBytes];
    int count = HexTextToBytes(findRequest.text, bytes);
    memset(pattern, 0, PatternSize);
    memcpy(pattern, bytes, static_cast<size_t>(count));
    patternIsHex = 1;
    patternLength = static_cast<DWORD>(count);
    StartSearch();
}

void HexView::FindNext() {
    if (nextSearchPos == -1) {
        return;
    }
    nextSearchPos = Search(Bytes(), static_cast<DWORD>(nextSearchPos), lastSearchStart);
}
