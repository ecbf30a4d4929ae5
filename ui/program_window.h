#pragma once
#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/scoped_win.h"
#include "platform/zip_component.h"
#include "ui/controls.h"
#include "ui/window_definition.h"

// A window built from a WindowDefinition, with its controls. The object is
// bound to its HWND at WM_NCCREATE and lives until WM_NCDESTROY, when it tells
// its owner (the shell), which then deletes it.
class ProgramWindow {
public:
    class Observer {
    public:
        virtual void OnWindowDestroyed(ProgramWindow* window) = 0;

    protected:
        ~Observer() = default;
    };

    // Builds the window and its controls, placed and sized, not yet shown.
    // Null when the window or one of its controls cannot be created.
    static ProgramWindow* Build(const WindowDefinition& definition, Observer* observer);

    HWND Handle() const { return hwnd_; }
    const WindowDefinition& Definition() const { return definition_; }
    unsigned long Serial() const { return serial_; }

    HWND ControlHandle(const char* name) const;
    ZipComponent* Component(const char* name) const;

    // The main loop offers every keyboard message to the window it is aimed
    // at and then to that window's ancestors; true when the key was consumed.
    bool PreTranslateKey(const MSG& msg);

    // Modal bookkeeping: the other windows that this window's modal opening
    // disabled, with whether each was enabled before.
    void RememberDisabled(HWND other, bool wasEnabled) { disabledWindows_.emplace_back(other, wasEnabled); }
    void GiveBackOtherWindows();

    bool pendingDestroy = false;
    // Carries out a pending destroy request; does nothing without one.
    void CarryOutDestroyRequest();

    static UINT DestroyRequestMessage() { return WM_APP + 1; }

private:
    struct Control {
        const ControlDefinition* definition;
        HWND hwnd = nullptr;
        ScopedGdiObject picture;
        ScopedGdiObject font;
        std::unique_ptr<ZipComponent> component;
        std::unique_ptr<LabelLook> look;
    };

    explicit ProgramWindow(const WindowDefinition& definition);
    bool CreateControls();
    bool CreateControl(Control& control);
    void PlaceCentred();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCommand(HWND from, WORD code);
    static LRESULT CALLBACK Trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    const WindowDefinition& definition_;
    // Set once the window is complete: a window that fails while being built
    // deletes itself at WM_NCDESTROY and is never reported to the owner.
    Observer* observer_ = nullptr;
    unsigned long serial_;
    HWND hwnd_ = nullptr;
    ScopedGdiObject backgroundBrush_;
    std::vector<Control> controls_;
    std::vector<std::pair<HWND, bool>> disabledWindows_;
};

// Left and top edge that centre an outer size on a screen; integer division
// truncates toward zero, so a window taller than the screen gets a negative top.
POINT CentredOrigin(SIZE screen, SIZE window);
