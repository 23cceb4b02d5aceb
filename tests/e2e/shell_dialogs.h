// The system's own dialogs that the program opens, driven from outside: the file-open dialog
// and the shell's folder browser. They are not ours, so unlike the program's controls they
// may be filled in with WM_SETTEXT; their buttons are still pressed with a click.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/remote_memory.h"

namespace e2e {

// The visible dialogs (#32770) of process `pid` that hold a window of class `childClass`.
std::vector<HWND> DialogsWith(DWORD pid, const std::wstring& childClass);
// Waits for one; a HarnessError when none comes in time.
HWND AwaitDialogWith(DWORD pid, const std::wstring& childClass, const std::string& what);
// The first descendant of `parent` of class `className`; a HarnessError when there is none.
HWND DescendantOfClass(HWND parent, const std::wstring& className);

// The file-open dialog: its "File name" edit (the edit of the combo box cmb13, or edt1).
HWND FileNameEdit(HWND dialog);
// The file-open dialog: its "Files of type" combo box (cmb1).
HWND FileTypeBox(HWND dialog);
// Puts `path` in the file name box and presses Open.
void ChooseFile(HWND dialog, std::string_view path);
// Presses the dialog's Cancel button.
void PressCancel(HWND dialog);

// A tree view of another process, read through a RemoteBuffer.
class RemoteTree {
public:
    RemoteTree(HWND tree, DWORD pid);

    HTREEITEM Root() const;
    std::vector<HTREEITEM> Children(HTREEITEM item) const;
    std::string ItemText(HTREEITEM item) const;
    HTREEITEM Selection() const;
    // Makes the item the selection (the dialog is told as it is of a click on it), and waits
    // until it is.
    void Select(HTREEITEM item) const;
    // Expands the item as the Right key does on the selection (the owner fills it on
    // demand), and waits until it has a child that `wanted` accepts; that child.
    HTREEITEM ExpandTo(HTREEITEM item, const std::function<bool(const std::string&)>& wanted,
                       const std::string& what) const;
    // Every item's text down to `depth` levels, for failure messages.
    std::string Describe(HTREEITEM item, int depth) const;

private:
    HWND tree_;
    RemoteBuffer buffer_;
};

}  // namespace e2e
