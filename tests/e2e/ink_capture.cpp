#include "tests/e2e/ink_capture.h"

#include <memory>
#include <type_traits>

#include "tests/e2e/text_convert.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace e2e {

namespace {

// Darker than this in every channel counts as ink; the face colour of controls is light.
constexpr DWORD kInkLevel = 0x60;

bool IsInk(DWORD pixel) {
    return ((pixel >> 16) & 0xFF) < kInkLevel && ((pixel >> 8) & 0xFF) < kInkLevel &&
           (pixel & 0xFF) < kInkLevel;
}

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;
struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// Activates an activation context for the life of the object.
class ActivationScope {
public:
    explicit ActivationScope(HANDLE context)
        : active_(context != nullptr && ActivateActCtx(context, &cookie_) != FALSE) {}
    ActivationScope(const ActivationScope&) = delete;
    ActivationScope& operator=(const ActivationScope&) = delete;
    ~ActivationScope() {
        if (active_) {
            DeactivateActCtx(0, cookie_);
        }
    }

private:
    ULONG_PTR cookie_ = 0;
    bool active_;
};

constexpr wchar_t kHostClass[] = L"KorvaneE2eLookalikeHost";

void RegisterHostClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kHostClass;
    RegisterClassExW(&wc);  // a second registration fails harmlessly
}

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

int InkMask::InkCount() const {
    int count = 0;
    for (bool pixel : dark) {
        count += pixel ? 1 : 0;
    }
    return count;
}

void InkMask::Clear(const RECT& rect) {
    for (int y = rect.top > 0 ? rect.top : 0; y < rect.bottom && y < height; ++y) {
        for (int x = rect.left > 0 ? rect.left : 0; x < rect.right && x < width; ++x) {
            dark[static_cast<size_t>(y * width + x)] = false;
        }
    }
}

int InkMask::DifferenceFrom(const InkMask& other) const {
    if (width != other.width || height != other.height) {
        return width * height > other.width * other.height ? width * height
                                                           : other.width * other.height;
    }
    int count = 0;
    for (size_t i = 0; i < dark.size(); ++i) {
        count += dark[i] != other.dark[i] ? 1 : 0;
    }
    return count;
}

ScreenShot::ScreenShot(const RECT& area) : area_(area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        throw HarnessError("an empty area cannot be captured");
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const BOOL copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    if (copied && bits != nullptr) {
        const auto* begin = static_cast<const DWORD*>(bits);
        pixels_.assign(begin, begin + static_cast<size_t>(width) * static_cast<size_t>(height));
        for (DWORD& pixel : pixels_) {
            pixel &= 0x00FFFFFF;
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied) {
        throw HarnessError("the screen could not be captured");
    }
}

InkMask ScreenShot::InkOf(HWND window) const {
    RECT rect = WindowRectOf(window);
    RECT inside{};
    if (!IntersectRect(&inside, &rect, &area_) || !EqualRect(&inside, &rect)) {
        throw HarnessError("the window " + Describe(rect) + " lies outside the picture " +
                           Describe(area_));
    }
    InkMask mask;
    mask.width = rect.right - rect.left;
    mask.height = rect.bottom - rect.top;
    const int stride = area_.right - area_.left;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            mask.dark.push_back(
                IsInk(pixels_[static_cast<size_t>((y - area_.top) * stride + (x - area_.left))]));
        }
    }
    return mask;
}

ScreenShot SettledScreenShot(const RECT& area) {
    ScreenShot last(area);
    // Settled means unchanged over a few polls in a row.
    int unchanged = 0;
    WaitUntil(
        [&] {
            ScreenShot now(area);
            unchanged = now.SamePixels(last) ? unchanged + 1 : 0;
            last = std::move(now);
            return unchanged >= 3;
        },
        kReactLimit);
    return last;
}

std::string Describe(const FontChoice& font) {
    return "\"" + Narrow(font.face) + "\" height " + std::to_string(font.height) + " weight " +
           std::to_string(font.weight) + (font.italic ? " italic" : "");
}

InkMask LookalikeInk(HWND original, const FontChoice& font, const ActivationContext& controls) {
    ActivationScope scope(controls.get());
    RegisterHostClass();
    const RECT rect = WindowRectOf(original);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // Top left of the screen, above everything, never active: nothing else is disturbed.
    OwnedWindow host(CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                                     kHostClass, L"", WS_POPUP, 0, 0, width, height, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!host) {
        throw HarnessError("the look-alike's window could not be made");
    }
    const auto style = static_cast<DWORD>(Style(original)) | WS_CHILD | WS_VISIBLE;
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(original, GWL_EXSTYLE));
    OwnedWindow copy(CreateWindowExW(exStyle, Widen(ClassName(original)).c_str(),
                                     Widen(Text(original)).c_str(), style & ~WS_POPUP, 0, 0, width,
                                     height, host.get(), nullptr, GetModuleHandleW(nullptr),
                                     nullptr));
    if (!copy) {
        throw HarnessError("the look-alike of a " + ClassName(original) + " could not be made");
    }
    OwnedFont hfont(CreateFontW(font.height, 0, 0, 0, font.weight, font.italic, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face.c_str()));
    SendMessageW(copy.get(), WM_SETFONT, reinterpret_cast<WPARAM>(hfont.get()), TRUE);
    if (ClassName(original) == "Button") {
        SendMessageW(copy.get(), BM_SETCHECK, static_cast<WPARAM>(CheckState(original)), 0);
    }
    SetWindowPos(host.get(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RedrawWindow(host.get(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return SettledScreenShot(WindowRectOf(copy.get())).InkOf(copy.get());
}

ActivationContext ManifestContext(const std::wstring& exe) {
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = exe.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);  // the manifest of an executable
    HANDLE context = CreateActCtxW(&request);
    return ActivationContext(context == INVALID_HANDLE_VALUE ? nullptr : context);
}

}  // namespace e2e
