// The four text settings: window title, toolbar bitmap, download directory and concurrent
// downloads. Every change handler first copies the box's text into its tooltip.
#include "app/frm_korvane.h"
#include "app/registry_keys.h"

namespace app {

namespace {
using registry::kRegDword;
using registry::kRegSz;
using registry::ToText;
}  // namespace

void frmKorvane::Download_Directory() {
    txtDefaultDir.SetText(
        ToText(registry_.RegistryGetKeyValue(kCurrentUser, kIEKey, "Download Directory")));
}

void frmKorvane::Window_Title() {
    txtIETitle.SetText(
        ToText(registry_.RegistryGetKeyValue(kCurrentUser, kIEMainKey, "Window Title")));
}

void frmKorvane::Back_Bitmap() {
    strBackBitmap = registry_.RegistryGetKeyValue(kCurrentUser, kToolbarKey, "BackBitmap");
    backBitmapSet_ = true;
    txtBackground.SetText(ToText(strBackBitmap));
}

void frmKorvane::Max_Connections() {
    txtDownload.SetText(ToText(registry_.RegistryGetKeyValue(kCurrentUser, kInternetSettingsKey,
                                                             "MaxConnectionsPerServer")));
    if (txtDownload.text().empty()) {
        txtDownload.SetText("2");
    }
}

void frmKorvane::txtDefaultDir_Change() {
    txtDefaultDir.SetTooltip(txtDefaultDir.text());
}

void frmKorvane::txtIETitle_Change() {
    txtIETitle.SetTooltip(txtIETitle.text());
    registry_.RegistrySetKeyValue(kCurrentUser, kIEMainKey, "Window Title", txtIETitle.text(),
                                  kRegSz);
}

void frmKorvane::txtBackground_Change() {
    txtBackground.SetTooltip(txtBackground.text());
    strBackBitmap = txtBackground.text();
    backBitmapSet_ = true;
    registry_.RegistrySetKeyValue(kCurrentUser, kToolbarKey, "BackBitmap", strBackBitmap, kRegSz);
}

void frmKorvane::txtDownload_Change() {
    txtDownload.SetTooltip(txtDownload.text());
    if (txtDownload.text().empty()) {
        registry_.RegistryDeleteValue(kCurrentUser, kInternetSettingsKey,
                                      "MaxConnectionsPerServer");
        registry_.RegistryDeleteValue(kCurrentUser, kInternetSettingsKey,
                                      "MaxConnectionsPer1_0Server");
        return;
    }
    registry_.RegistrySetKeyValue(kCurrentUser, kInternetSettingsKey, "MaxConnectionsPerServer",
                                  txtDownload.text(), kRegDword);
    registry_.RegistrySetKeyValue(kCurrentUser, kInternetSettingsKey, "MaxConnectionsPer1_0Server",
                                  txtDownload.text(), kRegDword);
}

void frmKorvane::txtDownload_KeyPress(std::int16_t& KeyAscii) {
    if (KeyAscii != 8 && (KeyAscii < '0' || KeyAscii > '9')) {
        KeyAscii = 0;
    }
}

void frmKorvane::cmdDir_Click() {
    const std::string path = platform_.BrowseForFolder("Pick A Folder");
    if (path.empty()) {
        return;
    }
    txtDefaultDir.SetText(path);
    registry_.RegistrySetKeyValue(kCurrentUser, kIEKey, "Download Directory", txtDefaultDir.text(),
                                  kRegSz);
}

void frmKorvane::cmdBackground_Click() {
    // Any failure from here on, a cancel included, ends the handler silently.
    try {
        const auto file = platform_.OpenFile("Bitmap (*.bmp)|*.bmp");
        if (!file) {
            return;
        }
        strBackBitmap = *file;
        backBitmapSet_ = true;
        txtBackground.SetText(*file);
        registry_.RegistrySetKeyValue(kCurrentUser, kToolbarKey, "BackBitmap", strBackBitmap,
                                      kRegSz);
    } catch (...) {
    }
}

}  // namespace app
