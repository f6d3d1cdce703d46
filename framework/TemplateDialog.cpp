#include "framework/TemplateDialog.h"

#include <vector>

#include "framework/AppInstance.h"
#include "framework/DisplayScale.h"

namespace {

const wchar_t ScaledFace[] = L"Microsoft Sans Serif";
const WORD ExtendedSignature = 0xFFFF;
const WORD OrdinalMark = 0xFFFF;
// The fixed headers of DLGTEMPLATEEX and DLGTEMPLATE, up to the menu field.
const size_t ExtendedHeaderBytes = 26;
const size_t StandardHeaderBytes = 18;
const size_t ExtendedStyleOffset = 12;
// Words between the title and the face: the point size, then for DLGTEMPLATEEX the weight and the
// italic and character set bytes.
const int ExtendedFontWords = 3;
const int StandardFontWords = 1;

// Past a menu, class or title field: none, an ordinal, or a terminated string.
const WORD* SkipField(const WORD* field) {
    if (*field == OrdinalMark) {
        return field + 2;
    }
    while (*field++ != 0) {
    }
    return field;
}

size_t AlignedToDword(size_t offset) {
    return (offset + sizeof(DWORD) - 1) & ~(sizeof(DWORD) - 1);
}

// The template with ScaledFace for its face; empty when it names no face.
std::vector<BYTE> WithScaledFace(const BYTE* original, DWORD size) {
    const WORD* words = reinterpret_cast<const WORD*>(original);
    bool extended = words[1] == ExtendedSignature;
    DWORD style = *reinterpret_cast<const DWORD*>(original + (extended ? ExtendedStyleOffset : 0));
    if (!(style & DS_SETFONT)) {
        return {};
    }
    const WORD* field = reinterpret_cast<const WORD*>(original + (extended ? ExtendedHeaderBytes : StandardHeaderBytes));
    field = SkipField(SkipField(SkipField(field)));
    const BYTE* face = reinterpret_cast<const BYTE*>(field + (extended ? ExtendedFontWords : StandardFontWords));
    // The items start at the next DWORD boundary after the face.
    size_t items = AlignedToDword(reinterpret_cast<const BYTE*>(SkipField(reinterpret_cast<const WORD*>(face))) -
                                  original);
    std::vector<BYTE> copy(original, face);
    const BYTE* newFace = reinterpret_cast<const BYTE*>(ScaledFace);
    copy.insert(copy.end(), newFace, newFace + sizeof ScaledFace);
    copy.resize(AlignedToDword(copy.size()), 0);
    copy.insert(copy.end(), original + items, original + size);
    return copy;
}

}  // namespace

INT_PTR RunTemplateDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM parameter) {
    if (!DisplayScale::OfWindow(owner).IsClassic()) {
        HRSRC found = FindResourceA(appInstance, MAKEINTRESOURCEA(templateId), RT_DIALOG);
        HGLOBAL loaded = found != nullptr ? LoadResource(appInstance, found) : nullptr;
        const BYTE* original = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
        std::vector<BYTE> scaled =
            original != nullptr ? WithScaledFace(original, SizeofResource(appInstance, found)) : std::vector<BYTE>();
        if (!scaled.empty()) {
            return DialogBoxIndirectParamA(appInstance, reinterpret_cast<LPCDLGTEMPLATEA>(scaled.data()), owner,
                                           procedure, parameter);
        }
    }
    return DialogBoxParamA(appInstance, MAKEINTRESOURCEA(templateId), owner, procedure, parameter);
}
