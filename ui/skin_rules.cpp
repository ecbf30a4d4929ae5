#include "ui/skin_rules.h"

namespace {

bool SameClass(const wchar_t* a, const wchar_t* b) {
    return a && b && lstrcmpiW(a, b) == 0;
}

SkinKind ClassifyButton(LONG style, bool hasText) {
    if (style & BS_BITMAP) return SkinKind::None;  // a picture face keeps its own look
    const LONG type = style & BS_TYPEMASK;
    const bool pushLike = (style & BS_PUSHLIKE) != 0;
    switch (type) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        if (!hasText && style == (WS_CHILD | WS_TABSTOP)) return SkinKind::None;
        return SkinKind::PushButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return pushLike ? SkinKind::PushButton : SkinKind::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return pushLike ? SkinKind::PushButton : SkinKind::RadioButton;
    case BS_GROUPBOX:
        return SkinKind::GroupBox;
    default:
        return SkinKind::None;  // owner-drawn and user buttons
    }
}

}  // namespace

SkinKind ClassifyForSkin(const wchar_t* className, LONG style, bool hasText, const wchar_t* parentClassName) {
    if (SameClass(className, L"Button")) return ClassifyButton(style, hasText);
    if (SameClass(className, L"Edit")) {
        return SameClass(parentClassName, L"SysIPAddress32") ? SkinKind::None : SkinKind::Edit;
    }
    if (SameClass(className, L"ComboBox")) {
        return (style & 3) == CBS_SIMPLE ? SkinKind::None : SkinKind::ComboBox;
    }
    if (SameClass(className, L"ComboLBox")) return SkinKind::ComboList;
    if (SameClass(className, L"msctls_updown32")) return SkinKind::UpDown;
    return SkinKind::None;
}

COLORREF SkinFrameColour(int scheme) {
    switch (scheme) {
    case 1:
        return RGB(123, 158, 189);
    case 2:
        return RGB(164, 185, 127);
    case 3:
        return RGB(198, 197, 215);
    default:
        return CLR_INVALID;
    }
}
