#include "tests/e2e/shell_dialogs.h"

#include <dlgs.h>

#include <array>

#include "tests/e2e/text_convert.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace e2e {

namespace {

// Room for an item's text in the remote buffer, after the item itself.
constexpr size_t kTextChars = 520;
constexpr size_t kTextOffset = (sizeof(TVITEMW) + 15) / 16 * 16;

}  // namespace

std::vector<HWND> DialogsWith(DWORD pid, const std::wstring& childClass) {
    std::vector<HWND> found;
    for (HWND dialog : TopLevelWindows(pid, L"#32770")) {
        if (!IsVisible(dialog)) {
            continue;
        }
        for (HWND child : DescendantWindows(dialog)) {
            if (Widen(ClassName(child)) == childClass) {
                found.push_back(dialog);
                break;
            }
        }
    }
    return found;
}

HWND AwaitDialogWith(DWORD pid, const std::wstring& childClass, const std::string& what) {
    HWND dialog = nullptr;
    Await(
        [&] {
            auto dialogs = DialogsWith(pid, childClass);
            dialog = dialogs.empty() ? nullptr : dialogs.front();
            return dialog != nullptr;
        },
        kStartLimit, what);
    return dialog;
}

HWND DescendantOfClass(HWND parent, const std::wstring& className) {
    for (HWND child : DescendantWindows(parent)) {
        if (Widen(ClassName(child)) == className) {
            return child;
        }
    }
    throw HarnessError("no " + Narrow(className) + " in the dialog");
}

HWND FileNameEdit(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, cmb13); combo != nullptr && IsVisible(combo)) {
        if (ClassName(combo) == "Edit") {
            return combo;
        }
        // Below a ComboBoxEx32 the edit sits inside its own combo box.
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
    HWND open = GetDlgItem(dialog, IDOK);
    if (open == nullptr) {
        throw HarnessError("the file dialog has no Open button");
    }
    Click(open);
}

void PressCancel(HWND dialog) {
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel == nullptr) {
        throw HarnessError("the dialog has no Cancel button");
    }
    Click(cancel);
}

RemoteTree::RemoteTree(HWND tree, DWORD pid)
    : tree_(tree), buffer_(pid, kTextOffset + kTextChars * sizeof(wchar_t)) {}

HTREEITEM RemoteTree::Root() const {
    return reinterpret_cast<HTREEITEM>(SendWithLimit(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

std::vector<HTREEITEM> RemoteTree::Children(HTREEITEM item) const {
    std::vector<HTREEITEM> children;
    auto child = reinterpret_cast<HTREEITEM>(
        SendWithLimit(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    while (child != nullptr) {
        children.push_back(child);
        child = reinterpret_cast<HTREEITEM>(
            SendWithLimit(tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    return children;
}

std::string RemoteTree::ItemText(HTREEITEM item) const {
    TVITEMW request{};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    request.pszText = static_cast<wchar_t*>(buffer_.at(kTextOffset));
    request.cchTextMax = static_cast<int>(kTextChars);
    const wchar_t nothing = L'\0';
    buffer_.Write(&nothing, sizeof nothing, kTextOffset);
    buffer_.Write(&request, sizeof request);
    if (SendWithLimit(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer_.address())) == 0) {
        throw HarnessError("the tree view did not give an item's text");
    }
    // The tree may point pszText at its own copy instead of filling ours.
    TVITEMW answer{};
    buffer_.Read(&answer, sizeof answer);
    if (answer.pszText != request.pszText) {
        throw HarnessError("the tree view answered with a text of its own");
    }
    std::array<wchar_t, kTextChars> text{};
    buffer_.Read(text.data(), text.size() * sizeof(wchar_t), kTextOffset);
    text.back() = L'\0';
    return Narrow(text.data());
}

HTREEITEM RemoteTree::Selection() const {
    return reinterpret_cast<HTREEITEM>(SendWithLimit(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void RemoteTree::Select(HTREEITEM item) const {
    SendWithLimit(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    Await([&] { return Selection() == item; }, kReactLimit,
          "the tree item \"" + ItemText(item) + "\" to be selected");
}

HTREEITEM RemoteTree::ExpandTo(HTREEITEM item,
                               const std::function<bool(const std::string&)>& wanted,
                               const std::string& what) const {
    auto find = [&]() -> HTREEITEM {
        for (HTREEITEM child : Children(item)) {
            if (wanted(ItemText(child))) {
                return child;
            }
        }
        return nullptr;
    };
    if (HTREEITEM child = find()) {
        return child;
    }
    Select(item);
    PressKey(tree_, VK_RIGHT);
    HTREEITEM found = nullptr;
    if (!WaitUntil(
            [&] {
                found = find();
                return found != nullptr;
            },
            kReactLimit)) {
        throw HarnessError("no " + what + " below \"" + ItemText(item) + "\" in the tree:\n" +
                           Describe(Root(), 3));
    }
    return found;
}

std::string RemoteTree::Describe(HTREEITEM item, int depth) const {
    std::string out;
    std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM at, int level) {
        out += std::string(static_cast<size_t>(level) * 2, ' ') + ItemText(at) + "\n";
        if (level + 1 < depth) {
            for (HTREEITEM child : Children(at)) {
                walk(child, level + 1);
            }
        }
    };
    walk(item, 0);
    return out;
}

}  // namespace e2e
