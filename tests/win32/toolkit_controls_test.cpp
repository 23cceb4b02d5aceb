// The control contract on the real Win32 controls: a handler runs once per change, inside the
// change, whoever made it; the native control's own notifications never add a second run; a
// disabled control ignores the user and not code. Each case runs with the control directly on
// a window, inside a frame, and inside a frame in a frame, since frames hand notifications on.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <tuple>
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

enum class Placement { Window, Frame, NestedFrame };

const char* PlacementName(Placement placement) {
    switch (placement) {
        case Placement::Window:
            return "OnTheWindow";
        case Placement::Frame:
            return "InAFrame";
        case Placement::NestedFrame:
            return "InANestedFrame";
    }
    return "";
}

void PrintTo(Placement placement, std::ostream* out) {
    *out << PlacementName(placement);
}

constexpr Placement kPlacements[] = {Placement::Window, Placement::Frame, Placement::NestedFrame};

LPARAM Point(int x, int y) {
    return MAKELPARAM(x, y);
}

void Click(HWND window) {
    SendMessageW(window, BM_CLICK, 0, 0);
}

void PressAndRelease(HWND window, int upX, int upY) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, Point(upX, upY));
}

void SpaceKey(HWND window) {
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageW(window, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
}

void Type(HWND window, wchar_t code) {
    SendMessageW(window, WM_CHAR, code, 1);
}

// A host window with a frame and a frame inside it, and the services the peers report to.
class RealControls : public testing::Test {
protected:
    RealControls() {
        outer_ = Make(outerFrame_, host_.hwnd(), 0, 0, 360, 260);
        inner_ = Make(innerFrame_, outer_->hwnd(), 10, 20, 330, 220);
    }

    HWND ParentFor(Placement placement) const {
        switch (placement) {
            case Placement::Window:
                return host_.hwnd();
            case Placement::Frame:
                return outer_->hwnd();
            case Placement::NestedFrame:
                return inner_->hwnd();
        }
        return nullptr;
    }

    std::unique_ptr<NativeControl> Make(toolkit::Control& control, HWND parent, int x = 8,
                                        int y = 16, int width = 200, int height = 24) {
        toolkit::win32::PeerPlace place;
        place.parent = parent;
        place.id = 1000 + static_cast<int>(children_++);
        place.x = x;
        place.y = y;
        place.width = width;
        place.height = height;
        auto peer = toolkit::win32::CreatePeer(control, place, services_);
        EXPECT_NE(peer, nullptr);
        EXPECT_EQ(control.peer(), peer.get());
        return peer;
    }

    std::unique_ptr<NativeControl> Make(toolkit::Control& control, Placement placement) {
        return Make(control, ParentFor(placement));
    }

    toolkit::ScriptedServices services_;
    toolkit_test::TestHost host_;
    toolkit::Frame outerFrame_{"Frame1"};
    toolkit::Frame innerFrame_{"Frame5"};
    std::unique_ptr<NativeControl> outer_;
    std::unique_ptr<NativeControl> inner_;
    std::size_t children_ = 0;
};

// ---- Check box ----

struct CheckBoxRow {
    const char* name;
    int start;
    bool enabled;
    void (*act)(toolkit::CheckBox& box, HWND window);
    int runs;
    int value;
};

void PrintTo(const CheckBoxRow& row, std::ostream* out) {
    *out << row.name;
}

const CheckBoxRow kCheckBoxRows[] = {
    {"CodeTicks", 0, true, [](toolkit::CheckBox& b, HWND) { b.SetValue(1); }, 1, 1},
    {"CodeClears", 1, true, [](toolkit::CheckBox& b, HWND) { b.SetValue(0); }, 1, 0},
    {"CodeSetsTheSameValue", 1, true, [](toolkit::CheckBox& b, HWND) { b.SetValue(1); }, 0, 1},
    {"CodeTicksADisabledBox", 0, false, [](toolkit::CheckBox& b, HWND) { b.SetValue(1); }, 1, 1},
    // BM_SETCHECK, which is how the peer shows a value, sends no BN_CLICKED of its own.
    {"NativeSetCheckIsNoClick", 0, true,
     [](toolkit::CheckBox&, HWND w) { SendMessageW(w, BM_SETCHECK, BST_CHECKED, 0); }, 0, 0},
    {"UserClickTicks", 0, true, [](toolkit::CheckBox&, HWND w) { Click(w); }, 1, 1},
    {"UserClickClears", 1, true, [](toolkit::CheckBox&, HWND w) { Click(w); }, 1, 0},
    {"MousePressAndRelease", 0, true, [](toolkit::CheckBox&, HWND w) { PressAndRelease(w, 5, 5); },
     1, 1},
    // Released away from the box: the button sends no click.
    {"ReleasedOutside", 0, true, [](toolkit::CheckBox&, HWND w) { PressAndRelease(w, -40, -40); },
     0, 0},
    {"SpaceKey", 0, true, [](toolkit::CheckBox&, HWND w) { SpaceKey(w); }, 1, 1},
    {"TwoUserClicks", 0, true,
     [](toolkit::CheckBox&, HWND w) {
         Click(w);
         Click(w);
     },
     2, 0},
    // A message sent to a disabled window still arrives; the toolkit ignores it.
    {"UserClickOnADisabledBox", 0, false, [](toolkit::CheckBox&, HWND w) { Click(w); }, 0, 0},
    {"CodeTicksThenUserClears", 0, true,
     [](toolkit::CheckBox& b, HWND w) {
         b.SetValue(1);
         Click(w);
     },
     2, 0},
};

class CheckBoxOnRealControls
    : public RealControls,
      public testing::WithParamInterface<std::tuple<CheckBoxRow, Placement>> {};

TEST_P(CheckBoxOnRealControls, RunsTheClickHandlerOncePerChange) {
    const auto& [row, placement] = GetParam();
    toolkit::CheckBox box("chkTest");
    box.SetValue(row.start);
    box.SetEnabled(row.enabled);
    auto peer = Make(box, placement);
    ASSERT_NE(peer, nullptr);

    int runs = 0;
    std::vector<LRESULT> nativeSeen;
    box.onClick = [&] {
        ++runs;
        nativeSeen.push_back(SendMessageW(peer->hwnd(), BM_GETCHECK, 0, 0));
    };
    row.act(box, peer->hwnd());

    EXPECT_EQ(runs, row.runs);
    EXPECT_EQ(box.value(), row.value);
    if (row.name != std::string("NativeSetCheckIsNoClick")) {
        EXPECT_EQ(SendMessageW(peer->hwnd(), BM_GETCHECK, 0, 0),
                  row.value == 1 ? BST_CHECKED : BST_UNCHECKED);
    }
    if (!nativeSeen.empty()) {
        EXPECT_EQ(nativeSeen.back(), row.value == 1 ? BST_CHECKED : BST_UNCHECKED)
            << "the native box shows the new value before the handler runs";
    }
    EXPECT_EQ(IsWindowEnabled(peer->hwnd()) != FALSE, row.enabled);
}

INSTANTIATE_TEST_SUITE_P(Rows, CheckBoxOnRealControls,
                         testing::Combine(testing::ValuesIn(kCheckBoxRows),
                                          testing::ValuesIn(kPlacements)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    PlacementName(std::get<1>(info.param));
                         });

// ---- Mouse-up over a check box ----

struct MouseUpRow {
    const char* name;
    UINT message;
    WPARAM keys;
    int button;
    int shift;
};

void PrintTo(const MouseUpRow& row, std::ostream* out) {
    *out << row.name;
}

const MouseUpRow kMouseUpRows[] = {
    {"Left", WM_LBUTTONUP, 0, 1, 0},
    {"Right", WM_RBUTTONUP, 0, 2, 0},
    {"Middle", WM_MBUTTONUP, 0, 4, 0},
    {"ShiftLeft", WM_LBUTTONUP, MK_SHIFT, 1, 1},
    {"ControlRight", WM_RBUTTONUP, MK_CONTROL, 2, 2},
    {"ShiftControlMiddle", WM_MBUTTONUP, MK_SHIFT | MK_CONTROL, 4, 3},
};

class MouseUpOnRealControls : public RealControls,
                              public testing::WithParamInterface<MouseUpRow> {};

TEST_P(MouseUpOnRealControls, ReportsTheButtonTheKeysAndThePlaceInTwips) {
    const auto& row = GetParam();
    toolkit::CheckBox box("chkIcon");
    auto peer = Make(box, Placement::Frame);
    std::vector<toolkit::MouseEvent> events;
    box.onMouseUp = [&](const toolkit::MouseEvent& event) { events.push_back(event); };

    SendMessageW(peer->hwnd(), row.message, row.keys, Point(10, 4));

    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].button, row.button);
    EXPECT_EQ(events[0].shift, row.shift);
    HDC screen = GetDC(nullptr);
    const float dpi = static_cast<float>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    EXPECT_FLOAT_EQ(events[0].x, 10 * 1440 / dpi);
    EXPECT_FLOAT_EQ(events[0].y, 4 * 1440 / dpi);
}

