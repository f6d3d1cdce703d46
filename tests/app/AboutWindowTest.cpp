#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "app/AboutWindow.h"
#include "app/FontSpec.h"
#include "app/Globals.h"
#include "app/MessageBoxButtons.h"
#include "app/ResourceIds.h"
#include "tests/support/BoxColours.h"
#include "tests/support/DisplayMetrics.h"
#include "tests/support/ModalBoxTest.h"
#include "tests/support/ResourceCounter.h"

namespace {

RECT windowSeen;
RECT linkSeen;
bool linkExists;
bool cornerInRegion;
bool centreInRegion;

void RecordLayout() {
    GetWindowRect(aboutWindow.hwnd, &windowSeen);
    linkExists = aboutWindow.linkCreated == 1 && IsWindow(aboutWindow.linkButton.hwnd);
    if (linkExists) {
        GetWindowRect(aboutWindow.linkButton.hwnd, &linkSeen);
        MapWindowPoints(nullptr, aboutWindow.hwnd, reinterpret_cast<POINT*>(&linkSeen), 2);
    }
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    bool hasRegion = GetWindowRgn(aboutWindow.hwnd, region) != ERROR;
    cornerInRegion = hasRegion && PtInRegion(region, 3, 3);
    centreInRegion = hasRegion && PtInRegion(region, aboutWindow.regionWidth / 2, aboutWindow.regionHeight / 2);
    DeleteObject(region);
}

void ClickLink() {
    PostMessageA(aboutWindow.linkButton.hwnd, BM_CLICK, 0, 0);
}

void RecordAndClickLink() {
    RecordLayout();
    ClickLink();
}

void RecordAndPressEnter() {
    RecordLayout();
    PostMessageA(messageBoxButtons[0].hwnd, WM_KEYDOWN, VK_RETURN, 1);
}

void PressOk() {
    PostMessageA(messageBoxButtons[0].hwnd, BM_CLICK, 0, 0);
}

class AboutWindowTest : public ModalBoxTest {
protected:
    HWND Box() const override { return aboutWindow.hwnd; }

    int RunAbout(AboutWindow& about, HWND boxOwner, Step step, const char* text, const wchar_t* link) {
        return RunWithSteps({step}, [&] {
            return about.Run(boxOwner, text, link, 0, MAKEINTRESOURCEA(IDI_BYTRANE), BoxTextColour, BoxFaceColour,
                             BoxShadowColour);
        });
    }
};

TEST_F(AboutWindowTest, IsAnEllipseWithItsLinkOneLineBelowTheText) {
    struct Case {
        const char* name;
        const char* text;
        const wchar_t* link;
        Step step;
        int lines;
        int extraLines;
    };
    const Case cases[] = {
        {"the program's own", AboutText, AboutLink, RecordAndClickLink, 2, 10},
        {"one line", "Bytrane", L"https://bytrane.example.org/a", RecordAndClickLink, 1, 10},
        {"no link", AboutText, L"", RecordAndPressEnter, 2, 8},
    };
    int lineHeight = DisplayMetrics::Measure().lineHeight;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IDOK, RunAbout(aboutWindow, owner, c.step, c.text, c.link));
        ExpectClosedCleanly();
        EXPECT_EQ(c.lines, aboutWindow.lineCount);
        EXPECT_EQ(aboutWindow.maxLineWidth + 4 * aboutWindow.maxCharWidth + 1, windowSeen.right - windowSeen.left);
        EXPECT_EQ((c.lines + c.extraLines) * lineHeight + 1, windowSeen.bottom - windowSeen.top);
        EXPECT_FALSE(cornerInRegion);
        EXPECT_TRUE(centreInRegion);
        const bool hasLink = c.link[0] != L'\0';
        ASSERT_EQ(hasLink, linkExists);
        if (hasLink) {
            int width = linkSeen.right - linkSeen.left;
            EXPECT_GT(width, 0);
            EXPECT_EQ((aboutWindow.regionWidth - width) / 2, linkSeen.left);
            EXPECT_EQ(2 * lineHeight + 32 + (c.lines + 1) * lineHeight, linkSeen.top);
        }
    }
}

TEST_F(AboutWindowTest, TheOkButtonClosesItWithResultOne) {
    EXPECT_EQ(IDOK, RunAbout(aboutWindow, owner, PressOk, AboutText, AboutLink));
    ExpectClosedCleanly();
}

TEST_F(AboutWindowTest, TheLinkEntersOneSingleThreadedApartmentForTheProcess) {
    RunAbout(aboutWindow, owner, ClickLink, AboutText, AboutLink);
    RunAbout(aboutWindow, owner, ClickLink, AboutText, AboutLink);
    // S_FALSE: in a single-threaded apartment; S_OK once one entry is undone: entered once in all.
    EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

TEST_F(AboutWindowTest, RepeatedBoxesKeepOneLinkFont) {
    const int runs = 20;
    RunAbout(aboutWindow, owner, ClickLink, AboutText, AboutLink);

    int before = CountGdiObjects();
    ExpectCountersSeeALeak();

    for (int i = 0; i < runs; ++i) {
        EXPECT_EQ(IDOK, RunAbout(aboutWindow, owner, ClickLink, AboutText, AboutLink));
    }
    ExpectClosedCleanly();
    EXPECT_EQ(before, CountGdiObjects());
}

TEST_F(AboutWindowTest, TheLinkFontGoesWithItsBox) {
    // The first box of a process makes the system load icons and fonts it keeps for good.
    EXPECT_EQ(IDOK, RunAbout(aboutWindow, owner, PressOk, AboutText, AboutLink));
    int before = CountGdiObjects();
    {
        AboutWindow about;
        EXPECT_EQ(IDOK, RunAbout(about, owner, PressOk, AboutText, AboutLink));
        EXPECT_NE(nullptr, about.linkFont.font);
    }
    EXPECT_EQ(before, CountGdiObjects());
}

TEST(FontSpecTest, CreatingAgainReplacesTheFontAndReleaseDeletesIt) {
    HDC info = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    int before = CountGdiObjects();
    FontSpec fontSpec;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(1, fontSpec.Create(info, "MS Sans Serif", 12, 144));  // the window's DPI, not the screen's
    }
    EXPECT_EQ(before + 1, CountGdiObjects());
    LOGFONTA made;
    ASSERT_NE(0, GetObjectA(fontSpec.font, sizeof made, &made));
    EXPECT_EQ(-24, made.lfHeight);
    EXPECT_STREQ("MS Sans Serif", made.lfFaceName);
    EXPECT_GT(fontSpec.lineHeight, 0);
    fontSpec.Release();
    EXPECT_EQ(nullptr, fontSpec.font);
    EXPECT_EQ(before, CountGdiObjects());
    DeleteDC(info);
}

}  // namespace
