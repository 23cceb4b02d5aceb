// The main window's program side: every control, the form-level values, start-up, shut-down
// and every setting's loader and handlers (one file per group under settings/). Knows
// nothing of HWNDs.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/registry_values.h"
#include "registry/mod_registry.h"
#include "toolkit/controls.h"
#include "toolkit/platform.h"

namespace app {

using toolkit::Control;
struct LayoutRow;

class frmKorvane {
public:
    // `userSid` names the user whose settings these are, handed on to a restart; `otherUser`
    // when that is not the user the program runs as, whose key is then named in full.
    frmKorvane(registry::RegistryApi& registry, toolkit::Platform& platform,
               std::u16string userSid = {}, bool otherUser = false);
    frmKorvane(const frmKorvane&) = delete;
    frmKorvane& operator=(const frmKorvane&) = delete;

    // The load event: the version gate, then every loader in its fixed order.
    void Form_Load();
    // The unload event, run once; closing is never refused, so Cancel is left alone.
    void Form_Unload(std::int16_t& Cancel);
    // True when the window closed itself during load: it is never shown.
    bool closedDuringLoad() const { return closedDuringLoad_; }

    // Runs one user action on `control` (a click, a key, an edit) under the error report. When
    // the registry refuses a change of it for lack of rights, the check boxes that this action
    // changed show their state from before it, and the user is told (and, for a check box
    // when the program runs without administrator rights, offered a restart with them). Once a
    // restart has taken over, no action runs.
    void UserAction(const Control& control, const std::function<void()>& action) noexcept;
    // What a restart with administrator rights carries over: the user's click on the check box
    // of this tab index, to this state, released over the box. Done as the user's own action; a
    // disabled box ignores it. This instance never offers a restart again.
    void RepeatCheck(int tabIndex, int value);

    // The window menu's commands. Undo puts back every value this run changed, import applies
    // a .reg file the user picks, each then showing the result in every box; export writes
    // every setting to a file the user names.
    void UndoChanges();
    void ImportSettings();
    void ExportSettings();

    // What /export: and /import: do, and the menu's commands through them. Exit code 0: done;
    // 1: the file could not be read or written, or is refused whole; 2: the registry refused a
    // value, and what the import wrote is put back.
    struct Outcome {
        int exitCode = 0;
        std::u16string message;  // "" when all went well
        registry::Refusal refusal = registry::Refusal::kNone;
    };
    // Every setting's value as stored now, the user's under HKEY_CURRENT_USER.
    Outcome Export(const std::u16string& file);
    // Only the values Korvane knows, in the file's order, each recorded for undo first.
    Outcome Import(const std::u16string& file);

    // The domain search group's method: Empty, and nothing else.
    registry::Variant Domain() const { return {}; }

    // clang-format off
    Control cmdHelp, Label7, lblVersion, chkIEErr, chkSecurityZone, chkPassCach, chkHideWeb,
        chkUpdate, chkIcon, chkAbout, chkCache, chkAutoAppend, Frame1, Frame2, Frame4, Frame3,
        Frame6, Frame7, Label4, txtBackground, cmdBackground, Label3, txtIETitle, Frame5, Label5,
        cmdRestore, Label6, txtDownload, Label2, txtDefaultDir, cmdDir, Label1, cmdClear, Frame8,
        chkSelect, cmdAddDomain, cmdDeleteDomain, txtAddDomain, lstDomain, chkBack, chkForward,
        chkStop, chkFolders, chkRefresh, chkPrint, chkFavorites, chkEdit, chkHome, chkSearch,
        chkMedia, chkHistory, chkTools, chkEncoding, chkPrintPreview, chkFullScreen, chkMailNews,
        chkSize, chkDiscussions, chkCut, chkCopy, chkPaste;
    // clang-format on

    std::u16string strVersion;
    registry::Variant strBackBitmap;
    bool blnRestartNoticeShown = false;

    // The 22 toolbar buttons in reload order, with their registry value and enable order.
    struct ToolbarButton {
        Control frmKorvane::*box;
        const RegistryValue* value;
        int enableOrder;
    };
    static const std::array<ToolbarButton, 22> kToolbarButtons;

private:
    using BoxStates = std::vector<std::pair<int, bool>>;  // each layout row's value and enabled
    struct RunningAction {
        BoxStates before;
        registry::Refusal refused = registry::Refusal::kNone;
    };
    BoxStates Boxes() const;
    void Refused(const Control& control, const BoxStates& before, registry::Refusal refusal);
    void Loaders();
    void Reload();
    void ImportFile(const std::u16string& file);
    void OfferRestart(const LayoutRow& row, int wanted);
    // modRegistry's operations on one of the program's values.
    std::u16string Text(const RegistryValue& value);
    std::int16_t Number(const RegistryValue& value);
    void Set(const RegistryValue& value, const registry::Variant& data, std::uint32_t type);
    void Delete(const RegistryValue& value);
    void SetCheckBoxTips();

    void IE_Version();

    void Select_Buttons();
    void IE_Buttons_Enabled(bool enabled);
    void Check_Box(Control& strChkBox, const RegistryValue& strValue);
    void Check_Box_Value(Control& strChkBox, const RegistryValue& strValue);
    void chkSelect_Click();

    void Append_Completion();
    void Password_Caching();
    void Error_Reporting();
    void Intelli_Menus();
    void Update_Check();
    void About_Urls();
    void Internet_Icon();
    void Security_Zone();
    void Cache_Persistent();
    void chkAutoAppend_Click();
    void chkPassCach_Click();
    void chkIEErr_Click();
    void chkHideWeb_Click();
    void chkUpdate_Click();
    void chkAbout_Click();
    void chkIcon_Click();
    void chkSecurityZone_Click();
    void chkCache_Click();
    void chkIcon_MouseUp();

    void Download_Directory();
    void Window_Title();
    void Back_Bitmap();
    void Max_Connections();
    void txtDefaultDir_Change();
    void txtIETitle_Change();
    void txtBackground_Change();
    void txtDownload_Change();
    void txtDownload_KeyPress(std::int16_t& KeyAscii);
    void cmdDir_Click();
    void cmdBackground_Click();

    void cmdClear_Click();
    void cmdRestore_Click();
    void cmdHelp_Click();

    toolkit::Platform& platform_;
    registry::RegistryApi& api_;
    registry::UndoRecord undo_;
    registry::modRegistry registry_;
    const std::u16string userSid_;
    const std::u16string userKeyName_;  // "HKCU", or the other user's key under HKEY_USERS
    bool backBitmapSet_ = false;        // read or set: only then does unload write it
    bool closedDuringLoad_ = false;
    bool unloaded_ = false;
    bool offerRestart_ = true;  // not in an instance that a restart started
    bool handedOver_ = false;   // a restart as administrator took over from this instance
    std::vector<const Control*> toldTextBoxes_;  // a refusal is told once per text box
    std::vector<RunningAction*> running_;        // the user actions under way, innermost last
};

}  // namespace app
