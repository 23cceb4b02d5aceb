// Move-only owners of Win32 handles: copying is deleted, moving empties the source, and
// Close() is safe to call twice.
#pragma once

#include <windows.h>

#include <utility>

namespace toolkit::win32 {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    // Takes ownership of `handle`; an invalid handle leaves the owner empty.
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Close(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = other.release();
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }

    // Gives up ownership without closing.
    [[nodiscard]] Handle release() { return std::exchange(handle_, Handle{}); }

    void Close() {
        if (handle_ != Handle{}) {
            Traits::Close(std::exchange(handle_, Handle{}));
        }
    }

private:
    Handle handle_{};
};

struct WindowTraits {
    using Handle = HWND;
    static void Close(HWND window) { DestroyWindow(window); }
};

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static void Close(HGDIOBJ object) { DeleteObject(object); }
};

struct FontTraits {
    using Handle = HFONT;
    static void Close(HFONT font) { DeleteObject(font); }
};

struct IconTraits {
    using Handle = HICON;
    static void Close(HICON icon) { DestroyIcon(icon); }
};

struct KernelTraits {
    using Handle = HANDLE;
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueFont = UniqueHandle<FontTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueKernelHandle = UniqueHandle<KernelTraits>;

// The screen's device context for as long as the object lives.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_ != nullptr) {
            ReleaseDC(nullptr, dc_);
        }
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;

    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace toolkit::win32
