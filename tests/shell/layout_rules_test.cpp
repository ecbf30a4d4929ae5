// Pure rules of the shell: where a window is centred and which controls the
// skin paints.
#include <gtest/gtest.h>

#include "ui/program_window.h"
#include "ui/skin_rules.h"

namespace {

TEST(CentredOrigin, TruncatesTowardZero) {
    struct Case {
        SIZE screen, window;
        POINT expected;
    };
    static const Case cases[] = {
        {{1024, 768}, {372, 562}, {326, 103}},  // the main window
        {{1024, 768}, {571, 309}, {226, 229}},  // an intro window
        {{1024, 768}, {392, 102}, {316, 333}},  // the tweak notice
        {{1023, 767}, {372, 562}, {325, 102}},  // odd differences round down
        {{800, 480}, {372, 562}, {214, -41}},   // a low screen: negative top, used as it is
        {{371, 561}, {372, 562}, {0, 0}},       // -0.5 truncates to 0, not -1
        {{368, 556}, {372, 562}, {-2, -3}},
    };
    for (const Case& c : cases) {
        const POINT p = CentredOrigin(c.screen, c.window);
        EXPECT_EQ(c.expected.x, p.x) << c.screen.cx << "x" << c.screen.cy;
        EXPECT_EQ(c.expected.y, p.y) << c.screen.cx << "x" << c.screen.cy;
    }
}

TEST(SkinRules, AttachByClassAndStyle) {
    struct Case {
        const wchar_t* cls;
        LONG style;
        bool hasText;
        const wchar_t* parent;
        SkinKind expected;
    };
    constexpr LONG child = WS_CHILD | WS_VISIBLE;
    static const Case cases[] = {
        {L"Button", child | BS_PUSHBUTTON, true, L"X", SkinKind::PushButton},
        {L"BUTTON", child | BS_DEFPUSHBUTTON, true, L"X", SkinKind::PushButton},
        {L"button", child | BS_PUSHBUTTON | BS_BITMAP, false, L"X", SkinKind::None},
        {L"Button", WS_CHILD | WS_TABSTOP, false, L"X", SkinKind::None},  // the bare, textless push button
        {L"Button", WS_CHILD | WS_TABSTOP, true, L"X", SkinKind::PushButton},
        {L"Button", WS_CHILD | WS_TABSTOP | WS_VISIBLE, false, L"X", SkinKind::PushButton},
        {L"Button", child | BS_AUTOCHECKBOX, true, L"X", SkinKind::CheckBox},
        {L"Button", child | BS_CHECKBOX, true, L"X", SkinKind::CheckBox},
        {L"Button", child | BS_3STATE, true, L"X", SkinKind::CheckBox},
        {L"Button", child | BS_AUTO3STATE, true, L"X", SkinKind::CheckBox},
        {L"Button", child | BS_AUTOCHECKBOX | BS_PUSHLIKE, true, L"X", SkinKind::PushButton},
        {L"Button", child | BS_AUTOCHECKBOX | BS_BITMAP, true, L"X", SkinKind::None},
        {L"Button", child | BS_RADIOBUTTON, true, L"X", SkinKind::RadioButton},
        {L"Button", child | BS_AUTORADIOBUTTON, true, L"X", SkinKind::RadioButton},
        {L"Button", child | BS_AUTORADIOBUTTON | BS_PUSHLIKE, true, L"X", SkinKind::PushButton},
        {L"Button", child | BS_GROUPBOX, true, L"X", SkinKind::GroupBox},
        {L"Button", child | BS_GROUPBOX | BS_BITMAP, true, L"X", SkinKind::None},
        {L"Button", child | BS_OWNERDRAW, true, L"X", SkinKind::None},
        {L"Button", child | BS_USERBUTTON, true, L"X", SkinKind::None},
        {L"Edit", child, false, L"X", SkinKind::Edit},
        {L"edit", child, false, L"SysIPAddress32", SkinKind::None},
        {L"ComboBox", child | CBS_DROPDOWN, false, L"X", SkinKind::ComboBox},
        {L"ComboBox", child | CBS_DROPDOWNLIST, false, L"X", SkinKind::ComboBox},
        {L"ComboBox", child | CBS_SIMPLE, false, L"X", SkinKind::None},
        {L"ComboLBox", static_cast<LONG>(WS_POPUP), false, nullptr, SkinKind::ComboList},
        {L"msctls_updown32", child, false, L"X", SkinKind::UpDown},
        {L"Static", child, true, L"X", SkinKind::None},
        {L"BrisvaneTransparentLabel", child, true, L"X", SkinKind::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, ClassifyForSkin(c.cls, c.style, c.hasText, c.parent))
            << "class " << static_cast<const void*>(c.cls) << " style " << std::hex << c.style;
    }
}

TEST(SkinRules, SchemeColours) {
    EXPECT_EQ(RGB(123, 158, 189), SkinFrameColour(1));
    EXPECT_EQ(RGB(164, 185, 127), SkinFrameColour(2));
    EXPECT_EQ(RGB(198, 197, 215), SkinFrameColour(3));
    for (int other : {0, 4, -1}) EXPECT_EQ(CLR_INVALID, SkinFrameColour(other));
}

}  // namespace
