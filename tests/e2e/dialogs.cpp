#include "tests/e2e/dialogs.h"

#include <dlgs.h>

#include "tests/e2e/text_convert.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace e2e {

namespace {

// The file-open dialog's file name box: the edit of the combo box cmb13, or the edit edt1.
HWND FileNameEdit(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, cmb13); combo != nullptr && IsVisible(combo)) {
        if (ClassName(combo) == "Edit") {
            return combo;
        }
        for (HWND child : DescendantWindows(combo)) {
            if (ClassName(child) == "Edit") {
                return child;
            }
        }
    }
    if (HWND edit = GetDlgItem(dialog, edt1); edit != nullptr && IsVisible(edit)) {
        return edit;
    }
    throw HarnessError("the file dialog has no file name box");
}

}  // namespace

std::vector<HWND> DialogsOf(DWORD pid) {
    std::vector<HWND> dialogs;
    for (HWND window : TopLevelWindows(pid, L"#32770")) {
        if (IsVisible(window)) {
            dialogs.push_back(window);
        }
    }
    return dialogs;
}

HWND AwaitDialog(DWORD pid, const std::string& what) {
    HWND dialog = nullptr;
    Await(
        [&] {
            const auto dialogs = DialogsOf(pid);
            dialog = dialogs.empty() ? nullptr : dialogs.front();
            return dialog != nullptr;
        },
        kStartLimit, what);
    return dialog;
}

void AwaitClosed(HWND dialog, const std::string& what) {
    Await([&] { return !IsWindow(dialog) || !IsVisible(dialog); }, kReactLimit, what + " to close");
}

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.window = box;
    view.title = Text(box);
    for (HWND child : DescendantWindows(box)) {
        const std::string kind = ClassName(child);
        if (!IsVisible(child)) {
            continue;
        } else if (kind == "Button") {
            view.buttons.push_back(Text(child));
        } else if (kind == "Static" && (Style(child) & SS_TYPEMASK) == SS_ICON) {
            // The icon's static exists in every box; it shows something only with an icon.
            view.hasIcon = view.hasIcon || SendWithLimit(child, STM_GETICON) != 0;
        } else if (std::string text = Text(child); kind == "Static" && !text.empty()) {
            view.prompt = text;
        }
    }
    return view;
}

void PressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) {
        throw HarnessError("the dialog has no button " + std::to_string(id));
    }
    Click(button);
}

HWND FileTypeBox(HWND dialog) {
    HWND types = GetDlgItem(dialog, cmb1);
    if (types == nullptr) {
        throw HarnessError("the file dialog has no list of file types");
    }
    return types;
}

void ChooseFile(HWND dialog, std::string_view path) {
    const HWND edit = FileNameEdit(dialog);
    const std::wstring wide = Widen(path);
    SendWithLimit(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    Await([&] { return Text(edit) == path; }, kReactLimit, "the file name in the dialog");
    PressButton(dialog, IDOK);
}

}  // namespace e2e
