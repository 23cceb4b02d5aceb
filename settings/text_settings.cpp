#include "settings/text_settings.h"

#include <new>
#include <string>

#include "shell/mod_folder.h"
#include "toolkit/error.h"

namespace settings {

TextSettings::TextSettings(const toolkit::ControlSet& controls, registry::modRegistry& registry,
                           shell::ShellApi& shell, toolkit::CommonDialog& dialog,
                           registry::Variant& strBackBitmap, bool& backBitmapRead)
    : txtDefaultDir_(controls.textBox(kDownloadDirectory.control)),
      txtIETitle_(controls.textBox(kWindowTitle.control)),
      txtBackground_(controls.textBox(kBackBitmap.control)),
      txtDownload_(controls.textBox(kMaxConnections.control)),
      registry_(registry),
      shell_(shell),
      CommonDialog1_(dialog),
      strBackBitmap_(strBackBitmap),
      backBitmapRead_(backBitmapRead) {
    txtDefaultDir_.onChange = [this] { txtDefaultDir_Change(); };
    txtIETitle_.onChange = [this] { txtIETitle_Change(); };
    txtBackground_.onChange = [this] { txtBackground_Change(); };
    txtDownload_.onChange = [this] { txtDownload_Change(); };
    txtDownload_.onKeyPress = [this](std::int16_t& KeyAscii) { txtDownload_KeyPress(KeyAscii); };
    controls.button("cmdDir").onClick = [this] { cmdDir_Click(); };
    controls.button("cmdBackground").onClick = [this] { cmdBackground_Click(); };
}

registry::Variant TextSettings::Read(const TextValue& value) {
    return registry_.RegistryGetKeyValue(value.root, std::string(value.keyPath),
                                         std::string(value.valueName));
}

void TextSettings::Write(const TextValue& value, const registry::Variant& varValue) {
    registry_.RegistrySetKeyValue(value.root, std::string(value.keyPath),
                                  std::string(value.valueName), varValue, value.type);
}

void TextSettings::Download_Directory() {
    txtDefaultDir_.SetText(registry::ToText(Read(kDownloadDirectory)));
}

void TextSettings::Window_Title() {
    txtIETitle_.SetText(registry::ToText(Read(kWindowTitle)));
}

void TextSettings::Back_Bitmap() {
    // Kept as read, number or bytes included; only the box shows it as text.
    strBackBitmap_ = Read(kBackBitmap);
    backBitmapRead_ = true;
    txtBackground_.SetText(registry::ToText(strBackBitmap_));
}

void TextSettings::Max_Connections() {
    txtDownload_.SetText(registry::ToText(Read(kMaxConnections)));
    if (txtDownload_.text().empty()) {
        txtDownload_.SetText(std::string(kDefaultMaxConnections));
    }
}

void TextSettings::txtDefaultDir_Change() {
    // Typing here changes only the box: the stored directory changes only through cmdDir.
    txtDefaultDir_.SetTooltip(txtDefaultDir_.text());
}

void TextSettings::txtIETitle_Change() {
    txtIETitle_.SetTooltip(txtIETitle_.text());
    Write(kWindowTitle, txtIETitle_.text());
}

void TextSettings::txtBackground_Change() {
    txtBackground_.SetTooltip(txtBackground_.text());
    strBackBitmap_ = txtBackground_.text();
    backBitmapRead_ = true;
    Write(kBackBitmap, strBackBitmap_);
}

void TextSettings::txtDownload_Change() {
    txtDownload_.SetTooltip(txtDownload_.text());
    if (txtDownload_.text().empty()) {
        registry_.RegistryDeleteValue(kMaxConnections.root, std::string(kMaxConnections.keyPath),
                                      std::string(kMaxConnections.valueName));
        registry_.RegistryDeleteValue(kMaxConnections1_0.root,
                                      std::string(kMaxConnections1_0.keyPath),
                                      std::string(kMaxConnections1_0.valueName));
        return;
    }
    // Text that is no 32-bit number is reported by the write, once per value.
    Write(kMaxConnections, txtDownload_.text());
    Write(kMaxConnections1_0, txtDownload_.text());
}

void TextSettings::txtDownload_KeyPress(std::int16_t& KeyAscii) {
    const bool backspace = KeyAscii == 8;
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    if (!backspace && !digit) {
        KeyAscii = 0;
    }
}

void TextSettings::cmdDir_Click() {
    const std::string path = shell::BrowseForFolder(shell_, std::string(kFolderPickerTitle));
    if (path.empty()) {
        return;  // cancelled, or the item has no file-system path
    }
    txtDefaultDir_.SetText(path);
    Write(kDownloadDirectory, txtDefaultDir_.text());
}

void TextSettings::cmdBackground_Click() {
    CommonDialog1_.CancelError = true;
    try {
        CommonDialog1_.Filter = std::string(kBitmapFilter);
        CommonDialog1_.ShowOpen();
        strBackBitmap_ = CommonDialog1_.FileName;
        backBitmapRead_ = true;
        txtBackground_.SetText(registry::ToText(strBackBitmap_));
        // Written even when the box already held the path and its handler did not run.
        Write(kBackBitmap, strBackBitmap_);
    } catch (const toolkit::Error&) {
        // A cancel or a failed dialog: nothing more is done and nothing is shown.
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace settings
