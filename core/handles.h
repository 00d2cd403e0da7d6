#pragma once
// One owner type for every kind of handle: move-only, closed exactly once.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <utility>

template <typename Traits>
class UniqueAny {
public:
    using pointer = typename Traits::Type;

    UniqueAny() noexcept = default;
    explicit UniqueAny(pointer handle) noexcept : m_handle(handle) {}
    ~UniqueAny() { reset(); }

    UniqueAny(UniqueAny&& other) noexcept : m_handle(other.release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;

    pointer get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept { return m_handle != Traits::Invalid(); }

    pointer release() noexcept { return std::exchange(m_handle, Traits::Invalid()); }
    void reset(pointer handle = Traits::Invalid()) noexcept
    {
        const pointer old = std::exchange(m_handle, handle);
        if (old != Traits::Invalid()) Traits::Close(old);
    }
    // For out-parameters: frees what is held and hands out the slot.
    pointer* put() noexcept
    {
        reset();
        return &m_handle;
    }

private:
    pointer m_handle = Traits::Invalid();
};

namespace handle_traits {
// A handle that is empty when null and is closed by one call.
template <typename Handle, auto CloseFunction>
struct Null {
    using Type = Handle;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { CloseFunction(h); }
};
// A handle that is empty when INVALID_HANDLE_VALUE (CreateFile's, FindFirstFile's, ...).
template <auto CloseFunction>
struct InvalidValue {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { CloseFunction(h); }
};
}  // namespace handle_traits

using UniqueHkey = UniqueAny<handle_traits::Null<HKEY, &RegCloseKey>>;
using UniqueFile = UniqueAny<handle_traits::InvalidValue<&CloseHandle>>;
using UniqueFindFile = UniqueAny<handle_traits::InvalidValue<&FindClose>>;
using UniqueChangeNotification = UniqueAny<handle_traits::InvalidValue<&FindCloseChangeNotification>>;
using UniqueHandle = UniqueAny<handle_traits::Null<HANDLE, &CloseHandle>>;
using UniqueHmenu = UniqueAny<handle_traits::Null<HMENU, &DestroyMenu>>;
using UniqueHicon = UniqueAny<handle_traits::Null<HICON, &DestroyIcon>>;
// GDI objects, one owner per kind so each hands out its own type: DeleteObject takes them all.
template <typename GdiHandle>
using UniqueGdi = UniqueAny<handle_traits::Null<GdiHandle, &DeleteObject>>;
using UniqueHfont = UniqueGdi<HFONT>;
using UniqueHbitmap = UniqueGdi<HBITMAP>;
using UniqueHbrush = UniqueGdi<HBRUSH>;
using UniqueHwnd = UniqueAny<handle_traits::Null<HWND, &DestroyWindow>>;
using UniqueMappedView = UniqueAny<handle_traits::Null<void*, &UnmapViewOfFile>>;
// Memory the system allocated for the caller with LocalAlloc, typed as the call hands it out
// (a SID text, an argument vector, an ACL, a security descriptor).
template <typename Pointer>
using UniqueLocalAs = UniqueAny<handle_traits::Null<Pointer, &LocalFree>>;
using UniqueLocal = UniqueLocalAs<HLOCAL>;
// Memory a COM or shell call allocated for the caller with CoTaskMemAlloc (a known folder's path).
template <typename Pointer>
using UniqueCoTaskMem = UniqueAny<handle_traits::Null<Pointer, &CoTaskMemFree>>;
// CreateCompatibleDC's device context, deleted (not released) when done.
using UniqueMemoryDc = UniqueAny<handle_traits::Null<HDC, &DeleteDC>>;
using UniqueImageList = UniqueAny<handle_traits::Null<HIMAGELIST, &ImageList_Destroy>>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : m_window(window), m_dc(GetDC(window)) {}
    // The whole window's, frame included, for painting the non-client area.
    WindowDc(HWND window, bool wholeWindow) noexcept
        : m_window(window), m_dc(wholeWindow ? GetWindowDC(window) : GetDC(window))
    {
    }
    ~WindowDc()
    {
        if (m_dc != nullptr) ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// The device context of a WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : m_window(window), m_dc(BeginPaint(window, &m_paint)) {}
    ~PaintDc() { EndPaint(m_window, &m_paint); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const noexcept { return m_dc; }
    const RECT& Update() const noexcept { return m_paint.rcPaint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// An object selected into a device context for a scope; what was selected before is put back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~SelectedObject()
    {
        if (m_previous != nullptr && m_previous != HGDI_ERROR) SelectObject(m_dc, m_previous);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Runs an action when the scope is left, however it is left: for the state a scope sets and
// must put back (a flag, a pointer), where no handle is involved.
template <typename Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action) : m_action(std::move(action)) {}
    ~ScopeExit() { m_action(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Action m_action;
};
