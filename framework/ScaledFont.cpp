#include "framework/ScaledFont.h"

#include "framework/InfoContext.h"

namespace {

// Consolas and Tahoma come with every Windows from Vista on; where one is missing, the font mapper
// takes another TrueType face of the same pitch and family. Tahoma's widest character is, like the
// system font's, about twice its average one, and the boxes pad their text by that width.
const char FixedFace[] = "Consolas";
const char ProportionalFace[] = "Tahoma";

void DeleteFont(HFONT font) {
    if (font != nullptr) {
        DeleteObject(font);
    }
}

}  // namespace

ScaledFont::ScaledFont(Kind kind)
    : kind_(kind), dpi_(0), font_(nullptr), made_(nullptr), retired_(nullptr) {}

ScaledFont::~ScaledFont() {
    DeleteFont(made_);
    DeleteFont(retired_);
}

HFONT ScaledFont::ForScale(const DisplayScale& scale) {
    if (font_ != nullptr && scale.dpi == dpi_) {
        return font_;
    }
    DeleteFont(retired_);
    retired_ = made_;
    made_ = scale.IsClassic() ? nullptr : Make(scale);
    dpi_ = scale.dpi;
    font_ = made_ != nullptr ? made_ : static_cast<HFONT>(GetStockObject(kind_ == FixedPitch ? SYSTEM_FIXED_FONT
                                                                                            : SYSTEM_FONT));
    return font_;
}

HFONT ScaledFont::Make(const DisplayScale& scale) const {
    // The stock font's LOGFONT is stated for the screen's DPI; restated for 96 DPI it gives the
    // cell the classic windows show.
    LOGFONTA logFont;
    if (!GetObjectA(GetStockObject(kind_ == FixedPitch ? SYSTEM_FIXED_FONT : SYSTEM_FONT), sizeof logFont,
                    &logFont)) {
        return nullptr;
    }
    logFont.lfHeight = MulDiv(logFont.lfHeight, DisplayScale::ClassicDpi, DisplayScale::OfScreen().dpi);
    logFont.lfWidth = 0;
    HFONT classic = CreateFontIndirectA(&logFont);
    if (classic == nullptr) {
        return nullptr;
    }
    TEXTMETRICA cell;
    bool measured;
    {
        InfoContext info(classic);
        measured = info.Measured();
        cell = info.Metrics();
    }
    DeleteObject(classic);
    if (!measured) {
        return nullptr;
    }
    // A positive height asks for the whole cell, internal leading included, as the stock font
    // measures it; the character set stays the stock font's, that of the system's code page.
    logFont.lfHeight = scale.Scale(cell.tmHeight + cell.tmExternalLeading);
    logFont.lfWidth = scale.Scale(cell.tmAveCharWidth);
    logFont.lfEscapement = 0;
    logFont.lfOrientation = 0;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfItalic = 0;
    logFont.lfUnderline = 0;
    logFont.lfStrikeOut = 0;
    logFont.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = kind_ == FixedPitch ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(logFont.lfFaceName, kind_ == FixedPitch ? FixedFace : ProportionalFace, LF_FACESIZE);
    return CreateFontIndirectA(&logFont);
}
