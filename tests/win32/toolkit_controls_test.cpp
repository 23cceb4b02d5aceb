// The control contract on the real Win32 controls: a handler runs once per change, inside the
// change, whoever made it; the native control's own notifications never add a second run; a
// disabled control ignores the user and not code. Frames hand notifications on, so routing is
// checked on the window, in a frame and in a frame in a frame; the rest runs in a frame.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/win32/toolkit_test_host.h"
#include "toolkit/controls.h"
#include "toolkit/error.h"
#include "toolkit/scripted_services.h"
#include "toolkit/win32/peer_factory.h"
#include "toolkit/win32/text_box_peer.h"
#include "toolkit/win32/text_encoding.h"

namespace {

using toolkit::win32::NativeControl;
using toolkit::win32::Widen;
using toolkit_test::WindowText;

void Click(HWND window) {
    SendMessageW(window, BM_CLICK, 0, 0);
}

void Type(HWND window, wchar_t code) {
    SendMessageW(window, WM_CHAR, code, 1);
}

// Plays `script` on a button or check box, one step per character: c a click, p a mouse press
// and release on it, o a press released outside, s the space key, n a native BM_SETCHECK, and
// 0 or 1 the value set from code.
void Play(const char* script, HWND window, toolkit::CheckBox* box) {
    for (const char* step = script; *step != '\0'; ++step) {
        switch (*step) {
            case 'c':
                Click(window);
                break;
            case 'p':
            case 'o': {
                const int at = *step == 'p' ? 5 : -40;
                SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at, at));
                break;
            }
            case 's':
                SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
                SendMessageW(window, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
                break;
            case 'n':
                SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
                break;
            default:
                box->SetValue(*step - '0');
                break;
        }
    }
}

// A host window with a frame and a frame inside it, and the services the peers report to.
class RealControls : public testing::Test {
protected:
    enum Placement { kWindow, kFrame, kNestedFrame };

    RealControls() {
        outer_ = Make(outerFrame_, host_.hwnd(), 0, 0, 360, 260);
        inner_ = Make(innerFrame_, outer_->hwnd(), 10, 20, 330, 220);
    }

    std::unique_ptr<NativeControl> Make(toolkit::Control& control, HWND parent, int x = 8,
                                        int y = 16, int width = 200, int height = 24) {
        toolkit::win32::PeerPlace place;
        place.parent = parent;
        place.id = 1000 + children_++;
        place.x = x;
        place.y = y;
        place.width = width;
        place.height = height;
        auto peer = toolkit::win32::CreatePeer(control, place, services_);
        EXPECT_NE(peer, nullptr);
        EXPECT_EQ(control.peer(), peer.get());
        return peer;
    }

    std::unique_ptr<NativeControl> Make(toolkit::Control& control, Placement placement = kFrame) {
        const HWND parents[] = {host_.hwnd(), outer_->hwnd(), inner_->hwnd()};
        return Make(control, parents[placement]);
    }

    toolkit::ScriptedServices services_;
    toolkit_test::TestHost host_;
    toolkit::Frame outerFrame_{"Frame1"};
    toolkit::Frame innerFrame_{"Frame5"};
    std::unique_ptr<NativeControl> outer_;
    std::unique_ptr<NativeControl> inner_;
    int children_ = 0;
};

TEST_F(RealControls, NotificationsReachTheControlWhereverItSits) {
    for (const Placement placement : {kWindow, kFrame, kNestedFrame}) {
        SCOPED_TRACE(placement);
        toolkit::CheckBox box("chkTest");
        toolkit::PushButton button("cmdTest");
        toolkit::TextBox text("txtTest");
        auto boxPeer = Make(box, placement);
        auto buttonPeer = Make(button, placement);
        auto textPeer = Make(text, placement);
        int clicks = 0;
        int changes = 0;
        box.onClick = [&] { ++clicks; };
        button.onClick = [&] { ++clicks; };
        text.onChange = [&] { ++changes; };
        Click(boxPeer->hwnd());
        Click(buttonPeer->hwnd());
        Type(textPeer->hwnd(), L'7');
        EXPECT_EQ(clicks, 2);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(text.text(), "7");
    }
}

