#include "ui/controls.h"

#include <string>

#include "platform/scoped_win.h"

const wchar_t kPictureBoxClass[] = L"BrisvanePictureBox";
const wchar_t kTransparentLabelClass[] = L"BrisvaneTransparentLabel";

namespace {

// The picture box stretches its bitmap (GWLP_USERDATA) over its whole client area.
LRESULT CALLBACK PictureBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        ScopedPaint paint(hwnd);
        const auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        BITMAP info{};
        if (bitmap && GetObjectW(bitmap, sizeof info, &info)) {
            RECT client;
            GetClientRect(hwnd, &client);
            ScopedMemoryDc source(CreateCompatibleDC(paint.Get()));
            ScopedSelect select(source.Get(), bitmap);
            SetStretchBltMode(paint.Get(), HALFTONE);
            SetBrushOrgEx(paint.Get(), 0, 0, nullptr);
            StretchBlt(paint.Get(), 0, 0, client.right, client.bottom, source.Get(), 0, 0, info.bmWidth,
                       info.bmHeight, SRCCOPY);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TransparentLabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the parent's background shows through
    case WM_PAINT: {
        ScopedPaint paint(hwnd);
        const auto* look = reinterpret_cast<const LabelLook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (look) {
            RECT client;
            GetClientRect(hwnd, &client);
            DrawLabelText(paint.Get(), client, WindowText(hwnd).c_str(), *look);
        }
        return 0;
    }
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

std::wstring WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

void DrawLabelText(HDC dc, const RECT& rect, const wchar_t* text, const LabelLook& look) {
    ScopedSelect font(dc, look.font);
    SetBkMode(dc, TRANSPARENT);
    const UINT format = look.definition->drawTextFormat | DT_NOCLIP;
    if (look.definition->effect == TextEffect::Shadow) {
        RECT shadow = rect;
        OffsetRect(&shadow, 2, 2);
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextW(dc, text, -1, &shadow, format);
    }
    RECT face = rect;
    SetTextColor(dc, look.definition->textColour);
    DrawTextW(dc, text, -1, &face, format);
}

bool RegisterControlClasses(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXW picture{};
    picture.cbSize = sizeof picture;
    picture.lpfnWndProc = PictureBoxProc;
    picture.hInstance = instance;
    picture.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    picture.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    picture.lpszClassName = kPictureBoxClass;

    WNDCLASSEXW label = picture;
    label.lpfnWndProc = TransparentLabelProc;
    label.hbrBackground = nullptr;
    label.lpszClassName = kTransparentLabelClass;

    registered = RegisterClassExW(&picture) && RegisterClassExW(&label);
    return registered;
}
