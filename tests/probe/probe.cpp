// Reads the windows of other processes from outside them and prints them as
// JSON, for the end-to-end tests: class, text (as GBK bytes and as UTF-8),
// places, styles and state of every top-level window and its descendants.
//
//   probe.exe windows    every visible top-level window of another process
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

std::string GbkHex(const std::wstring& wide) {
    std::string gbk;
    if (!wide.empty()) {
        const int n = WideCharToMultiByte(936, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
        gbk.assign(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(936, 0, wide.c_str(), -1, &gbk[0], n, nullptr, nullptr);
        gbk.resize(static_cast<size_t>(n - 1));
    }
    std::string hex;
    char byte[3];
    for (unsigned char c : gbk) {
        std::snprintf(byte, sizeof byte, "%02x", c);
        hex += byte;
    }
    return hex;
}

std::string Json(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::wstring TextOf(HWND hwnd) {
    // WM_GETTEXT reaches controls of another process too (GetWindowText does not).
    const LRESULT length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcslen(text.c_str()));
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[128] = {};
    GetClassNameW(hwnd, name, 128);
    return name;
}

void PrintWindow(HWND hwnd, bool topLevel);

struct ChildList {
    HWND parent;
    bool first = true;
};

BOOL CALLBACK PrintDirectChild(HWND hwnd, LPARAM param) {
    auto* list = reinterpret_cast<ChildList*>(param);
    if (GetParent(hwnd) != list->parent) return TRUE;  // EnumChildWindows walks all descendants
    if (!list->first) std::printf(",");
    list->first = false;
    PrintWindow(hwnd, false);
    return TRUE;
}

void PrintWindow(HWND hwnd, bool topLevel) {
    RECT outer, client;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    RECT place = outer;
    if (!topLevel) MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&place), 2);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    const std::wstring text = TextOf(hwnd);
    std::printf("{\"hwnd\":%lu,\"class\":%s,\"text\":%s,\"text_gbk\":\"%s\",", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hwnd)),
                Json(Utf8(ClassOf(hwnd))).c_str(), Json(Utf8(text)).c_str(), GbkHex(text).c_str());
    std::printf("\"rect\":[%ld,%ld,%ld,%ld],\"place\":[%ld,%ld],\"size\":[%ld,%ld],\"client\":[%ld,%ld],", outer.left,
                outer.top, outer.right, outer.bottom, place.left, place.top, outer.right - outer.left,
                outer.bottom - outer.top, client.right, client.bottom);
    std::printf("\"style\":%lu,\"exstyle\":%lu,\"enabled\":%s,\"visible\":%s,\"pid\":%lu,\"id\":%ld,",
                static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_EXSTYLE)), IsWindowEnabled(hwnd) ? "true" : "false",
                IsWindowVisible(hwnd) ? "true" : "false", static_cast<unsigned long>(pid),
                static_cast<long>(GetWindowLongW(hwnd, GWL_ID)));
    std::printf("\"children\":[");
    ChildList list{hwnd};
    EnumChildWindows(hwnd, PrintDirectChild, reinterpret_cast<LPARAM>(&list));
    std::printf("]}");
}

struct TopList {
    DWORD self;
    bool first = true;
};

BOOL CALLBACK PrintTopLevel(HWND hwnd, LPARAM param) {
    auto* list = reinterpret_cast<TopList*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == list->self || !IsWindowVisible(hwnd)) return TRUE;
    const std::wstring cls = ClassOf(hwnd);
    if (cls == L"Shell_TrayWnd" || cls == L"Progman") return TRUE;
    if (!list->first) std::printf(",");
    list->first = false;
    PrintWindow(hwnd, true);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) != "windows") {
        std::fprintf(stderr, "usage: probe.exe windows\n");
        return 2;
    }
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    HWND foreground = GetForegroundWindow();
    if (foreground) GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &gui);
    std::printf("{\"foreground\":%lu,\"active\":%lu,\"focus\":%lu,\"screen\":[%d,%d],\"windows\":[",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(foreground)),
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(gui.hwndActive)),
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(gui.hwndFocus)), GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN));
    TopList list{GetCurrentProcessId()};
    EnumWindows(PrintTopLevel, reinterpret_cast<LPARAM>(&list));
    std::printf("]}\n");
    return 0;
}
