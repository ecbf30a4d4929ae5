#pragma once
#include <windows.h>

#include <cstddef>

#include "ui/resource_ids.h"

// Windows are data: each window is a WindowDefinition with a table of
// ControlDefinitions, made into a window by the one builder (ui/window_builder).

using Handler = void (*)();

enum class ControlKind {
    PictureBox,        // draws a picture stretched over its client area
    GroupBox,          // BS_GROUPBOX frame; may be the parent of other controls
    PictureButton,     // BS_BITMAP push button showing the first frame of a picture
    TextButton,        // push button with a text face
    TransparentLabel,  // paints no background, draws its text with DrawText
    ZipComponent,      // not a window: an archive component that lives with its window
};

enum class TextEffect { None, Shadow };

// Pictures carried as resources (assets/resources.rc).
enum PictureId : int {
    kNoPicture = 0,
    kBannerPicture = kBannerPictureRc,
    kBrawlButtonPicture = kBrawlButtonPictureRc,
    kMatchButtonPicture = kMatchButtonPictureRc,
    kTweakButtonPicture = kTweakButtonPictureRc,
};
constexpr int kProgramIconId = kProgramIconRc;

// A font made with CreateFontIndirect; a control without one uses the stock
// GUI font (DEFAULT_GUI_FONT).
struct FontDefinition {
    const char* face;  // GBK; empty leaves the face to the font mapper
    int characterHeight;
    int weight;
    bool italic;
};

constexpr COLORREF kNoColour = CLR_INVALID;
constexpr int kParentIsWindow = -1;

struct ControlDefinition {
    const char* name;  // GBK, e.g. "按钮1"
    ControlKind kind;
    int parent = kParentIsWindow;  // index of the parent control in the table
    int x = 0, y = 0, width = 0, height = 0;
    const char* text = nullptr;  // GBK
    COLORREF textColour = kNoColour;
    COLORREF backColour = kNoColour;
    const FontDefinition* font = nullptr;
    int picture = kNoPicture;
    UINT drawTextFormat = 0;  // DrawText flags of a label
    TextEffect effect = TextEffect::None;
    Handler onClick = nullptr;
};

struct WindowDefinition {
    const char* caption;  // GBK
    int width, height;    // outer size
    COLORREF background;
    bool escCloses;
    Handler onCreated;
    const ControlDefinition* controls;
    std::size_t controlCount;
};

template <std::size_t N>
constexpr WindowDefinition DefineWindow(const char* caption, int width, int height, COLORREF background,
                                        bool escCloses, Handler onCreated,
                                        const ControlDefinition (&controls)[N]) {
    return WindowDefinition{caption, width, height, background, escCloses, onCreated, controls, N};
}
