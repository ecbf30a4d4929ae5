#include "ui/skin.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fatal.h"
#include "platform/scoped_win.h"
#include "ui/controls.h"
#include "ui/skin_rules.h"

namespace {

const wchar_t kPreviousProcProperty[] = L"BrisvaneSkinProc";
const wchar_t kKindProperty[] = L"BrisvaneSkinKind";

struct SkinState {
    bool installed = false;
    COLORREF frame = CLR_INVALID;
    ScopedHook hook;
    std::vector<HWND> attached;
};

SkinState& Skin() {
    static SkinState state;
    return state;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    if (hwnd) GetClassNameW(hwnd, name, 64);
    return name;
}

SkinKind KindOf(HWND hwnd) {
    return static_cast<SkinKind>(reinterpret_cast<INT_PTR>(GetPropW(hwnd, kKindProperty)));
}

void Redraw(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The brush and text colour that the parent gives a control, as the system
// controls ask for them.
HBRUSH ParentBrush(HWND hwnd, HDC dc, UINT message) {
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hwnd), message, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(hwnd)));
    return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

COLORREF Mix(COLORREF a, COLORREF b, int numerator, int denominator) {
    auto channel = [&](int shift) {
        const int x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
        return static_cast<COLORREF>(x + (y - x) * numerator / denominator) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

void PaintPushButton(HWND hwnd, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    const LRESULT state = SendMessageW(hwnd, BM_GETSTATE, 0, 0);
    const bool pushed = (state & BST_PUSHED) || (SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    const COLORREF frame = Skin().frame;

    FillRect(dc, &client, ParentBrush(hwnd, dc, WM_CTLCOLORBTN));
    // A soft vertical fill that leans toward the scheme colour at the bottom.
    const COLORREF top = pushed ? Mix(RGB(255, 255, 255), frame, 2, 5) : RGB(255, 255, 255);
    const COLORREF bottom = pushed ? RGB(255, 255, 255) : Mix(RGB(255, 255, 255), frame, 2, 5);
    const int height = std::max<LONG>(client.bottom - 2, 1);
    for (int y = 1; y < client.bottom - 1; ++y) {
        ScopedGdiObject pen(CreatePen(PS_SOLID, 1, Mix(top, bottom, y, height)));
        ScopedSelect select(dc, pen.Get());
        MoveToEx(dc, 2, y, nullptr);
        LineTo(dc, client.right - 2, y);
    }
    {
        ScopedGdiObject pen(CreatePen(PS_SOLID, 1, enabled ? frame : GetSysColor(COLOR_GRAYTEXT)));
        ScopedSelect selectPen(dc, pen.Get());
        ScopedSelect selectBrush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, client.left, client.top, client.right, client.bottom, 6, 6);
    }

    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    ScopedSelect selectFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT));
    RECT text = client;
    if (pushed) OffsetRect(&text, 1, 1);
    const std::wstring caption = WindowText(hwnd);
    DrawTextW(dc, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (GetFocus() == hwnd) {
        RECT focus = client;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void PaintGroupBox(HWND hwnd, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    // Asking the parent sets the caption colour into the DC.
    HBRUSH brush = ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC);
    const COLORREF captionColour = GetTextColor(dc);
    FillRect(dc, &client, brush);

    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    ScopedSelect selectFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    const std::wstring caption = WindowText(hwnd);
    SIZE extent{0, 0};
    GetTextExtentPoint32W(dc, caption.empty() ? L"M" : caption.c_str(), caption.empty() ? 1 : static_cast<int>(caption.size()), &extent);
    const int lineY = extent.cy / 2;
    {
        ScopedGdiObject pen(CreatePen(PS_SOLID, 1, kSkinGroupFrameColour));
        ScopedSelect selectPen(dc, pen.Get());
        ScopedSelect selectBrush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, client.left, client.top + lineY, client.right, client.bottom, 8, 8);
    }
    if (caption.empty()) return;

    const LONG align = GetWindowLongW(hwnd, GWL_STYLE) & BS_CENTER;
    int x = 8;
    if (align == BS_CENTER) {
        x = (client.right - extent.cx) / 2;
    } else if (align == BS_RIGHT) {
        x = client.right - 8 - extent.cx;
    }
    RECT gap{x - 2, 0, x + extent.cx + 2, extent.cy};
    FillRect(dc, &gap, brush);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, captionColour);
    TextOutW(dc, x, 0, caption.c_str(), static_cast<int>(caption.size()));
}

// Edits, combo boxes, drop-down lists and up-down controls keep their own
// painting inside a frame of the scheme colour; check boxes and radio
// buttons get the frame around their box.
void PaintFrameOver(HWND hwnd, SkinKind kind) {
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    RECT frame;
    GetWindowRect(hwnd, &frame);
    OffsetRect(&frame, -frame.left, -frame.top);
    if (kind == SkinKind::CheckBox || kind == SkinKind::RadioButton) {
        const int box = 13;
        const int top = (frame.bottom - box) / 2;
        frame = RECT{0, top, box, top + box};
    }
    ScopedGdiObject brush(CreateSolidBrush(Skin().frame));
    FrameRect(dc, &frame, static_cast<HBRUSH>(brush.Get()));
    ReleaseDC(hwnd, dc);
}