TEST_F(RealControls, ACheckBoxRunsItsClickHandlerOncePerChange) {
    const struct {
        const char* script;
        int start;
        bool enabled;
        int runs;
        int value;
    } rows[] = {
        {"1", 0, true, 1, 1},
        {"0", 1, true, 1, 0},
        {"1", 1, true, 0, 1},
        {"1", 0, false, 1, 1},
        {"c", 0, true, 1, 1},
        {"c", 1, true, 1, 0},
        {"p", 0, true, 1, 1},
        {"o", 0, true, 0, 0},
        {"s", 0, true, 1, 1},
        {"cc", 0, true, 2, 0},
        {"1c", 0, true, 2, 0},
        {"c", 0, false, 0, 0},  // a message sent to a disabled window arrives; it is ignored
        {"n", 0, true, 0, 0},   // how the peer shows a value: no click of its own
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.script << " from " << row.start << (row.enabled ? "" : ", disabled"));
        toolkit::CheckBox box("chkTest");
        box.SetValue(row.start);
        box.SetEnabled(row.enabled);
        auto peer = Make(box);
        int runs = 0;
        std::optional<LRESULT> nativeInHandler;
        box.onClick = [&] {
            ++runs;
            nativeInHandler = SendMessageW(peer->hwnd(), BM_GETCHECK, 0, 0);
        };
        Play(row.script, peer->hwnd(), &box);

        const LRESULT shown = row.value == 1 ? BST_CHECKED : BST_UNCHECKED;
        EXPECT_EQ(runs, row.runs);
        EXPECT_EQ(box.value(), row.value);
        if (row.script[0] != 'n') {
            EXPECT_EQ(SendMessageW(peer->hwnd(), BM_GETCHECK, 0, 0), shown);
        }
        if (nativeInHandler) {
            EXPECT_EQ(*nativeInHandler, shown) << "the native box shows the value before";
        }
        EXPECT_EQ(IsWindowEnabled(peer->hwnd()) != FALSE, row.enabled);
    }
}

