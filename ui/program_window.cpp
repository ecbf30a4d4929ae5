#include "ui/program_window.h"

#include <cstring>
#include <string>

#include "platform/fatal.h"
#include "platform/gbk.h"
#include "ui/controls.h"
#include "ui/pictures.h"

namespace {

const wchar_t kWindowClass[] = L"BrisvaneWindow";
const wchar_t kHostProcProperty[] = L"BrisvaneHostProc";

// Fixed frame with a title bar, system menu and close box; no minimise or
// maximise box, no sizing border.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;

unsigned long nextSerial = 1;

HFONT StockGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

bool RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = LoadProgramIcon(GetSystemMetrics(SM_CXICON));
    wc.hIconSm = LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kWindowClass;
    registered = RegisterClassExW(&wc) != 0;
    return registered;
}

HFONT CreateDefinedFont(const FontDefinition& font) {
    LOGFONTW lf{};
    lf.lfHeight = -font.characterHeight;
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = WideFromGbk(font.face);
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

// Controls that hold other controls (the group box) pass their children's
// notifications on to the window, where the handlers are bound.
LRESULT CALLBACK ControlHostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only forwards: nothing here allocates or throws.
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kHostProcProperty));
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
        return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(hwnd, kHostProcProperty);
        break;
    default:
        break;
    }
    return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

}  // namespace

POINT CentredOrigin(SIZE screen, SIZE window) {
    return POINT{(screen.cx - window.cx) / 2, (screen.cy - window.cy) / 2};
}

ProgramWindow::ProgramWindow(const WindowDefinition& definition)
    : definition_(definition), serial_(nextSerial++) {}

ProgramWindow* ProgramWindow::Build(const WindowDefinition& definition, Observer* observer) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterWindowClass(instance, Trampoline) || !RegisterControlClasses(instance)) return nullptr;

    auto* window = new ProgramWindow(definition);
    const SIZE size{definition.width, definition.height};
    const POINT origin =
        CentredOrigin(SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, size);
    const std::wstring caption = WideFromGbk(definition.caption);
    // From WM_NCCREATE on, the window owns the object: a failed creation has
    // already deleted it at WM_NCDESTROY.
    HWND hwnd = CreateWindowExW(0, kWindowClass, caption.c_str(), kWindowStyle, origin.x, origin.y, size.cx,
                                size.cy, nullptr, nullptr, instance, window);
    if (!hwnd) return nullptr;
    window->PlaceCentred();
    if (!window->CreateControls()) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    window->observer_ = observer;
    return window;
}

void ProgramWindow::PlaceCentred() {
    RECT outer;
    GetWindowRect(hwnd_, &outer);
    if (outer.right - outer.left == definition_.width && outer.bottom - outer.top == definition_.height) return;
    const POINT origin = CentredOrigin(SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                                       SIZE{definition_.width, definition_.height});
    SetWindowPos(hwnd_, nullptr, origin.x, origin.y, definition_.width, definition_.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ProgramWindow::CreateControls() {
    controls_.resize(definition_.controlCount);
    for (std::size_t i = 0; i < definition_.controlCount; ++i) {
        controls_[i].definition = &definition_.controls[i];
        if (!CreateControl(controls_[i])) return false;
    }
    return true;
}

bool ProgramWindow::CreateControl(Control& control) {
    const ControlDefinition& def = *control.definition;
    if (def.kind == ControlKind::ZipComponent) {
        control.component = std::make_unique<ZipComponent>();
        return true;
    }
    HWND parent = hwnd_;
    if (def.parent != kParentIsWindow) {
        if (def.parent < 0 || static_cast<std::size_t>(def.parent) >= controls_.size() ||
            !controls_[static_cast<std::size_t>(def.parent)].hwnd) {
            return false;  // a parent must come earlier in the table
        }
        parent = controls_[static_cast<std::size_t>(def.parent)].hwnd;
    }

    const wchar_t* className = L"Button";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (def.kind) {
    case ControlKind::PictureBox:
        className = kPictureBoxClass;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::GroupBox:
        // Clips its children so that its own painting never covers them.
        style |= BS_GROUPBOX | WS_CLIPCHILDREN;
        exStyle = WS_EX_CONTROLPARENT;
        break;
    case ControlKind::PictureButton:
        style |= BS_PUSHBUTTON | BS_BITMAP | BS_CENTER | BS_VCENTER | WS_TABSTOP;
        break;
    case ControlKind::TextButton:
        style |= BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | WS_TABSTOP;
        break;
    case ControlKind::TransparentLabel:
        className = kTransparentLabelClass;
        exStyle = WS_EX_TRANSPARENT;
        break;
    case ControlKind::ZipComponent:
        return true;
    }

    const std::wstring text = WideFromGbk(def.text);
    control.hwnd = CreateWindowExW(exStyle, className, text.c_str(), style, def.x, def.y, def.width, def.height,
                                   parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!control.hwnd) return false;

    HFONT font = StockGuiFont();
    if (def.font) {
        control.font.Reset(CreateDefinedFont(*def.font));
        if (control.font) font = static_cast<HFONT>(control.font.Get());
    }
    SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    if (def.picture != kNoPicture) {
        // A picture that cannot be decoded is dropped: the control shows without it.
        control.picture.Reset(LoadPictureResource(def.picture));
    }
    switch (def.kind) {
    case ControlKind::PictureBox:
        SetWindowLongPtrW(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control.picture.Get()));
        break;
    case ControlKind::PictureButton:
        SendMessageW(control.hwnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(control.picture.Get()));
        break;
    case ControlKind::GroupBox:
        SetPropW(control.hwnd, kHostProcProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrW(control.hwnd, GWLP_WNDPROC)));
        SetWindowLongPtrW(control.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlHostProc));
        break;
    case ControlKind::TransparentLabel: {
        control.look = std::make_unique<LabelLook>(LabelLook{&def, font});
        SetWindowLongPtrW(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control.look.get()));
        break;
    }
    default:
        break;
    }
    return true;
}

