// The window base and the handle owners: who destroys a window and when, where its messages
// go after a move, and that nothing thrown crosses a window procedure.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <utility>

#include "tests/win32/toolkit_test_host.h"
#include "toolkit/controls.h"
#include "toolkit/scripted_services.h"
#include "toolkit/win32/handles.h"
#include "toolkit/win32/peer_factory.h"
#include "toolkit/win32/wnd.h"

namespace {

using toolkit::win32::Wnd;

constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kThrow = WM_APP + 2;

// Counts kProbe and throws on kThrow.
class ProbeWnd : public Wnd {
public:
    int probes = 0;
    WORD lastCommand = 0;
    int commands = 0;

    void OnCommand(WORD code) override {
        ++commands;
        lastCommand = code;
    }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kProbe) {
            ++probes;
            return 42;
        }
        if (message == kThrow) {
            throw std::runtime_error("escaped");
        }
        return Default(message, wParam, lParam);
    }
};

HWND NewChild(HWND parent) {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

class WindowBase : public testing::Test {
protected:
    toolkit_test::TestHost host_;
};

TEST_F(WindowBase, OwnsItsWindowUntilItGoes) {
    HWND window = NewChild(host_.hwnd());
    {
        ProbeWnd probe;
        ASSERT_TRUE(probe.Attach(window));
        EXPECT_EQ(Wnd::FromHandle(window), &probe);
        EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 42);
        EXPECT_EQ(probe.probes, 1);
    }
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowBase, RefusesANullOrSecondWindowAndDetachingLeavesItAliveAndUnrouted) {
    ProbeWnd probe;
    EXPECT_FALSE(probe.Attach(nullptr));
    HWND first = NewChild(host_.hwnd());
    HWND second = NewChild(host_.hwnd());
    ASSERT_TRUE(probe.Attach(first));
    EXPECT_FALSE(probe.Attach(second));
    EXPECT_EQ(Wnd::FromHandle(second), nullptr);
    EXPECT_EQ(probe.Detach(), first);
    EXPECT_EQ(probe.hwnd(), nullptr);
    EXPECT_TRUE(IsWindow(first));
    EXPECT_EQ(Wnd::FromHandle(first), nullptr);
    SendMessageW(first, kProbe, 0, 0);
    EXPECT_EQ(probe.probes, 0);
    DestroyWindow(first);
    DestroyWindow(second);
}

TEST_F(WindowBase, AMoveTakesTheMessagesAlong) {
    ProbeWnd first;
    HWND window = NewChild(host_.hwnd());
    ASSERT_TRUE(first.Attach(window));
    ProbeWnd second(std::move(first));
    EXPECT_EQ(first.hwnd(), nullptr);
    EXPECT_EQ(second.hwnd(), window);
    EXPECT_EQ(Wnd::FromHandle(window), &second);
    SendMessageW(window, kProbe, 0, 0);
    EXPECT_EQ(first.probes, 0);
    EXPECT_EQ(second.probes, 1);

    ProbeWnd third;
    HWND other = NewChild(host_.hwnd());
    ASSERT_TRUE(third.Attach(other));
    third = std::move(second);
    EXPECT_FALSE(IsWindow(other)) << "the window it held before is destroyed";
    EXPECT_EQ(Wnd::FromHandle(window), &third);
}

TEST_F(WindowBase, LetsGoWhenTheSystemDestroysTheWindow) {
    ProbeWnd child;
    {
        toolkit_test::TestHost parent;
        ASSERT_TRUE(child.Attach(NewChild(parent.hwnd())));
    }
    // Destroyed with its parent; the owner must not destroy the handle a second time.
    EXPECT_EQ(child.hwnd(), nullptr);
    child.Destroy();
}

TEST_F(WindowBase, NothingThrownCrossesTheWindowProcedure) {
    ProbeWnd probe;
    ASSERT_TRUE(probe.Attach(NewChild(host_.hwnd())));
    EXPECT_EQ(SendMessageW(probe.hwnd(), kThrow, 0, 0), 0);
    EXPECT_EQ(SendMessageW(probe.hwnd(), kProbe, 0, 0), 42) << "the window still works";
}

TEST_F(WindowBase, RoutesNotificationsToTheSenderOnly) {
    ProbeWnd sender;
    ASSERT_TRUE(sender.Attach(NewChild(host_.hwnd())));
    HWND stranger = NewChild(host_.hwnd());
    LRESULT result = -1;

    EXPECT_TRUE(toolkit::win32::RouteNotification(WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED),
                                                  reinterpret_cast<LPARAM>(sender.hwnd()), result));
    EXPECT_EQ(sender.commands, 1);
    EXPECT_EQ(sender.lastCommand, BN_CLICKED);
    EXPECT_EQ(result, 0);

    // Enter in a dialog sends IDOK without a sender; a window of no object is not routed.
    EXPECT_FALSE(toolkit::win32::RouteNotification(WM_COMMAND, IDOK, 0, result));
    EXPECT_FALSE(toolkit::win32::RouteNotification(WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED),
                                                   reinterpret_cast<LPARAM>(stranger), result));
    EXPECT_FALSE(toolkit::win32::RouteNotification(WM_PAINT, 0, 0, result));
    EXPECT_EQ(sender.commands, 1);
    DestroyWindow(stranger);
}

TEST(HandleOwners, MoveEmptiesTheSourceAndCloseIsSafeTwice) {
    toolkit::win32::UniqueFont font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                                                0, 0, 0, 0, L"MS Sans Serif"));
    ASSERT_TRUE(font);
    HFONT raw = font.get();
    toolkit::win32::UniqueFont moved(std::move(font));
    EXPECT_FALSE(font);
    EXPECT_EQ(moved.get(), raw);
    EXPECT_NE(GetObjectType(raw), 0u);
    moved.Close();
    moved.Close();
    EXPECT_FALSE(moved);
    EXPECT_EQ(GetObjectType(raw), 0u) << "the font was deleted";
}

TEST_F(WindowBase, APeerDetachesFromItsControlWhenItGoes) {
    toolkit::ScriptedServices services;
    toolkit::CheckBox box("chkTest");
    toolkit::win32::PeerPlace place;
    place.parent = host_.hwnd();
    place.width = 100;
    place.height = 20;
    HWND window = nullptr;
    {
        auto peer = toolkit::win32::CreatePeer(box, place, services);
        ASSERT_NE(peer, nullptr);
        window = peer->hwnd();
        EXPECT_EQ(box.peer(), peer.get());
    }
    EXPECT_EQ(box.peer(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    int runs = 0;
    box.onClick = [&] { ++runs; };
    box.SetValue(1);
    EXPECT_EQ(runs, 1) << "the portable box goes on without a native one";
}

}  // namespace