TEST_F(RealControls, APushButtonRunsItsClickHandlerOncePerClick) {
    const struct {
        const char* script;
        bool enabled;
        int runs;
    } rows[] = {{"c", true, 1}, {"p", true, 1},  {"o", true, 0},
                {"s", true, 1}, {"cc", true, 2}, {"c", false, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        toolkit::PushButton button("cmdTest");
        button.SetCaption("...");
        button.SetEnabled(row.enabled);
        auto peer = Make(button);
        int runs = 0;
        button.onClick = [&] { ++runs; };
        Play(row.script, peer->hwnd(), nullptr);
        EXPECT_EQ(runs, row.runs);
        EXPECT_EQ(WindowText(peer->hwnd()), L"...");
    }
}

TEST_F(RealControls, AMouseUpGivesButtonKeysAndPlaceInTwipsAfterTheClick) {
    const struct {
        UINT message;
        WPARAM keys;
        int button;
        int shift;
    } rows[] = {{WM_LBUTTONUP, 0, 1, 0},
                {WM_RBUTTONUP, 0, 2, 0},
                {WM_MBUTTONUP, 0, 4, 0},
                {WM_RBUTTONUP, MK_SHIFT | MK_CONTROL, 2, 3}};
    HDC screen = GetDC(nullptr);
    const float dpi = static_cast<float>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    toolkit::CheckBox box("chkIcon");
    auto peer = Make(box);
    std::vector<toolkit::MouseEvent> events;
    box.onMouseUp = [&](const toolkit::MouseEvent& event) { events.push_back(event); };
    for (const auto& row : rows) {
        events.clear();
        SendMessageW(peer->hwnd(), row.message, row.keys, MAKELPARAM(10, 4));
        ASSERT_EQ(events.size(), 1u) << row.message;
        EXPECT_EQ(events[0].button, row.button);
        EXPECT_EQ(events[0].shift, row.shift);
        EXPECT_FLOAT_EQ(events[0].x, 10 * 1440 / dpi);
        EXPECT_FLOAT_EQ(events[0].y, 4 * 1440 / dpi);
    }

    std::vector<std::string> order;
    box.onClick = [&] { order.push_back("click"); };
    box.onMouseUp = [&](const toolkit::MouseEvent&) { order.push_back("mouse up"); };
    Play("p", peer->hwnd(), &box);
    EXPECT_EQ(order, (std::vector<std::string>{"click", "mouse up"}));
    order.clear();
    box.SetEnabled(false);
    SendMessageW(peer->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(order.empty()) << "a disabled box gets no mouse up";
}

TEST_F(RealControls, ATextBoxRunsItsChangeHandlerOncePerChange) {
    // How the text changes: from code, WM_SETTEXT from outside, EM_REPLACESEL at the end, or
    // each character of `arg` typed at the end.
    enum Op { kCode, kOutside, kReplace, kType };
    const struct {
        const char* start;
        bool enabled;
        Op op;
        const char* arg;
        int changes;
        const char* text;
        std::vector<int> hookSaw;
    } rows[] = {
        {"", true, kCode, "abc", 1, "abc", {}},
        {"abc", true, kCode, "abc", 0, "abc", {}},
        {"", false, kCode, "C:\\Temp", 1, "C:\\Temp", {}},
        {"", true, kCode, "Gr\xC3\xBC\xC3\x9F", 1, "Gr\xC3\xBC\xC3\x9F", {}},
        {"abc", true, kOutside, "typed", 1, "typed", {}},  // the user's edit
        {"abc", true, kReplace, "de", 1, "abcde", {}},
        {"", true, kType, "7", 1, "7", {'7'}},
        {"", true, kType, "x", 0, "", {'x'}},   // the hook discards it
        {"", true, kType, "a", 1, "b", {'a'}},  // the hook replaces it
        {"abc", true, kType, "\b", 1, "ab", {8}},
        {"", true, kType, "\xC3\xA9", 1, "\xC3\xA9", {0xE9}},
        // Codes from 0x8000 up are negative as 16-bit integers and must come back whole.
        {"", true, kType, "\xEF\xBC\xA1", 1, "\xEF\xBC\xA1", {static_cast<std::int16_t>(0xFF21)}},
        {"", false, kType, "7", 0, "", {}},
        {"", true, kType, "12", 2, "12", {'1', '2'}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.op << " " << row.arg << " on " << row.start);
        toolkit::TextBox box("txtTest");
        box.SetText(row.start);
        box.SetEnabled(row.enabled);
        auto peer = Make(box);
        HWND edit = peer->hwnd();
        ASSERT_EQ(WindowText(edit), Widen(row.start));
        int changes = 0;
        std::vector<int> hookSaw;
        box.onChange = [&] {
            ++changes;
            EXPECT_EQ(Widen(box.text()), WindowText(edit)) << "the handler sees what it shows";
        };
        box.onKeyPress = [&](std::int16_t& code) {
            hookSaw.push_back(code);
            code = code == 'x' ? 0 : code == 'a' ? 'b' : code;
        };
        const std::wstring arg = Widen(row.arg);
        SendMessageW(edit, EM_SETSEL, 100, 100);
        switch (row.op) {
            case kCode:
                box.SetText(row.arg);
                break;
            case kOutside:
                SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg.c_str()));
                break;
            case kReplace:
                SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(arg.c_str()));
                break;
            case kType:
                for (const wchar_t c : arg) {
                    Type(edit, c);
                }
                break;
        }
        EXPECT_EQ(changes, row.changes);
        EXPECT_EQ(box.text(), row.text);
        EXPECT_EQ(WindowText(edit), Widen(row.text));
        EXPECT_EQ(hookSaw, row.hookSaw);
    }
}

