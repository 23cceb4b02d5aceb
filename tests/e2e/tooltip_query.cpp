#include "tests/e2e/tooltip_query.h"

#include <commctrl.h>

#include <array>

#include "tests/e2e/remote_memory.h"
#include "tests/e2e/text_convert.h"
#include "tests/e2e/window_query.h"

namespace e2e {

namespace {

// The longest tip text the control hands out, with its NUL.
constexpr std::size_t kTipChars = 1024;
constexpr std::size_t kTextOffset = (sizeof(TTTOOLINFOW) + 15) / 16 * 16;

}  // namespace

std::optional<std::string> TooltipText(DWORD pid, HWND tool) {
    RemoteBuffer buffer(pid, kTextOffset + kTipChars * sizeof(wchar_t));
    for (HWND tip : TopLevelWindows(pid, TOOLTIPS_CLASSW)) {
        TTTOOLINFOW info{};
        // The older size: every comctl32 takes it.
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.uFlags = TTF_IDISHWND;
        info.hwnd = GetParent(tool);
        info.uId = reinterpret_cast<UINT_PTR>(tool);
        info.lpszText = static_cast<wchar_t*>(buffer.at(kTextOffset));
        std::array<wchar_t, kTipChars> text{};
        buffer.Write(text.data(), text.size() * sizeof(wchar_t), kTextOffset);
        buffer.Write(&info, sizeof info);
        if (!SendWithLimit(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(buffer.address()))) {
            continue;
        }
        // GETTOOLINFO may have pointed lpszText at the tool's own copy: ask for the text.
        buffer.Write(&info, sizeof info);
        SendWithLimit(tip, TTM_GETTEXTW, kTipChars, reinterpret_cast<LPARAM>(buffer.address()));
        buffer.Read(text.data(), text.size() * sizeof(wchar_t), kTextOffset);
        text.back() = L'\0';
        return Narrow(text.data());
    }
    return std::nullopt;
}

}  // namespace e2e
