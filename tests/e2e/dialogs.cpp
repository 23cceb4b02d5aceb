#include "tests/e2e/dialogs.h"

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <array>
#include <functional>

#include "tests/e2e/remote_memory.h"
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

// A tree view of another process, read through a RemoteBuffer.
class RemoteTree {
public:
    // Room for an item's text in the remote buffer, after the item itself.
    static constexpr std::size_t kTextChars = 520;
    static constexpr std::size_t kTextOffset = (sizeof(TVITEMW) + 15) / 16 * 16;

    RemoteTree(HWND tree, DWORD pid)
        : tree_(tree), buffer_(pid, kTextOffset + kTextChars * sizeof(wchar_t)) {}

    HTREEITEM Root() const { return Next(TVGN_ROOT, nullptr); }

    std::string ItemText(HTREEITEM item) const {
        TVITEMW request{};
        request.mask = TVIF_TEXT | TVIF_HANDLE;
        request.hItem = item;
        request.pszText = static_cast<wchar_t*>(buffer_.at(kTextOffset));
        request.cchTextMax = static_cast<int>(kTextChars);
        const wchar_t nothing = L'\0';
        buffer_.Write(&nothing, sizeof nothing, kTextOffset);
        buffer_.Write(&request, sizeof request);
        if (SendWithLimit(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer_.address())) ==
            0) {
            throw HarnessError("the tree view did not give an item's text");
        }
        std::array<wchar_t, kTextChars> text{};
        buffer_.Read(text.data(), text.size() * sizeof(wchar_t), kTextOffset);
        text.back() = L'\0';
        return Narrow(text.data());
    }

    // Makes the item the selection (the dialog is told as it is of a click on it).
    void Select(HTREEITEM item) const {
        SendWithLimit(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        Await([&] { return Next(TVGN_CARET, nullptr) == item; }, kReactLimit,
              "the tree item \"" + ItemText(item) + "\" to be selected");
    }

    // Expands the item as the Right key does on the selection (the owner fills it on
    // demand), and waits until it has a child that `wanted` accepts; that child.
    HTREEITEM ExpandTo(HTREEITEM item, const std::function<bool(const std::string&)>& wanted,
                       const std::string& what) const {
        HTREEITEM found = nullptr;
        auto find = [&] {
            for (HTREEITEM child = Next(TVGN_CHILD, item); child != nullptr && found == nullptr;
                 child = Next(TVGN_NEXT, child)) {
                found = wanted(ItemText(child)) ? child : nullptr;
            }
            return found != nullptr;
        };
        if (!find()) {
            Select(item);
            PressKey(tree_, VK_RIGHT);
            if (!WaitUntil(find, kReactLimit)) {
                throw HarnessError("no " + what + " below \"" + ItemText(item) + "\" in the tree");
            }
        }
        return found;
    }

private:
    HTREEITEM Next(WPARAM relation, HTREEITEM item) const {
        return reinterpret_cast<HTREEITEM>(
            SendWithLimit(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }

    HWND tree_;
    RemoteBuffer buffer_;
};

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

void SelectFolder(DWORD pid, HWND browser, std::string_view path) {
    HWND tree = nullptr;
    for (HWND child : DescendantWindows(browser)) {
        tree = ClassName(child) == "SysTreeView32" ? child : tree;
    }
    if (tree == nullptr) {
        throw HarnessError("the folder browser has no tree");
    }
    const RemoteTree remote(tree, pid);
    HTREEITEM item = remote.ExpandTo(
        remote.Root(),
        [](const std::string& text) {
            return text == "My Computer" || text == "Computer" || text == "This PC";
        },
        "computer");
    const std::string drive = "(" + std::string(path.substr(0, 2)) + ")";
    item = remote.ExpandTo(
        item, [&](const std::string& text) { return text.find(drive) != std::string::npos; },
        "drive " + drive);
    for (std::size_t start = 3; start < path.size();) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        const std::string name(path.substr(start, end - start));
        item = remote.ExpandTo(
            item, [&](const std::string& text) { return text == name; }, "\"" + name + "\"");
        start = end + 1;
    }
    remote.Select(item);
}

}  // namespace e2e