INSTANTIATE_TEST_SUITE_P(Rows, MouseUpOnRealControls, testing::ValuesIn(kMouseUpRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RealControls, AClickRunsBeforeTheMouseUpOfTheSameRelease) {
    toolkit::CheckBox box("chkIcon");
    auto peer = Make(box, Placement::Window);
    std::vector<std::string> order;
    box.onClick = [&] { order.push_back("click"); };
    box.onMouseUp = [&](const toolkit::MouseEvent&) { order.push_back("mouse up"); };
    PressAndRelease(peer->hwnd(), 5, 5);
    EXPECT_EQ(order, (std::vector<std::string>{"click", "mouse up"}));
}

TEST_F(RealControls, ADisabledBoxGetsNoMouseUp) {
    toolkit::CheckBox box("chkIcon");
    box.SetEnabled(false);
    auto peer = Make(box, Placement::Window);
    int ups = 0;
    box.onMouseUp = [&](const toolkit::MouseEvent&) { ++ups; };
    SendMessageW(peer->hwnd(), WM_LBUTTONUP, 0, Point(5, 5));
    EXPECT_EQ(ups, 0);
}

// ---- Text box ----

struct TextBoxRow {
    const char* name;
    const char* start;
    bool enabled;
    void (*act)(toolkit::TextBox& box, HWND window);
    int changes;
    const char* text;
    std::vector<int> hookSaw;
};

void PrintTo(const TextBoxRow& row, std::ostream* out) {
    *out << row.name;
}

const TextBoxRow kTextBoxRows[] = {
    {"CodeSetsText", "", true, [](toolkit::TextBox& b, HWND) { b.SetText("abc"); }, 1, "abc", {}},
    {"CodeSetsTheSameText",
     "abc",
     true,
     [](toolkit::TextBox& b, HWND) { b.SetText("abc"); },
     0,
     "abc",
     {}},
    {"CodeClearsText", "abc", true, [](toolkit::TextBox& b, HWND) { b.SetText(""); }, 1, "", {}},
    {"CodeSetsTextOfADisabledBox",
     "",
     false,
     [](toolkit::TextBox& b, HWND) { b.SetText("C:\\Temp"); },
     1,
     "C:\\Temp",
     {}},
    {"CodeSetsTextOutsideAscii",
     "",
     true,
     [](toolkit::TextBox& b, HWND) {
         b.SetText(
             "Gr\xC3\xBC\xC3\x9F"
             "e");
     },
     1,
     "Gr\xC3\xBC\xC3\x9F"
     "e",
     {}},
    // Text that reaches the edit from elsewhere is the user's edit.
    {"EditReplacedFromOutside",
     "abc",
     true,
     [](toolkit::TextBox&, HWND w) {
         SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
     },
     1,
     "typed",
     {}},
    {"SelectionReplaced",
     "abc",
     true,
     [](toolkit::TextBox&, HWND w) {
         SendMessageW(w, EM_SETSEL, 3, 3);
         SendMessageW(w, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"de"));
     },
     1,
     "abcde",
     {}},
    {"TypedCharacter", "", true, [](toolkit::TextBox&, HWND w) { Type(w, L'7'); }, 1, "7", {'7'}},
    {"HookDiscardsTheKey",
     "",
     true,
     [](toolkit::TextBox&, HWND w) { Type(w, L'x'); },
     0,
     "",
     {'x'}},
    {"HookReplacesTheKey",
     "",
     true,
     [](toolkit::TextBox&, HWND w) { Type(w, L'a'); },
     1,
     "b",
     {'a'}},
    {"Backspace",
     "abc",
     true,
     [](toolkit::TextBox&, HWND w) {
         SendMessageW(w, EM_SETSEL, 3, 3);
         Type(w, L'\b');
     },
     1,
     "ab",
     {8}},
    {"TypedOutsideAscii",
     "",
     true,
     [](toolkit::TextBox&, HWND w) { Type(w, 0x00E9); },
     1,
     "\xC3\xA9",
     {0xE9}},
    // Codes from 0x8000 up are negative as 16-bit integers and must come back whole.
    {"TypedCharacterAboveTheSignedRange",
     "",
     true,
     [](toolkit::TextBox&, HWND w) { Type(w, 0xFF21); },
     1,
     "\xEF\xBC\xA1",
     {static_cast<std::int16_t>(0xFF21)}},
    {"TypedIntoADisabledBox",
     "",
     false,
     [](toolkit::TextBox&, HWND w) { Type(w, L'7'); },
     0,
     "",
     {}},
    {"TwoTypedCharacters",
     "",
     true,
     [](toolkit::TextBox&, HWND w) {
         Type(w, L'1');
         Type(w, L'2');
     },
     2,
     "12",
     {'1', '2'}},
};

