#include "app/frm_korvane.h"

#include "app/help_command.h"
#include "app/layout.h"
#include "toolkit/error_report.h"

namespace app {

const std::string kVersionRefusedPrompt =
    "You need to have Internet Explorer 5 or higher to use this program\r\n"
    "download at https://www.microsoft.com/download/internet-explorer";

namespace {
constexpr const char* kToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";
}  // namespace

frmKorvane::frmKorvane(registry::RegistryApi& registryApi, toolkit::PlatformServices& services,
                       shell::ShellApi& shell)
    : services_(services),
      controls_(CreateControls()),
      registry_(registryApi, services),
      CommonDialog1(services),
      version_(controls_, registry_, services),
      domain_(controls_),
      toolbarButtons_(controls_, registry_, services),
      switches_(controls_, registry_, services),
      text_(controls_, registry_, shell, CommonDialog1, strBackBitmap_, backBitmapRead_),
      history_(controls_, registry_) {
    controls_.button("cmdHelp").onClick = [this] { cmdHelp_Click(services_); };
}

std::vector<frmKorvane::Loader> frmKorvane::StartupLoaders() {
    return {
        {"Select_Buttons", [this] { toolbarButtons_.Select_Buttons(); }},
        {"Append_Completion", [this] { switches_.Append_Completion(); }},
        {"Download_Directory", [this] { text_.Download_Directory(); }},
        {"Window_Title", [this] { text_.Window_Title(); }},
        {"Back_Bitmap", [this] { text_.Back_Bitmap(); }},
        {"Password_Caching", [this] { switches_.Password_Caching(); }},
        {"Error_Reporting", [this] { switches_.Error_Reporting(); }},
        {"Intelli_Menus", [this] { switches_.Intelli_Menus(); }},
        {"Update_Check", [this] { switches_.Update_Check(); }},
        {"Max_Connections", [this] { text_.Max_Connections(); }},
        {"About_Urls", [this] { switches_.About_Urls(); }},
        {"Internet_Icon", [this] { switches_.Internet_Icon(); }},
        {"Cache_Persistent", [this] { switches_.Cache_Persistent(); }},
        {"Security_Zone", [this] { switches_.Security_Zone(); }},
    };
}

void frmKorvane::Form_Load() {
    toolkit::Guard(services_, "Form_Load", [&] {
        version_.IE_Version();
        // Compared as text: "1" (as in 10.0 or 11.0) and the empty text sort below "5".
        const std::string first = strVersion().substr(0, 1);
        if (first < "6") {
            if (first < "5") {
                services_.ShowMessage(kVersionRefusedPrompt, toolkit::kOkOnly, std::nullopt);
                unloadRequested_ = true;
                return;
            }
            controls_.checkBox("chkIEErr").SetEnabled(false);
            controls_.checkBox("chkSecurityZone").SetEnabled(false);
        }
        for (const auto& loader : StartupLoaders()) {
            loader.run();
        }
    });
}

void frmKorvane::Form_Unload(std::int16_t& /*Cancel*/) {
    if (!backBitmapRead_) {
        return;
    }
    registry_.RegistrySetKeyValue(registry::kCurrentUser, kToolbarKey, "BackBitmap", strBackBitmap_,
                                  registry::kRegSz);
}

}  // namespace app
