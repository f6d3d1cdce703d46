// Journeys typed on the keyboard alone: the accelerators, the menu's bindings, the system keys,
// and where the keys go once a dialog or a box has closed.
#include "JourneyTest.h"
#include "WindowQuery.h"
#include "tests/support/Waiting.h"
#include "tests/support/WindowClasses.h"

namespace {

const size_t DocumentSize = 64 * 1024;

class KeyboardJourney : public JourneyTest {
protected:
    void SetUp() override {
        if (!BytraneApp::KeyboardReachable()) {
            GTEST_SKIP() << NoInputDesktop;
        }
    }

    void Open() {
        path = folder.Write("typed.bin", Pattern(DocumentSize));
        Start(Quoted(path));
        ASSERT_TRUE(app->Started());
        ASSERT_TRUE(app->BringToFront());
    }

    // Types each character of a text of letters, digits and blanks.
    void TypeText(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) {
            app->TypeKey(static_cast<BYTE>(LOBYTE(VkKeyScanA(*c))));
        }
    }

    // The keys belong to the view again: a typed End or Page Down moves it.
    void ExpectKeysReachTheView(BYTE key) {
        app->Settle();
        const int before = TopRow();
        app->TypeKey(key);
        EXPECT_TRUE(WaitUntil([&] { return TopRow() != before; })) << "the typed key did not scroll the view";
    }

    HWND WaitForDialog() { return app->WaitForWindow(DialogClass, nullptr); }

    // Changes the first byte through its dialog, typed: the new value, then Enter.
    void TypeEdit() {
        app->Command(CmdAllowEditing);
        HWND dialog = DoubleClickByte(0, true);
        ASSERT_NE(nullptr, dialog) << "no byte dialog";
        TypeText("7e");
        app->TypeKey(VK_RETURN);
        ASSERT_TRUE(WaitForWindowGone(dialog));
        ASSERT_TRUE(ShowsStatus(2, "\tModified"));
    }

    std::string path;
};

TEST_F(KeyboardJourney, AltOOpensTheOpenDialogAndEscapeGivesTheKeysBack) {
    Open();
    app->AltKey('O');
    HWND dialog = WaitForDialog();
    ASSERT_NE(nullptr, dialog) << "Alt+O opened no dialog";
    app->TypeKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_TRUE(ShowsTitle("typed.bin - Bytrane"));
    ExpectKeysReachTheView(VK_END);
}

TEST_F(KeyboardJourney, AltFFindsTheTypedTextAndF3TheNextMatch) {
    Open();
    app->AltKey('F');
    HWND dialog = WaitForDialog();
    ASSERT_NE(nullptr, dialog) << "Alt+F opened no dialog";
    TypeText("klm");
    app->TypeKey(VK_RETURN);
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_TRUE(ShowsStatus(0, "Found at:  0000000a"));
    app->TypeKey(VK_F3);
    EXPECT_TRUE(ShowsStatus(0, "Found at:  00000024"));
    ExpectKeysReachTheView(VK_NEXT);
}

TEST_F(KeyboardJourney, AltSSavesATypedChange) {
    Open();
    TypeEdit();
    ExpectKeysReachTheView(VK_NEXT);
    app->AltKey('S');
    EXPECT_TRUE(ShowsStatus(2, "")) << "Alt+S did not save";
    std::string saved = Pattern(DocumentSize);
    saved[0] = '\x7E';
    EXPECT_TRUE(Holds(path, saved));
    ExpectKeysReachTheView(VK_END);
}

TEST_F(KeyboardJourney, AltXAndAltF4CloseAnUnchangedDocument) {
    for (bool altF4 : {false, true}) {
        Open();
        if (altF4) {
            app->TypeKey(VK_F4, true);
        } else {
            app->AltKey('X');
        }
        EXPECT_TRUE(app->WaitForExit()) << (altF4 ? "Alt+F4" : "Alt+X") << " did not close";
        EXPECT_EQ(0u, app->ExitCode());
    }
}

TEST_F(KeyboardJourney, AltF4AsksBeforeClosingAChangedDocument) {
    Open();
    TypeEdit();
    app->TypeKey(VK_F4, true);
    HWND box = app->WaitForWindow(MessageBoxClass, path.c_str());
    ASSERT_NE(nullptr, box) << "Alt+F4 did not ask \"Save file?\"";
    ASSERT_TRUE(ClickButton(box, "&Cancel"));
    ASSERT_TRUE(WaitForWindowGone(box));
    EXPECT_TRUE(app->Running());
    ExpectKeysReachTheView(VK_END);

    app->TypeKey(VK_F4, true);
    box = app->WaitForWindow(MessageBoxClass, path.c_str());
    ASSERT_NE(nullptr, box);
    ASSERT_TRUE(ClickButton(box, "&No"));
    EXPECT_TRUE(app->WaitForExit());
    EXPECT_TRUE(Holds(path, Pattern(DocumentSize))) << "No must not save";
}

}  // namespace
