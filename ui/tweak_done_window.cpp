// The notice after the registry tweaks: three one-line labels, no button;
// Esc closes it. Its title bar shows no text.
#include "ui/windows.h"

namespace {

constexpr FontDefinition kHeadline{"微软雅黑", 20, FW_BOLD, true};
constexpr FontDefinition kSmallBold{"", 12, FW_BOLD, false};
constexpr UINT kOneLine = DT_SINGLELINE | DT_VCENTER | DT_LEFT;

constexpr ControlDefinition kControls[] = {
    {"透明标签1", ControlKind::TransparentLabel, kParentIsWindow, 8, 8, 264, 24, "电脑起飞中 重启生效", RGB(255, 0, 0),
     kNoColour, &kHeadline, kNoPicture, kOneLine, TextEffect::None},
    // The contact number is a placeholder: QQ numbers never start with 0.
    {"透明标签2", ControlKind::TransparentLabel, kParentIsWindow, 8, 48, 200, 24, "[Vantorel工作室] QQ:000000000",
     RGB(255, 255, 255), kNoColour, &kSmallBold, kNoPicture, kOneLine, TextEffect::Shadow},
    {"透明标签3", ControlKind::TransparentLabel, kParentIsWindow, 208, 8, 160, 32, "2020新春专版", RGB(0, 255, 255),
     kNoColour, &kSmallBold, kNoPicture, kOneLine, TextEffect::Shadow},
};

}  // namespace

const WindowDefinition TweakDoneWindow = DefineWindow("", 392, 102, RGB(0, 0, 128), true, nullptr, kControls);
