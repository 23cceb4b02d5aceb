#include "tests/e2e/message_box.h"

#include "tests/e2e/user_input.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace e2e {

std::vector<HWND> MessageBoxesOf(DWORD pid) {
    std::vector<HWND> boxes;
    for (HWND window : TopLevelWindows(pid, L"#32770")) {
        if (IsVisible(window)) {
            boxes.push_back(window);
        }
    }
    return boxes;
}

HWND AwaitMessageBox(DWORD pid, std::chrono::milliseconds limit) {
    HWND box = nullptr;
    Await(
        [&] {
            auto boxes = MessageBoxesOf(pid);
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr;
        },
        limit, "a message box");
    return box;
}

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.window = box;
    view.title = Text(box);
    for (HWND child : ChildWindows(box)) {
        if (!IsVisible(child)) {
            continue;
        }
        const std::string kind = ClassName(child);
        if (kind == "Button") {
            view.buttons.push_back(Text(child));
        } else if (kind == "Static") {
            if ((Style(child) & SS_TYPEMASK) == SS_ICON) {
                // The icon's static exists in every box; it shows something only with an icon.
                view.hasIcon = view.hasIcon || SendWithLimit(child, STM_GETICON) != 0;
            } else if (std::string text = Text(child); !text.empty()) {
                view.prompt = text;
            }
        }
    }
    return view;
}

void PressOk(HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    if (ok == nullptr) {
        throw HarnessError("the message box has no OK button");
    }
    Click(ok);
}

}  // namespace e2e
