// The two windows that confirm an installed configuration. They are one
// definition: only the caption and the close handler differ.
#include "app/shell.h"
#include "ui/intro_text.h"
#include "ui/windows.h"

namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128);

void OnIntroCreated() {}

void OnBrawlIntroCloseClicked() {
    RequestWindowDestroy(LiveWindow(BrawlIntroWindow));
}

void OnMatchIntroCloseClicked() {
    RequestWindowDestroy(LiveWindow(MatchIntroWindow));
}

template <Handler onClose>
constexpr ControlDefinition kIntroControls[] = {
    {"透明标签1", ControlKind::TransparentLabel, kParentIsWindow, 0, 16, 568, 224, IntroText, RGB(255, 255, 255),
     kNoColour, nullptr, kNoPicture, DT_WORDBREAK | DT_LEFT | DT_TOP},
    {"按钮1", ControlKind::TextButton, kParentIsWindow, 168, 248, 208, 32, "关闭介绍", kNoColour, kNoColour, nullptr,
     kNoPicture, 0, TextEffect::None, onClose},
};

constexpr WindowDefinition IntroWindow(const char* caption, const ControlDefinition (&controls)[2]) {
    return DefineWindow(caption, 571, 309, kNavy, false, OnIntroCreated, controls);
}

}  // namespace

const WindowDefinition BrawlIntroWindow =
    IntroWindow("混战弹道插件成功开启[on] 进入游戏体验.......", kIntroControls<OnBrawlIntroCloseClicked>);
const WindowDefinition MatchIntroWindow =
    IntroWindow("比赛弹道插件成功开启[on] 进入游戏体验.......", kIntroControls<OnMatchIntroCloseClicked>);
