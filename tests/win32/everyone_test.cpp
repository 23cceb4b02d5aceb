// Korvane for everyone, checked from outside: what a screen reader hears, the window on a
// monitor of another scale, and the tips of greyed boxes.
#include <oleacc.h>

#include "tests/win32/program.h"

namespace {

using namespace e2e;

// The name a screen reader hears for `control`, asked the way it asks.
std::wstring Heard(HWND control) {
    IAccessible* object = nullptr;
    BSTR name = nullptr;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    if (SUCCEEDED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                             IID_IAccessible, reinterpret_cast<void**>(&object)))) {
        object->get_accName(self, &name);
        object->Release();
    }
    std::wstring heard = name != nullptr ? name : L"(no name)";
    SysFreeString(name);
    return heard;
}

// WM_DPICHANGED as Windows sends it, the suggested frame in the program's memory.
void ChangeDpi(Program& program, int dpi, const RECT& frame) {
    void* there = VirtualAllocEx(program.process_.hProcess, nullptr, sizeof(frame), MEM_COMMIT,
                                 PAGE_READWRITE);
    WriteProcessMemory(program.process_.hProcess, there, &frame, sizeof(frame), nullptr);
    Send(program.window_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(there));
    VirtualFreeEx(program.process_.hProcess, there, 0, MEM_RELEASE);
}

// The regular font at `dpi`: "MS Sans Serif" of 8.25 points, as wide in a text box as here.
// Under Wine neither GetObject nor WM_GETFONT tells another process anything of a font, and
// the bold and italic ones are made by the same code.
void ExpectFont(Program& program, int dpi,
                std::source_location at = std::source_location::current()) {
    const testing::ScopedTrace trace(at.file_name(), static_cast<int>(at.line()), dpi);
    const HDC here = CreateCompatibleDC(nullptr);
    const HFONT font = CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif");
    SelectObject(here, font);
    SIZE wanted{};
    GetTextExtentPoint32W(here, L"WW", 2, &wanted);
    DeleteDC(here);
    DeleteObject(font);
    const HWND box = program.Control(&F::txtAddDomain);  // hidden: the user sees nothing
    Send(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"WWx"));
    const int width = LOWORD(Send(box, EM_POSFROMCHAR, 2)) - LOWORD(Send(box, EM_POSFROMCHAR, 0));
    EXPECT_EQ(width, wanted.cx);
}

class Everyone : public testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        for (const auto path : {kMain, kToolbar, kSettings, kPolicy}) {
            RegDeleteTreeW(kUser, path);
        }
    }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(Everyone, AScreenReaderHearsEachBoxByItsLabelAndEachButtonByWhatItDoes) {
    Program program;
    // Window data that another program overwrote is not where the program finds its objects.
    SetWindowLongPtrW(program.window_, GWLP_USERDATA, 0x1234);
    SetWindowLongPtrW(program.Control(&F::chkPassCach), GWLP_USERDATA, 0x1234);
    const std::pair<Box, std::wstring> heard[] = {
        {&F::txtBackground, L"Select A Background Bitmap for IE Toolbar"},
        {&F::txtIETitle, L"Change the IE Window Title"},
        {&F::txtDownload, L"Maximum # of Concurrent Downloads"},
        {&F::txtDefaultDir, L"Default IE Download Directory"},
        {&F::cmdBackground, L"Browse for the toolbar bitmap"},
        {&F::cmdDir, L"Browse for the download folder"},
        {&F::cmdHelp, L"Help: open the readme"},
        {&F::chkPassCach, L"Disable IE Password Caching"},
    };
    for (const auto& [box, name] : heard) {
        EXPECT_EQ(Heard(program.Control(box)), name);
    }
    program.Click(&F::chkPassCach);
    EXPECT_EQ(Stored(kUser, kSettings, L"DisablePasswordCaching"), L"dword 1");
}

TEST_F(Everyone, OnAMonitorOfAnotherScaleEverythingIsLaidOutAgainForIt) {
    Program program;
    RECT frame{}, client{};
    GetWindowRect(program.window_, &frame);
    GetClientRect(program.window_, &client);
    const LONG edges = frame.right - frame.left - client.right;
    const LONG caption = frame.bottom - frame.top - client.bottom;
    for (const int dpi : {144, 96}) {
        const RECT suggested{40, 30, 40 + MulDiv(app::kClientWidthTwips, dpi, 1440) + edges,
                             30 + MulDiv(app::kClientHeightTwips, dpi, 1440) + caption};
        ChangeDpi(program, dpi, suggested);
        GetWindowRect(program.window_, &frame);
        EXPECT_EQ(std::tuple(frame.left, frame.top, frame.right, frame.bottom),
                  std::tuple(suggested.left, suggested.top, suggested.right, suggested.bottom));
        ExpectLaidOut(program.window_, dpi);
        ExpectFont(program, dpi);
        EXPECT_EQ(Send(program.Tips(), TTM_GETMAXTIPWIDTH),
                  MulDiv(app::kClientWidthTwips, dpi, 1440));
    }
    // A rectangle outside the program's memory, or a DPI no screen has, moves nothing.
    Send(program.window_, WM_DPICHANGED, MAKEWPARAM(144, 144), 16);
    ChangeDpi(program, 4000, frame);
    ExpectLaidOut(program.window_, 96);
    EXPECT_EQ(WaitForSingleObject(program.process_.hProcess, 0), WAIT_TIMEOUT);
}

TEST_F(Everyone, StartedAt144DpiTheWindowIsLaidOutForIt) {
    const auto logPixels = [](DWORD dpi) {
        RegSetKeyValueW(kUser, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                        sizeof(dpi));
    };
    logPixels(144);
    Program program;
    logPixels(GetDeviceCaps(GetDC(nullptr), LOGPIXELSY));  // this process's, read as it started
    ExpectLaidOut(program.window_, 144);
    ExpectFont(program, 144);
}

TEST_F(Everyone, AGreyedBoxShowsItsTipUnderThePointer) {
    Program program;  // the toolbar's policy is off: its boxes are greyed
    const HWND box = program.Control(&F::chkBack);
    ASSERT_FALSE(IsWindowEnabled(box));
    RECT place{};
    GetWindowRect(box, &place);
    SetCursorPos(place.left + 4, place.top + 4);
    SetCursorPos(place.left + 6, place.top + 6);
    const std::wstring tip = program.Tip(&F::chkBack);
    EXPECT_TRUE(WaitFor(
        [&] { return IsWindowVisible(program.Tips()) && Text(program.Tips()) == tip; }, 5000));
}

}  // namespace