TEST_F(RealControls, PastedTextIsNotFilteredByTheKeyHook) {
    toolkit::TextBox box("txtDownload");
    auto peer = Make(box);
    int changes = 0;
    int hooked = 0;
    box.onChange = [&] { ++changes; };
    box.onKeyPress = [&](std::int16_t& code) {
        ++hooked;
        code = 0;
    };
    const wchar_t text[] = L"12ab";
    ASSERT_TRUE(OpenClipboard(host_.hwnd()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(GlobalLock(memory), text, sizeof text);
    GlobalUnlock(memory);
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    ASSERT_TRUE(placed);
    SendMessageW(peer->hwnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(hooked, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.text(), "12ab");
}

TEST_F(RealControls, AHandlerThatRewritesItsOwnBoxRunsOnceForEachChange) {
    toolkit::TextBox box("txtIETitle");
    auto peer = Make(box, kWindow);
    std::vector<std::string> runs;
    box.onChange = [&] {
        runs.push_back(box.text());
        if (box.text() == "abc") {
            box.SetText("ABC");
        }
    };
    SendMessageW(peer->hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
    EXPECT_EQ(runs, (std::vector<std::string>{"abc", "ABC"}));
    EXPECT_EQ(WindowText(peer->hwnd()), L"ABC");
}

// Text the edit cannot hold exactly as given: what it shows differs from what the program set,
// and its EN_CHANGE for the program's own WM_SETTEXT must still not count as the user's edit.
TEST_F(RealControls, TextTheEditCannotHoldIsStillOneChangeFromCode) {
    for (const std::string& text :
         {std::string("one\r\ntwo"), std::string("a\0b", 3), std::string("caf\xE9")}) {
        toolkit::TextBox box("txtIETitle");
        auto peer = Make(box);
        int changes = 0;
        box.onChange = [&] { ++changes; };
        box.SetText(text);
        EXPECT_EQ(changes, 1) << text;
        EXPECT_EQ(box.text(), text);
    }
}

TEST_F(RealControls, TheTooltipShowsWhatTheBoxHolds) {
    toolkit::TextBox box("txtBackground");
    box.SetTooltip("set before the window existed");
    auto peer = Make(box, kNestedFrame);
    const auto& textPeer = static_cast<const toolkit::win32::TextBoxPeer&>(*peer);
    ASSERT_NE(textPeer.tooltip(), nullptr);
    const auto tooltipText = [&] {
        std::wstring buffer(1024, L'\0');
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = GetParent(textPeer.hwnd());
        tool.uId = reinterpret_cast<UINT_PTR>(textPeer.hwnd());
        tool.lpszText = buffer.data();
        SendMessageW(textPeer.tooltip(), TTM_GETTEXTW, buffer.size(),
                     reinterpret_cast<LPARAM>(&tool));
        return std::wstring(buffer.c_str());
    };
    EXPECT_EQ(tooltipText(), L"set before the window existed");
    box.SetTooltip("C:\\Korvane\\Gr\xC3\xBC\xC3\x9F.bmp");
    EXPECT_EQ(tooltipText(), L"C:\\Korvane\\Gr\u00FC\u00DF.bmp");
}

TEST_F(RealControls, CaptionsAreShownAtOnceAndAnAmpersandAsItself) {
    toolkit::Label label("lblVersion");
    toolkit::Frame frame("Frame7");
    frame.SetCaption("IE Common Domain Search");
    auto labelPeer = Make(label, kWindow);
    auto framePeer = Make(frame, kWindow);
    EXPECT_EQ(WindowText(labelPeer->hwnd()), L"");
    EXPECT_EQ(WindowText(framePeer->hwnd()), L"IE Common Domain Search");
    label.SetCaption("6.0.2800.1106 & more");
    EXPECT_EQ(WindowText(labelPeer->hwnd()), L"6.0.2800.1106 & more");
    EXPECT_NE(GetWindowLongW(labelPeer->hwnd(), GWL_STYLE) & SS_NOPREFIX, 0);
}

TEST_F(RealControls, ChoosingAListItemIsAClickAndCodeSelectingIsNot) {
    toolkit::ListBox list("lstDomain");
    auto peer = Make(list, kNestedFrame);
    SendMessageW(peer->hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"example.com"));
    SendMessageW(peer->hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"example.org"));
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    SendMessageW(peer->hwnd(), LB_SETCURSEL, 1, 0);
    EXPECT_EQ(clicks, 0);
    SendMessageW(peer->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3));
    SendMessageW(peer->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 3));
    EXPECT_EQ(clicks, 1);
}

// A failure that escapes a handler is reported titled "Korvane" and stops at the window
// procedure; the click has happened, the key whose hook failed is not typed.
TEST_F(RealControls, FailuresThatEscapeAHandlerAreReported) {
    const struct {
        void (*fail)();
        const char* prompt;
    } rows[] = {
        {[] { throw toolkit::Error(toolkit::kTypeMismatch); }, "Error: 13. Type mismatch"},
        {[] { throw std::bad_alloc(); }, "Error: 7. Out of memory"},
        {[] { throw std::logic_error("no control named chkNone"); }, "Error: 51. Internal error"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.prompt);
        services_.messages.clear();
        toolkit::CheckBox box("chkTest");
        toolkit::TextBox text("txtTest");
        auto boxPeer = Make(box);
        auto textPeer = Make(text);
        box.onClick = row.fail;
        text.onKeyPress = [&](std::int16_t&) { row.fail(); };
        int changes = 0;
        text.onChange = [&] { ++changes; };
        Click(boxPeer->hwnd());
        Type(textPeer->hwnd(), L'5');
        ASSERT_EQ(services_.messages.size(), 2u);
        for (const auto& message : services_.messages) {
            EXPECT_EQ(message.prompt, row.prompt);
            EXPECT_EQ(message.title, std::optional<std::string>("Korvane"));
            EXPECT_EQ(message.buttons, toolkit::kOkOnly);
        }
        EXPECT_EQ(box.value(), 1);
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(WindowText(textPeer->hwnd()), L"");
    }
}

}  // namespace
