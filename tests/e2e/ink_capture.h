// Fonts of another process's controls, seen the only way Wine lets us: WM_GETFONT answers
// nothing across processes and a font handle means nothing outside its process. So the
// driver compares what is drawn on screen with a look-alike control that it draws itself
// with a known font.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace e2e {

// Where a window's pixels are dark (text, check marks, lines): the part a font changes.
struct InkMask {
    int width = 0;
    int height = 0;
    std::vector<bool> dark;

    int InkCount() const;
    // Forgets the pixels inside `rect` (in the mask's own coordinates).
    void Clear(const RECT& rect);
    // Pixels that differ from `other`; every pixel when the sizes differ.
    int DifferenceFrom(const InkMask& other) const;
};

// A picture of the screen, taken once and cut into the rectangles of many windows.
class ScreenShot {
public:
    // The screen inside `area` (screen coordinates).
    explicit ScreenShot(const RECT& area);
    // The ink of `window`'s rectangle, which must lie inside the area.
    InkMask InkOf(HWND window) const;
    bool SamePixels(const ScreenShot& other) const { return pixels_ == other.pixels_; }

private:
    RECT area_{};
    std::vector<DWORD> pixels_;  // 0x00RRGGBB, top-down
};

// Waits until the screen inside `area` stops changing (the other process has painted), at
// most the reaction limit; then its picture.
ScreenShot SettledScreenShot(const RECT& area);

struct FontChoice {
    std::wstring face;
    int height;  // as in LOGFONT: negative for the character height in pixels
    int weight;
    bool italic;
};
std::string Describe(const FontChoice& font);

struct ActivationReleaser {
    void operator()(HANDLE context) const { ReleaseActCtx(context); }
};
// The activation context of a program's manifest, so that the driver's controls come from
// the same common controls library as the program's. Move-only; null without a manifest.
using ActivationContext = std::unique_ptr<void, ActivationReleaser>;
ActivationContext ManifestContext(const std::wstring& exe);

// Draws a look-alike of `original` (same class, styles, size, text and check state) with
// `font`, in a window of this process, and returns its ink.
InkMask LookalikeInk(HWND original, const FontChoice& font, const ActivationContext& controls);

}  // namespace e2e
