// The program's start-up window: a banner, a group box with the three action
// buttons, and a credit line on a blue background.
#include "install/install_action.h"
#include "tweaks/tweak_action.h"
#include "ui/skin.h"
#include "ui/windows.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr int kGroupBox = 1;  // index of 分组框1 in the table below

void OnMainWindowCreated() {
    ApplyVisualStyle(2);
}

constexpr ControlDefinition kControls[] = {
    {"图片框1", ControlKind::PictureBox, kParentIsWindow, 8, 8, 352, 192, nullptr, kNoColour, kNoColour, nullptr,
     kBannerPicture},
    {"分组框1", ControlKind::GroupBox, kParentIsWindow, 8, 208, 352, 296, "功能区：", RGB(255, 255, 255), kBlue},
    {"按钮1", ControlKind::PictureButton, kGroupBox, 88, 48, 176, 40, nullptr, kNoColour, kNoColour, nullptr,
     kBrawlButtonPicture, 0, TextEffect::None, OnBrawlButtonClicked},
    {"按钮2", ControlKind::PictureButton, kGroupBox, 88, 120, 176, 40, nullptr, kNoColour, kNoColour, nullptr,
     kMatchButtonPicture, 0, TextEffect::None, OnMatchButtonClicked},
    {"按钮3", ControlKind::PictureButton, kGroupBox, 88, 192, 176, 40, nullptr, kNoColour, kNoColour, nullptr,
     kTweakButtonPicture, 0, TextEffect::None, OnTweakButtonClicked},
    {"透明标签1", ControlKind::TransparentLabel, kParentIsWindow, 48, 512, 360, 16,
     "支持DOKEE/175PT/5EPLAY | By【Vantorel工作室】", RGB(255, 0, 0), kNoColour, nullptr, kNoPicture,
     DT_SINGLELINE | DT_VCENTER | DT_LEFT, TextEffect::Shadow},
    {"ZIP压缩1", ControlKind::ZipComponent},
};

}  // namespace

const WindowDefinition MainWindow =
    DefineWindow("【Vantorel】CS1.6Brisvane 【新春专版】", 372, 562, kBlue, true, OnMainWindowCreated, kControls);
