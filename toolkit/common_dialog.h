// The file-open dialog component: properties set before showing, the chosen path after.
#pragma once

#include <string>
#include <vector>

#include "toolkit/services.h"

namespace toolkit {

// "Bitmap (*.bmp)|*.bmp|All (*.*)|*.*" as description and pattern pairs; a description
// without its pattern is the invalid property value error 380.
std::vector<FileFilter> ParseFilter(const std::string& filter);

class CommonDialog {
public:
    explicit CommonDialog(PlatformServices& services) : services_(services) {}

    // Shows the file-open dialog. On OK FileName holds the chosen full path. A cancel raises
    // kCancelSelected when CancelError is set, and otherwise leaves FileName empty.
    void ShowOpen();

    bool CancelError = false;
    std::string Filter;
    std::string FileName;

private:
    PlatformServices& services_;
};

}  // namespace toolkit