class TextBoxOnRealControls
    : public RealControls,
      public testing::WithParamInterface<std::tuple<TextBoxRow, Placement>> {};

TEST_P(TextBoxOnRealControls, RunsTheChangeHandlerOncePerChange) {
    const auto& [row, placement] = GetParam();
    toolkit::TextBox box("txtTest");
    box.SetText(row.start);
    box.SetEnabled(row.enabled);
    auto peer = Make(box, placement);
    ASSERT_NE(peer, nullptr);
    ASSERT_EQ(WindowText(peer->hwnd()), Widen(row.start));

    int changes = 0;
    std::vector<std::pair<std::string, std::wstring>> seen;
    std::vector<int> hookSaw;
    box.onChange = [&] {
        ++changes;
        seen.emplace_back(box.text(), WindowText(peer->hwnd()));
    };
    // The hook of a digits-only box, with one substitution to show the code is passed back.
    box.onKeyPress = [&](std::int16_t& code) {
        hookSaw.push_back(code);
        if (code == 'x') {
            code = 0;
        } else if (code == 'a') {
            code = 'b';
        }
    };
    row.act(box, peer->hwnd());

    EXPECT_EQ(changes, row.changes);
    EXPECT_EQ(box.text(), row.text);
    EXPECT_EQ(WindowText(peer->hwnd()), Widen(row.text));
    EXPECT_EQ(hookSaw, row.hookSaw);
    for (const auto& [text, native] : seen) {
        EXPECT_EQ(Widen(text), native) << "the handler sees the text the edit shows";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, TextBoxOnRealControls,
                         testing::Combine(testing::ValuesIn(kTextBoxRows),
                                          testing::ValuesIn(kPlacements)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    PlacementName(std::get<1>(info.param));
                         });

// Puts `text` on the clipboard for the paste below.
bool SetClipboardText(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) {
        return false;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool placed = false;
    if (memory != nullptr) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!placed) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
    return placed;
}

