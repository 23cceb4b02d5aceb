// The four text settings: window title, toolbar bitmap, download directory and concurrent
// downloads. Every change handler first copies the box's text into its tooltip.
#include "app/frm_korvane.h"
#include "app/registry_values.h"

namespace app {

namespace {
using registry::kRegDword;
using registry::kRegSz;
}  // namespace

void frmKorvane::Download_Directory() {
    txtDefaultDir.SetText(Text(kDownloadDirectory));
}

void frmKorvane::Window_Title() {
    txtIETitle.SetText(Text(kWindowTitle));
}

void frmKorvane::Back_Bitmap() {
    strBackBitmap =
        registry_.RegistryGetKeyValue(kBackBitmap.root, kBackBitmap.key, kBackBitmap.name);
    backBitmapSet_ = true;
    txtBackground.SetText(registry::ToText(strBackBitmap));
}

void frmKorvane::Max_Connections() {
    txtDownload.SetText(Text(kMaxConnectionsPerServer));
    if (txtDownload.text().empty()) {
        txtDownload.SetText(u"2");
    }
}

void frmKorvane::txtDefaultDir_Change() {
    txtDefaultDir.SetTooltip(txtDefaultDir.text());
}

void frmKorvane::txtIETitle_Change() {
    txtIETitle.SetTooltip(txtIETitle.text());
    Set(kWindowTitle, txtIETitle.text(), kRegSz);
}

void frmKorvane::txtBackground_Change() {
    txtBackground.SetTooltip(txtBackground.text());
    strBackBitmap = txtBackground.text();
    backBitmapSet_ = true;
    Set(kBackBitmap, strBackBitmap, kRegSz);
}

void frmKorvane::txtDownload_Change() {
    txtDownload.SetTooltip(txtDownload.text());
    if (txtDownload.text().empty()) {
        Delete(kMaxConnectionsPerServer);
        Delete(kMaxConnectionsPer1_0Server);
        return;
    }
    Set(kMaxConnectionsPerServer, txtDownload.text(), kRegDword);
    Set(kMaxConnectionsPer1_0Server, txtDownload.text(), kRegDword);
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
    Set(kDownloadDirectory, txtDefaultDir.text(), kRegSz);
}

void frmKorvane::cmdBackground_Click() {
    // Any failure from here on, a cancel included, ends the handler silently.
    try {
        const auto file = platform_.OpenFile(u"Bitmap (*.bmp)|*.bmp", {});
        if (!file) {
            return;
        }
        strBackBitmap = *file;
        backBitmapSet_ = true;
        txtBackground.SetText(*file);
        Set(kBackBitmap, strBackBitmap, kRegSz);
    } catch (...) {
    }
}

}  // namespace app
