// The four settings shown as text: download directory, window title, toolbar bitmap and the
// concurrent downloads limit. Loaders fill the boxes at start-up; the boxes' handlers and the
// two "..." buttons write the registry at once.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "registry/mod_registry.h"
#include "registry/registry_api.h"
#include "registry/variant.h"
#include "shell/shell_api.h"
#include "toolkit/common_dialog.h"
#include "toolkit/control_set.h"

namespace settings {

// One stored value behind a text box.
struct TextValue {
    std::string_view control;  // the box that shows it
    std::uint32_t root;
    std::string_view keyPath;
    std::string_view valueName;
    std::uint32_t type;  // the type written
};

inline constexpr std::uint32_t kTextRoot = static_cast<std::uint32_t>(registry::kCurrentUser);

inline constexpr TextValue kDownloadDirectory{"txtDefaultDir", kTextRoot,
                                              "Software\\Microsoft\\Internet Explorer",
                                              "Download Directory", registry::kRegSz};
inline constexpr TextValue kWindowTitle{"txtIETitle", kTextRoot,
                                        "Software\\Microsoft\\Internet Explorer\\Main",
                                        "Window Title", registry::kRegSz};
inline constexpr TextValue kBackBitmap{"txtBackground", kTextRoot,
                                       "Software\\Microsoft\\Internet Explorer\\Toolbar",
                                       "BackBitmap", registry::kRegSz};
// The limit is read from the first value only; the second always follows it.
inline constexpr TextValue kMaxConnections{
    "txtDownload", kTextRoot, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
    "MaxConnectionsPerServer", registry::kRegDword};
inline constexpr TextValue kMaxConnections1_0{
    "txtDownload", kTextRoot, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
    "MaxConnectionsPer1_0Server", registry::kRegDword};

// Every value this unit reads or writes.
inline constexpr std::array kTextValues{kDownloadDirectory, kWindowTitle, kBackBitmap,
                                        kMaxConnections, kMaxConnections1_0};

// The limit shown when none is stored.
inline constexpr std::string_view kDefaultMaxConnections = "2";
inline constexpr std::string_view kFolderPickerTitle = "Pick A Folder";
inline constexpr std::string_view kBitmapFilter = "Bitmap (*.bmp)|*.bmp";

class TextSettings {
public:
    // Connects the handlers to the boxes and buttons in `controls`. `strBackBitmap` and
    // `backBitmapRead` are the window's: the bitmap path as last read or set, and whether it
    // has been read or set at all.
    TextSettings(const toolkit::ControlSet& controls, registry::modRegistry& registry,
                 shell::ShellApi& shell, toolkit::CommonDialog& dialog,
                 registry::Variant& strBackBitmap, bool& backBitmapRead);
    TextSettings(const TextSettings&) = delete;
    TextSettings& operator=(const TextSettings&) = delete;

    // Loaders: each reads its value and shows it; failures pass to the caller.
    void Download_Directory();
    void Window_Title();
    void Back_Bitmap();
    void Max_Connections();

    // Handlers. Each change handler first copies the box's text into its tooltip.
    void txtDefaultDir_Change();
    void txtIETitle_Change();
    void txtBackground_Change();
    void txtDownload_Change();
    // Only backspace and the ten digits pass; anything else is set to 0 and discarded.
    void txtDownload_KeyPress(std::int16_t& KeyAscii);
    void cmdDir_Click();
    // A cancel, or any failure on the way, ends it silently.
    void cmdBackground_Click();

private:
    registry::Variant Read(const TextValue& value);
    void Write(const TextValue& value, const registry::Variant& varValue);

    toolkit::TextBox& txtDefaultDir_;
    toolkit::TextBox& txtIETitle_;
    toolkit::TextBox& txtBackground_;
    toolkit::TextBox& txtDownload_;
    registry::modRegistry& registry_;
    shell::ShellApi& shell_;
    toolkit::CommonDialog& CommonDialog1_;
    registry::Variant& strBackBitmap_;
    bool& backBitmapRead_;
};

}  // namespace settings
