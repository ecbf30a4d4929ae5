#include "test_support.h"

#include <map>

#include "app/shell.h"
#include "app/shell_state.h"

std::function<void()> onACreated;
std::function<void()> onBCreated;
MessageLog* activeLog = nullptr;

namespace {

void RunOnce(std::function<void()>& slot) {
    auto step = std::move(slot);
    slot = nullptr;
    if (step) step();
}

void ACreated() { RunOnce(onACreated); }
void BCreated() { RunOnce(onBCreated); }

constexpr ControlDefinition kButton[] = {
    {"按钮1", ControlKind::TextButton, kParentIsWindow, 10, 10, 100, 30, "确定"},
};

std::map<UINT_PTR, std::function<void()>> pending;

void CALLBACK FireLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto found = pending.find(id);
    if (found == pending.end()) return;
    auto step = std::move(found->second);
    pending.erase(found);
    step();
}

const char* NameOf(HWND hwnd) {
    ProgramWindow* window = Shell().ForHandle(hwnd);
    if (!window) return nullptr;
    const WindowDefinition* def = &window->Definition();
    if (def == &TestMain) return "main";
    if (def == &TestDialogA) return "A";
    if (def == &TestDialogB) return "B";
    return nullptr;
}

HHOOK hook = nullptr;

LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && activeLog) {
        if (const char* name = NameOf(call->hwnd)) {
            switch (call->message) {
            case WM_ENABLE:
                activeLog->Note(std::string(name) + (call->wParam ? " enabled" : " disabled"));
                break;
            case WM_DESTROY:
                activeLog->Note(std::string(name) + " destroyed");
                break;
            case WM_ACTIVATE:
                if (LOWORD(call->wParam) != WA_INACTIVE) activeLog->Note(std::string(name) + " activated");
                break;
            default:
                break;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

const WindowDefinition TestMain = DefineWindow("测试主窗口", 300, 200, RGB(0, 0, 255), true, nullptr, kButton);
const WindowDefinition TestDialogA = DefineWindow("A", 240, 160, RGB(0, 0, 128), false, ACreated, kButton);
const WindowDefinition TestDialogB = DefineWindow("B", 200, 120, RGB(0, 0, 128), true, BCreated, kButton);

void Later(std::function<void()> step, UINT delayMs) {
    const UINT_PTR id = SetTimer(nullptr, 0, delayMs, FireLater);
    pending[id] = std::move(step);
}

MessageLog::MessageLog() {
    activeLog = this;
    hook = SetWindowsHookExW(WH_CALLWNDPROC, Record, nullptr, GetCurrentThreadId());
}

MessageLog::~MessageLog() {
    UnhookWindowsHookEx(hook);
    activeLog = nullptr;
}

void CleanUpWindows() {
    Shell().mainLoopStarted = false;
    while (Shell().AnyWindow()) DestroyWindow(Shell().Windows().back()->Handle());
    for (auto& [id, step] : pending) KillTimer(nullptr, id);
    pending.clear();
    onACreated = nullptr;
    onBCreated = nullptr;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}
