// The skin on real windows: attached once, through the hook for windows made
// later, never on picture buttons, and removed cleanly.
#include <gtest/gtest.h>

#include "app/shell.h"
#include "ui/program_window.h"
#include "ui/skin.h"
#include "test_support.h"

namespace {

class Skin : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OpenWindow(TestMain, nullptr, false));
        parent = LiveWindow(TestMain)->Handle();
        textButton = Make(L"Button", L"好", BS_PUSHBUTTON);
        bitmapButton = Make(L"Button", L"", BS_PUSHBUTTON | BS_BITMAP);
        group = Make(L"Button", L"组", BS_GROUPBOX);
        edit = Make(L"Edit", L"", 0);
        buttonProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(textButton, GWLP_WNDPROC));
    }
    void TearDown() override {
        ApplyVisualStyle(0);
        CleanUpWindows();
    }
    HWND Make(const wchar_t* cls, const wchar_t* text, DWORD style) {
        return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 20, parent, nullptr, nullptr,
                               nullptr);
    }

    HWND parent{}, textButton{}, bitmapButton{}, group{}, edit{};
    WNDPROC buttonProc{};
};

TEST_F(Skin, AttachesTheSkinnedKindsOnceEvenWhenAppliedTwice) {
    ASSERT_TRUE(ApplyVisualStyle(2));
    ASSERT_TRUE(ApplyVisualStyle(2));  // removes and installs again
    EXPECT_TRUE(IsSkinned(textButton));
    EXPECT_TRUE(IsSkinned(group));
    EXPECT_TRUE(IsSkinned(edit));
    EXPECT_FALSE(IsSkinned(bitmapButton));
    EXPECT_FALSE(IsSkinned(parent));
    // Skinned once: the skin hands on to the button's own procedure, not to itself.
    EXPECT_EQ(buttonProc, SkinPreviousProc(textButton));
}

TEST_F(Skin, WindowsCreatedLaterAreAttachedByTheHook) {
    ASSERT_TRUE(ApplyVisualStyle(1));
    HWND later = Make(L"Button", L"后", BS_PUSHBUTTON);
    HWND laterBitmap = Make(L"Button", L"", BS_PUSHBUTTON | BS_BITMAP);
    EXPECT_TRUE(IsSkinned(later));
    EXPECT_FALSE(IsSkinned(laterBitmap));
}

TEST_F(Skin, RemovingPutsTheOwnProceduresBackAndStopsTheHook) {
    EXPECT_FALSE(ApplyVisualStyle(0));  // nothing installed
    ASSERT_TRUE(ApplyVisualStyle(3));
    EXPECT_TRUE(ApplyVisualStyle(5));  // any other number removes it
    EXPECT_FALSE(IsSkinned(textButton));
    EXPECT_EQ(buttonProc, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(textButton, GWLP_WNDPROC)));
    EXPECT_FALSE(IsSkinned(Make(L"Button", L"后", BS_PUSHBUTTON)));
    EXPECT_FALSE(ApplyVisualStyle(0));
}

TEST_F(Skin, ADestroyedControlGetsItsProcedureBackAndIsForgotten) {
    ASSERT_TRUE(ApplyVisualStyle(2));
    DestroyWindow(textButton);
    EXPECT_TRUE(ApplyVisualStyle(0));  // detaching skips the gone control without trouble
}

}  // namespace
