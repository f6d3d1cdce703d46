// The four dialog templates as they are linked into the program, read back item by item.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "search/DialogIds.h"

namespace {

const DWORD DialogStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;
const DWORD ChildStyle = WS_CHILD | WS_VISIBLE;
const DWORD PlainEdit = ChildStyle | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
const DWORD UpperEdit = PlainEdit | ES_UPPERCASE;
const DWORD Option = ChildStyle | WS_TABSTOP | BS_AUTORADIOBUTTON;
const DWORD CheckBox = ChildStyle | WS_TABSTOP | BS_AUTOCHECKBOX;
const DWORD PushButton = ChildStyle | WS_TABSTOP | BS_PUSHBUTTON;
const DWORD Label = ChildStyle | WS_GROUP | SS_LEFT;
const DWORD LabelId = 0xFFFFFFFF;
const WORD ExtendedSignature = 0xFFFF;
const WORD OrdinalMark = 0xFFFF;
// The predefined classes as a template names them by ordinal.
enum ClassAtom : WORD { ButtonAtom = 0x0080, EditAtom, StaticAtom };

struct Item {
    DWORD id;
    std::string className;
    std::string text;
    DWORD style;
    int x, y, width, height;
};

bool operator==(const Item& a, const Item& b) {
    return a.id == b.id && a.className == b.className && a.text == b.text && a.style == b.style && a.x == b.x &&
           a.y == b.y && a.width == b.width && a.height == b.height;
}

std::ostream& operator<<(std::ostream& out, const Item& item) {
    return out << "{" << static_cast<long>(item.id) << " " << item.className << " \"" << item.text << "\" 0x"
               << std::hex << item.style << std::dec << " " << item.x << "," << item.y << "," << item.width << ","
               << item.height << "}";
}

struct Template {
    bool extended;
    DWORD style;
    DWORD exStyle;
    int width, height;
    std::string caption;
    int pointSize;
    int weight;
    int italic;
    int charset;
    std::string font;
    std::vector<Item> items;
};

class Reader {
public:
    explicit Reader(const BYTE* start) : start_(start), p_(start) {}
    WORD Word() {
        WORD value = *reinterpret_cast<const WORD*>(p_);
        p_ += sizeof(WORD);
        return value;
    }
    DWORD Dword() {
        DWORD value = *reinterpret_cast<const DWORD*>(p_);
        p_ += sizeof(DWORD);
        return value;
    }
    BYTE Byte() { return *p_++; }
    std::string Text() {
        std::string text;
        for (WORD ch = Word(); ch != 0; ch = Word()) {
            text += static_cast<char>(ch);
        }
        return text;
    }
    // A name or an ordinal; an ordinal comes back as "#" and its number.
    std::string NameOrOrdinal() {
        WORD first = *reinterpret_cast<const WORD*>(p_);
        if (first == OrdinalMark) {
            Word();
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignDword() {
        while ((p_ - start_) % sizeof(DWORD) != 0) {
            ++p_;
        }
    }

private:
    const BYTE* start_;
    const BYTE* p_;
};

std::string ClassOf(const std::string& name) {
    if (name == "#" + std::to_string(ButtonAtom)) {
        return "BUTTON";
    }
    if (name == "#" + std::to_string(EditAtom)) {
        return "EDIT";
    }
    if (name == "#" + std::to_string(StaticAtom)) {
        return "STATIC";
    }
    std::string upper = name;
    CharUpperA(&upper[0]);
    return upper;
}

bool ReadTemplate(int id, Template* out) {
    HRSRC resource = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (resource == nullptr) {
        return false;
    }
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(GetModuleHandleA(nullptr), resource)));
    Reader r(data);
    Template& t = *out;
    t.extended = reinterpret_cast<const WORD*>(data)[1] == ExtendedSignature;
    int count = 0;
    if (t.extended) {
        r.Word();
        r.Word();
        r.Dword();
        t.exStyle = r.Dword();
        t.style = r.Dword();
    } else {
        t.style = r.Dword();
        t.exStyle = r.Dword();
    }
    count = r.Word();
    r.Word();
    r.Word();
    t.width = static_cast<short>(r.Word());
    t.height = static_cast<short>(r.Word());
    EXPECT_EQ("", r.NameOrOrdinal()) << "menu";
    EXPECT_EQ("", r.NameOrOrdinal()) << "class";
    t.caption = r.Text();
    t.pointSize = r.Word();
    t.weight = t.extended ? r.Word() : 0;
    t.italic = t.extended ? r.Byte() : 0;
    t.charset = t.extended ? r.Byte() : 0;
    t.font = r.Text();
    for (int i = 0; i < count; ++i) {
        r.AlignDword();
        Item item;
        if (t.extended) {
            EXPECT_EQ(0u, r.Dword()) << "help id";
            EXPECT_EQ(0u, r.Dword()) << "extended style";
            item.style = r.Dword();
        } else {
            item.style = r.Dword();
            EXPECT_EQ(0u, r.Dword()) << "extended style";
        }
        item.x = static_cast<short>(r.Word());
        item.y = static_cast<short>(r.Word());
        item.width = static_cast<short>(r.Word());
        item.height = static_cast<short>(r.Word());
        item.id = t.extended ? r.Dword() : r.Word();
        if (!t.extended && item.id == 0xFFFF) {
            item.id = LabelId;
        }
        item.className = ClassOf(r.NameOrOrdinal());
        item.text = r.NameOrOrdinal();
        WORD extra = r.Word();
        EXPECT_EQ(0, extra) << "creation data";
        t.items.push_back(item);
    }
    return true;
}

TEST(DialogTemplateTest, EveryItemAsLaidOut) {
    struct Expected {
        int id;
        bool extended;
        int width, height;
        const char* caption;
        std::vector<Item> items;
    };
    const Expected expected[] = {
        {IDD_BYTE_VALUE, false, 138, 76, "",
         {{IDC_EDIT_FIELD, "EDIT", "", UpperEdit, 12, 20, 64, 12},
          {IDC_HEX_OPTION, "BUTTON", "Hex", Option, 84, 22, 52, 12},
          {IDC_DECIMAL_OPTION, "BUTTON", "Decimal", Option, 84, 34, 52, 12},
          {IDOK, "BUTTON", "OK", PushButton, 11, 54, 52, 16},
          {IDCANCEL, "BUTTON", "Cancel", PushButton, 75, 54, 52, 16},
          {LabelId, "STATIC", "Enter new value (0 - 255):", Label, 12, 8, 94, 8}}},
        {IDD_BYTE_CHAR, true, 132, 73, "",
         {{IDC_EDIT_FIELD, "EDIT", "", PlainEdit, 42, 24, 48, 12},
          {IDOK, "BUTTON", "OK", PushButton, 10, 52, 52, 16},
          {IDCANCEL, "BUTTON", "Cancel", PushButton, 70, 52, 52, 16},
          {LabelId, "STATIC", "Enter new character:", Label, 32, 8, 80, 12}}},
        {IDD_FIND_TEXT, true, 147, 69, "FindText",
         {{IDC_EDIT_FIELD, "EDIT", "", PlainEdit, 23, 12, 100, 12},
          {IDC_CASE_SENSITIVE, "BUTTON", "Case sensitive", CheckBox, 44, 32, 60, 12},
          {IDOK, "BUTTON", "OK", PushButton, 18, 48, 52, 16},
          {IDCANCEL, "BUTTON", "Cancel", PushButton, 78, 48, 52, 16}}},
        {IDD_FIND_HEX, true, 141, 85, "Find hex",
         {{IDC_EDIT_FIELD, "EDIT", "", UpperEdit, 20, 40, 100, 12},
          {IDOK, "BUTTON", "OK", PushButton, 14, 60, 52, 16},
          {IDCANCEL, "BUTTON", "Cancel", PushButton, 74, 60, 52, 16},
          {LabelId, "STATIC", "Enter the bytes in hex separated by spaces. Example:\n0D 0A", Label, 12, 4, 120, 28}}},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.id);
        Template t;
        ASSERT_TRUE(ReadTemplate(e.id, &t));
        EXPECT_EQ(e.extended, t.extended);
        EXPECT_EQ(DialogStyle, t.style);
        EXPECT_EQ(0u, t.exStyle);
        EXPECT_EQ(e.width, t.width);
        EXPECT_EQ(e.height, t.height);
        EXPECT_EQ(e.caption, t.caption);
        EXPECT_EQ(8, t.pointSize);
        EXPECT_EQ("MS Sans Serif", t.font);
        if (e.extended) {
            EXPECT_EQ(700, t.weight);
            EXPECT_EQ(0, t.italic);
            EXPECT_EQ(1, t.charset);
        }
        ASSERT_EQ(e.items.size(), t.items.size());
        for (size_t i = 0; i < e.items.size(); ++i) {
            EXPECT_EQ(e.items[i], t.items[i]) << "item " << i;
        }
    }
}

}  // namespace
