#pragma once
#include <windows.h>

#include <utility>

// Owning wrappers for Win32 handles: each closes its handle exactly once, in
// its destructor or on Reset, and can be moved but not copied.
template <typename Traits>
class ScopedWin {
public:
    using Handle = typename Traits::Handle;

    ScopedWin() = default;
    explicit ScopedWin(Handle h) : h_(h) {}
    ScopedWin(ScopedWin&& other) noexcept : h_(other.Release()) {}
    ScopedWin& operator=(ScopedWin&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    ScopedWin(const ScopedWin&) = delete;
    ScopedWin& operator=(const ScopedWin&) = delete;
    ~ScopedWin() { Reset(); }

    Handle Get() const { return h_; }
    bool IsValid() const { return h_ != Traits::Invalid(); }
    explicit operator bool() const { return IsValid(); }

    Handle Release() { return std::exchange(h_, Traits::Invalid()); }
    // Closes the held handle now; returns false when closing it failed.
    bool Reset(Handle h = Traits::Invalid()) {
        bool ok = true;
        if (h_ != Traits::Invalid()) ok = Traits::Close(h_);
        h_ = h;
        return ok;
    }

private:
    Handle h_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return CloseHandle(h) != FALSE; }
};
using ScopedFile = ScopedWin<FileHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return FindClose(h) != FALSE; }
};
using ScopedFind = ScopedWin<FindHandleTraits>;

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};
using ScopedKey = ScopedWin<RegKeyTraits>;

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return DeleteObject(h) != FALSE; }
};
using ScopedGdiObject = ScopedWin<GdiObjectTraits>;

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return DestroyIcon(h) != FALSE; }
};
using ScopedIcon = ScopedWin<IconTraits>;

struct HookTraits {
    using Handle = HHOOK;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return UnhookWindowsHookEx(h) != FALSE; }
};
using ScopedHook = ScopedWin<HookTraits>;

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return DeleteDC(h) != FALSE; }
};
using ScopedMemoryDc = ScopedWin<MemoryDcTraits>;

// A DC from GetDC, given back with ReleaseDC.
class ScopedWindowDc {
public:
    explicit ScopedWindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~ScopedWindowDc() { if (dc_) ReleaseDC(hwnd_, dc_); }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~ScopedPaint() { EndPaint(hwnd_, &ps_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, old_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};