void Forget(HWND hwnd) {
    auto& attached = Skin().attached;
    attached.erase(std::remove(attached.begin(), attached.end(), hwnd), attached.end());
}

void Detach(HWND hwnd) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kPreviousProcProperty));
    if (!previous) return;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(hwnd, kPreviousProcProperty);
    RemovePropW(hwnd, kKindProperty);
}

bool ChangesLook(UINT message) {
    switch (message) {
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
        return true;
    default:
        return false;
    }
}

LRESULT SkinMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kPreviousProcProperty));
    if (!previous) return DefWindowProcW(hwnd, message, wParam, lParam);
    const SkinKind kind = KindOf(hwnd);

    if (message == WM_NCDESTROY) {
        // A destroyed control gets its own procedure back.
        Detach(hwnd);
        Forget(hwnd);
        return CallWindowProcW(previous, hwnd, message, wParam, lParam);
    }
    if (kind == SkinKind::PushButton || kind == SkinKind::GroupBox) {
        if (message == WM_ERASEBKGND) return 1;
        if (message == WM_PAINT || message == WM_PRINTCLIENT) {
            PAINTSTRUCT ps;
            HDC dc = message == WM_PAINT ? BeginPaint(hwnd, &ps) : reinterpret_cast<HDC>(wParam);
            if (kind == SkinKind::PushButton) {
                PaintPushButton(hwnd, dc);
            } else {
                PaintGroupBox(hwnd, dc);
            }
            if (message == WM_PAINT) EndPaint(hwnd, &ps);
            return 0;
        }
        const LRESULT result = CallWindowProcW(previous, hwnd, message, wParam, lParam);
        // The system button draws itself straight away on these; draw over it.
        if (kind == SkinKind::PushButton && ChangesLook(message) && IsWindow(hwnd)) {
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        return result;
    }
    const LRESULT result = CallWindowProcW(previous, hwnd, message, wParam, lParam);
    if ((message == WM_PAINT || message == WM_NCPAINT || ChangesLook(message)) && IsWindow(hwnd)) {
        PaintFrameOver(hwnd, kind);
    }
    return result;
}

// No C++ exception may cross into the system's code: the painting makes
// strings, which may fail to allocate.
LRESULT CALLBACK SkinProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return SkinMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        FatalOutOfMemory();
    }
}

void Attach(HWND hwnd) {
    if (GetPropW(hwnd, kPreviousProcProperty)) return;  // skinned once only
    const std::wstring className = ClassOf(hwnd);
    const std::wstring parentClass = ClassOf(GetParent(hwnd));
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const SkinKind kind = ClassifyForSkin(className.c_str(), style, GetWindowTextLengthW(hwnd) > 0, parentClass.c_str());
    if (kind == SkinKind::None) return;
    SetPropW(hwnd, kKindProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(kind)));
    const LONG_PTR previous = SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SkinProc));
    SetPropW(hwnd, kPreviousProcProperty, reinterpret_cast<HANDLE>(previous));
    Skin().attached.push_back(hwnd);
}

BOOL CALLBACK AttachChild(HWND hwnd, LPARAM) {
    Attach(hwnd);
    Redraw(hwnd);
    return TRUE;
}

BOOL CALLBACK AttachTopLevel(HWND hwnd, LPARAM) {
    Attach(hwnd);
    EnumChildWindows(hwnd, AttachChild, 0);  // every descendant, not only children
    Redraw(hwnd);
    return TRUE;
}

LRESULT CALLBACK CreateHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        try {
            if (call->message == WM_CREATE) Attach(call->hwnd);
        } catch (...) {
            FatalOutOfMemory();
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool RemoveSkin() {
    SkinState& skin = Skin();
    if (!skin.installed) return false;
    const std::vector<HWND> attached = std::move(skin.attached);
    skin.attached.clear();
    for (HWND hwnd : attached) {
        if (!IsWindow(hwnd)) continue;
        Detach(hwnd);
        Redraw(hwnd);
    }
    skin.installed = false;
    return skin.hook.Reset();
}

}  // namespace

bool ApplyVisualStyle(std::int32_t scheme) {
    const COLORREF frame = SkinFrameColour(scheme);
    if (frame == CLR_INVALID) return RemoveSkin();
    RemoveSkin();
    SkinState& skin = Skin();
    skin.frame = frame;
    skin.installed = true;
    const DWORD thread = GetCurrentThreadId();
    EnumThreadWindows(thread, AttachTopLevel, 0);
    skin.hook.Reset(SetWindowsHookExW(WH_CALLWNDPROC, CreateHook, nullptr, thread));
    return true;
}

bool IsSkinned(HWND hwnd) {
    return GetPropW(hwnd, kPreviousProcProperty) != nullptr;
}

WNDPROC SkinPreviousProc(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(GetPropW(hwnd, kPreviousProcProperty));
}