TEST_F(RealControls, PastedTextIsNotFilteredByTheKeyHook) {
    toolkit::TextBox box("txtDownload");
    auto peer = Make(box, Placement::Frame);
    int changes = 0;
    int hooked = 0;
    box.onChange = [&] { ++changes; };
    box.onKeyPress = [&](std::int16_t& code) {
        ++hooked;
        code = 0;
    };
    ASSERT_TRUE(SetClipboardText(host_.hwnd(), L"12ab"));
    SendMessageW(peer->hwnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(hooked, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.text(), "12ab");
}

TEST_F(RealControls, AHandlerThatRewritesItsOwnBoxRunsOnceForEachChange) {
    toolkit::TextBox box("txtIETitle");
    auto peer = Make(box, Placement::Window);
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
struct InexactTextRow {
    const char* name;
    std::string text;
};

void PrintTo(const InexactTextRow& row, std::ostream* out) {
    *out << row.name;
}

class InexactTextOnRealControls : public RealControls,
                                  public testing::WithParamInterface<InexactTextRow> {};

TEST_P(InexactTextOnRealControls, IsStillOneChangeFromCode) {
    toolkit::TextBox box("txtIETitle");
    auto peer = Make(box, Placement::Frame);
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.SetText(GetParam().text);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, InexactTextOnRealControls,
                         testing::Values(InexactTextRow{"LineBreak", "one\r\ntwo"},
                                         InexactTextRow{"EmbeddedNul", std::string("a\0b", 3)},
                                         InexactTextRow{"NotUtf8", "caf\xE9"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RealControls, TheEditHasNoLengthLimit) {
    toolkit::TextBox box("txtDefaultDir");
    auto peer = Make(box, Placement::Window);
    const std::string longText(40000, 'd');
    box.SetText(longText);
    EXPECT_GE(SendMessageW(peer->hwnd(), EM_GETLIMITTEXT, 0, 0), 40000);
    EXPECT_EQ(GetWindowTextLengthW(peer->hwnd()), 40000);
    EXPECT_EQ(box.text(), longText);
}

std::wstring TooltipText(const toolkit::win32::TextBoxPeer& peer) {
    std::wstring buffer(1024, L'\0');
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = GetParent(peer.hwnd());
    tool.uId = reinterpret_cast<UINT_PTR>(peer.hwnd());
    tool.lpszText = buffer.data();
    SendMessageW(peer.tooltip(), TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
    buffer.resize(std::wcslen(buffer.c_str()));
    return buffer;
}

TEST_F(RealControls, TheTooltipShowsWhatTheBoxHolds) {
    toolkit::TextBox box("txtBackground");
    box.SetTooltip("set before the window existed");
    auto peer = Make(box, Placement::NestedFrame);
    const auto& textPeer = static_cast<const toolkit::win32::TextBoxPeer&>(*peer);
    ASSERT_NE(textPeer.tooltip(), nullptr);
    EXPECT_EQ(TooltipText(textPeer), L"set before the window existed");

    box.SetTooltip(
        "C:\\Program Files\\Korvane\\Gr\xC3\xBC\xC3\x9F"
        "e.bmp");
    EXPECT_EQ(TooltipText(textPeer), L"C:\\Program Files\\Korvane\\Gr\u00FC\u00DFe.bmp");
}

// ---- Push button, label, frame, list box ----

struct ButtonRow {
    const char* name;
    bool enabled;
    void (*act)(HWND window);
    int runs;
};

void PrintTo(const ButtonRow& row, std::ostream* out) {
    *out << row.name;
}

const ButtonRow kButtonRows[] = {
    {"UserClick", true, [](HWND w) { Click(w); }, 1},
    {"MousePressAndRelease", true, [](HWND w) { PressAndRelease(w, 5, 5); }, 1},
    {"ReleasedOutside", true, [](HWND w) { PressAndRelease(w, -40, -40); }, 0},
    {"SpaceKey", true, [](HWND w) { SpaceKey(w); }, 1},
    {"TwoClicks", true,
     [](HWND w) {
         Click(w);
         Click(w);
     },
     2},
    {"ClickOnADisabledButton", false, [](HWND w) { Click(w); }, 0},
};

class PushButtonOnRealControls
    : public RealControls,
      public testing::WithParamInterface<std::tuple<ButtonRow, Placement>> {};

TEST_P(PushButtonOnRealControls, RunsTheClickHandlerOncePerClick) {
    const auto& [row, placement] = GetParam();
    toolkit::PushButton button("cmdTest");
    button.SetCaption("...");
    button.SetEnabled(row.enabled);
    auto peer = Make(button, placement);
    int runs = 0;
    button.onClick = [&] { ++runs; };
    row.act(peer->hwnd());
    EXPECT_EQ(runs, row.runs);
    EXPECT_EQ(WindowText(peer->hwnd()), L"...");
}

INSTANTIATE_TEST_SUITE_P(Rows, PushButtonOnRealControls,
                         testing::Combine(testing::ValuesIn(kButtonRows),
                                          testing::ValuesIn(kPlacements)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    PlacementName(std::get<1>(info.param));
                         });

TEST_F(RealControls, CaptionsAreShownAtOnce) {
    toolkit::Label label("lblVersion");
    toolkit::Frame frame("Frame7");
    toolkit::CheckBox box("chkSelect");
    frame.SetCaption("IE Common Domain Search");
    box.SetCaption("Add\\Remove Selected IE Toolbar Buttons");
    auto labelPeer = Make(label, Placement::Window);
    auto framePeer = Make(frame, Placement::Window);
    auto boxPeer = Make(box, Placement::Frame);
    EXPECT_EQ(WindowText(labelPeer->hwnd()), L"");
    EXPECT_EQ(WindowText(framePeer->hwnd()), L"IE Common Domain Search");
    EXPECT_EQ(WindowText(boxPeer->hwnd()), L"Add\\Remove Selected IE Toolbar Buttons");

    label.SetCaption("6.0.2800.1106 & more");
    EXPECT_EQ(WindowText(labelPeer->hwnd()), L"6.0.2800.1106 & more");
    EXPECT_NE(GetWindowLongW(labelPeer->hwnd(), GWL_STYLE) & SS_NOPREFIX, 0)
        << "an & in a caption is shown, not taken for a mnemonic";
}

TEST_F(RealControls, NativeStylesLeaveTheStateToTheToolkit) {
    toolkit::CheckBox box("chkTest");
    toolkit::Frame frame("Frame1");
    toolkit::TextBox text("txtTest");
    auto boxPeer = Make(box, Placement::Window);
    auto framePeer = Make(frame, Placement::Window);
    auto textPeer = Make(text, Placement::Window);
    EXPECT_EQ(GetWindowLongW(boxPeer->hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_CHECKBOX);
    EXPECT_EQ(GetWindowLongW(framePeer->hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_NE(GetWindowLongW(framePeer->hwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
    EXPECT_NE(GetWindowLongW(framePeer->hwnd(), GWL_STYLE) & WS_CLIPCHILDREN, 0);
    const LONG editStyle = GetWindowLongW(textPeer->hwnd(), GWL_STYLE);
    EXPECT_NE(editStyle & ES_AUTOHSCROLL, 0);
    EXPECT_EQ(editStyle & ES_MULTILINE, 0);
}

TEST_F(RealControls, ChoosingAListItemIsAClickAndCodeSelectingIsNot) {
    toolkit::ListBox list("lstDomain");
    auto peer = Make(list, Placement::NestedFrame);
    SendMessageW(peer->hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"example.com"));
    SendMessageW(peer->hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"example.org"));
    int clicks = 0;
    list.onClick = [&] { ++clicks; };

    SendMessageW(peer->hwnd(), LB_SETCURSEL, 1, 0);
    EXPECT_EQ(clicks, 0);
    SendMessageW(peer->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 3));
    SendMessageW(peer->hwnd(), WM_LBUTTONUP, 0, Point(5, 3));
    EXPECT_EQ(clicks, 1);
}

TEST_F(RealControls, EnablingFromCodeReachesTheNativeControl) {
    toolkit::CheckBox box("chkIEErr");
    auto peer = Make(box, Placement::Window);
    EXPECT_TRUE(IsWindowEnabled(peer->hwnd()));
    box.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(peer->hwnd()));
    box.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(peer->hwnd()));
}

// ---- Failures that escape a handler ----

struct FailureRow {
    const char* name;
    void (*fail)();
    const char* prompt;
};

void PrintTo(const FailureRow& row, std::ostream* out) {
    *out << row.name;
}

const FailureRow kFailureRows[] = {
    {"ProgramError", [] { throw toolkit::Error(toolkit::kTypeMismatch); },
     "Error: 13. Type mismatch"},
    {"OutOfMemory", [] { throw std::bad_alloc(); }, "Error: 7. Out of memory"},
    {"AnyOtherFailure", [] { throw std::logic_error("no control named chkNone"); },
     "Error: 51. Internal error"},
};

class FailuresOnRealControls : public RealControls,
                               public testing::WithParamInterface<FailureRow> {};

TEST_P(FailuresOnRealControls, AreReportedTitledKorvaneAndStopAtTheWindowProcedure) {
    const auto& row = GetParam();
    toolkit::CheckBox box("chkTest");
    toolkit::TextBox text("txtTest");
    auto boxPeer = Make(box, Placement::Frame);
    auto textPeer = Make(text, Placement::Frame);
    box.onClick = [&] { row.fail(); };
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
    EXPECT_EQ(box.value(), 1) << "the click happened before its handler failed";
    EXPECT_EQ(changes, 0) << "a key whose hook failed is not typed";
    EXPECT_EQ(WindowText(textPeer->hwnd()), L"");
}

INSTANTIATE_TEST_SUITE_P(Rows, FailuresOnRealControls, testing::ValuesIn(kFailureRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
