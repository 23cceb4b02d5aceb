// The four text settings: window title, toolbar bitmap, download directory and concurrent
// downloads. Every change handler first copies the box's text into its tooltip.
#include "app/frm_korvane.h"
#include "app/registry_keys.h"

namespace app {

namespace {
using registry::kRegDword;
using registry::kRegSz;
}  // namespace

void frmKorvane::Download_Directory() {
    txtDefaultDir.SetText(Text(kCurrentUser, kIEKey, u"Download Directory"));
}

void frmKorvane::Window_Title() {
    txtIETitle.SetText(Text(kCurrentUser, kIEMainKey, u"Window Title"));
}

void frmKorvane::Back_Bitmap() {
    strBackBitmap = registry_.RegistryGetKeyValue(kCurrentUser, kToolbarKey, u"BackBitmap");
    backBitmapSet_ = true;
    txtBackground.SetText(registry::ToText(strBackBitmap));
}

void frmKorvane::Max_Connections() {
    txtDownload.SetText(Text(kCurrentUser, kInternetSettingsKey, u"MaxConnectionsPerServer"));
    if (txtDownload.text().empty()) {
        txtDownload.SetText(u"2");
    }
}

void frmKorvane::txtDefaultDir_Change() {
    txtDefaultDir.SetTooltip(txtDefaultDir.text());
}

void frmKorvane::txtIETitle_Change() {
    txtIETitle.SetTooltip(txtIETitle.text());
    registry_.RegistrySetKeyValue(kCurrentUser, kIEMainKey, u"Window Title", txtIETitle.text(),
                                  kRegSz);
}

void frmKorvane::txtBackground_Change() {
    txtBackground.SetTooltip(txtBackground.text());
    strBackBitmap = txtBackground.text();
    backBitmapSet_ = true;
    registry_.RegistrySetKeyValue(kCurrentUser, kToolbarKey, u"BackBitmap", strBackBitmap, kRegSz);
}

void frmKorvane::txtDownload_Change() {
    txtDownload.SetTooltip(txtDownload.text());
    if (txtDownload.text().empty()) {
        registry_.RegistryDeleteValue(kCurrentUser, kInternetSettingsKey,
                                      u"MaxConnectionsPerServer");
        registry_.RegistryDeleteValue(kCurrentUser, kInternetSettingsKey,
                                      u"MaxConnectionsPer1_0Server");
        return;
    }
    registry_.RegistrySetKeyValue(kCurrentUser, kInternetSettingsKey, u"MaxConnectionsPerServer",
                                  txtDownload.text(), kRegDword);
    registry_.RegistrySetKeyValue(kCurrentUser, kInternetSettingsKey, u"MaxConnectionsPer1_0Server",
                                  txtDownload.text(), kRegDword);
}

void frmKorvane::txtDownload_KeyPress(std::int16_t& KeyAscii) {
    if (KeyAscii != 8 && (KeyAscii < '0' || KeyAscii > '9')) {
        KeyAscii = 0;
    }
}

void frmKorvane::cmdDir_Click() {
    const std::u16string path = platform_.BrowseForFolder(u"Pick A Folder");
    if (path.empty()) {
        return;
    }
    txtDefaultDir.SetText(path);
    registry_.RegistrySetKeyValue(kCurrentUser, kIEKey, u"Download Directory", txtDefaultDir.text(),
                                  kRegSz);
}

void frmKorvane::cmdBackground_Click() {
    // Any failure from here on, a cancel included, ends the handler silently.
    try {
        const auto file = platform_.OpenFile(u"Bitmap (*.bmp)|*.bmp");
        if (!file) {
            return;
        }
        strBackBitmap = *file;
        backBitmapSet_ = true;
        txtBackground.SetText(*file);
        registry_.RegistrySetKeyValue(kCurrentUser, kToolbarKey, u"BackBitmap", strBackBitmap,
                                      kRegSz);
    } catch (...) {
    }
}

}  // namespace app