HWND ProgramWindow::ControlHandle(const char* name) const {
    for (const Control& control : controls_) {
        if (std::strcmp(control.definition->name, name) == 0) return control.hwnd;
    }
    return nullptr;
}

ZipComponent* ProgramWindow::Component(const char* name) const {
    for (const Control& control : controls_) {
        if (std::strcmp(control.definition->name, name) == 0) return control.component.get();
    }
    return nullptr;
}

bool ProgramWindow::PreTranslateKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool modifier = shift || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    if (msg.wParam == VK_ESCAPE && definition_.escCloses && !modifier) {
        SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        return true;
    }
    if (msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
        // Tab and Shift+Tab move among the tab stops in table order.
        if (HWND next = GetNextDlgTabItem(hwnd_, GetFocus(), shift ? TRUE : FALSE)) SetFocus(next);
        return true;
    }
    return false;
}

void ProgramWindow::GiveBackOtherWindows() {
    for (const auto& [other, wasEnabled] : disabledWindows_) {
        if (IsWindow(other)) EnableWindow(other, wasEnabled ? TRUE : FALSE);
    }
    disabledWindows_.clear();
}

void ProgramWindow::CarryOutDestroyRequest() {
    if (!pendingDestroy) return;
    pendingDestroy = false;
    GiveBackOtherWindows();
    DestroyWindow(hwnd_);
}

bool ProgramWindow::OnCommand(HWND from, WORD code) {
    if (code != BN_CLICKED || !from) return false;
    for (const Control& control : controls_) {
        if (control.hwnd == from && control.definition->onClick) {
            control.definition->onClick();
            return true;
        }
    }
    return false;
}

LRESULT ProgramWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(backgroundBrush_.Get()));
        return 1;
    }
    case WM_CTLCOLORSTATIC: {
        // The group box: its caption colour on the window's background.
        for (const Control& control : controls_) {
            if (control.hwnd == reinterpret_cast<HWND>(lParam) && control.definition->kind == ControlKind::GroupBox) {
                const auto dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, control.definition->textColour);
                SetBkColor(dc, definition_.background);
                return reinterpret_cast<LRESULT>(backgroundBrush_.Get());
            }
        }
        break;
    }
    case WM_CTLCOLORBTN:
        // Around a button's face the window's own background shows.
        return reinterpret_cast<LRESULT>(backgroundBrush_.Get());
    case WM_COMMAND:
        if (OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam))) return 0;
        break;
    case WM_CLOSE:
        // Closed by the system (close box, system menu, Alt+F4, Esc): nothing
        // intercepts it. The other windows come back before this one goes,
        // so the re-enabled window is the one that becomes active.
        GiveBackOtherWindows();
        DestroyWindow(hwnd_);
        return 0;
    default:
        if (message == DestroyRequestMessage()) {
            CarryOutDestroyRequest();
            return 0;
        }
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK ProgramWindow::Trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ProgramWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<ProgramWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        self->backgroundBrush_.Reset(CreateSolidBrush(self->definition_.background));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<ProgramWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

    // No C++ exception may cross into the system's code.
    try {
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
            Observer* observer = self->observer_;
            if (observer) {
                observer->OnWindowDestroyed(self);  // the observer deletes it
            } else {
                delete self;
            }
            return result;
        }
        return self->WindowProc(message, wParam, lParam);
    } catch (const std::bad_alloc&) {
        FatalOutOfMemory();
    } catch (...) {
        FatalError("程序内部错误。");
    }
}
