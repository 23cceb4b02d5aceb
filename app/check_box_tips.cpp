// What each check box changes, shown as its tooltip: the key it writes, in the hive really
// written, its values, and what ticked and clear store.
#include "app/frm_korvane.h"

namespace app {

namespace {
using F = frmKorvane;

struct Tip {
    Control F::*box;
    std::vector<const RegistryValue*> values;  // under one key
    const char16_t* stored;
};
}  // namespace

void frmKorvane::SetCheckBoxTips() {
    // clang-format off
    std::vector<Tip> tips = {
        {&F::chkAutoAppend, {&kAppendCompletion}, u"\"yes\" when ticked, \"no\" when clear."},
        {&F::chkPassCach, {&kDisablePasswordCaching}, u"1 when ticked, 0 when clear."},
        {&F::chkIEErr, {&kIEWatsonDisabled, &kIEWatsonEnabled}, u"1 and 0 when ticked, both deleted when clear."},
        {&F::chkHideWeb, {&kFavIntelliMenus}, u"\"yes\" when ticked, \"no\" when clear."},
        {&F::chkUpdate, {&kNoUpdateCheck}, u"0 when ticked, 1 when clear."},
        {&F::chkAbout, {&kAbout, &kAboutColon}, u"4 when ticked, deleted when clear."},
        {&F::chkIcon, {&kNoInternetIcon}, u"1 when ticked, deleted when clear."},
        {&F::chkSecurityZone, {&kZone0Flags}, u"1 when ticked, 33 when clear."},
        {&F::chkCache, {&kCachePersistent}, u"0 when ticked, 1 when clear."},
        {&F::chkSelect, {&kNoToolbarCustomize, &kSpecifyDefaultButtons}, u"1 when ticked, 0 when clear."},
    };
    // clang-format on
    for (const ToolbarButton& button : kToolbarButtons) {
        tips.push_back({button.box, {button.value}, u"1 when ticked, 2 when clear."});
    }
    for (const Tip& tip : tips) {
        const RegistryValue& first = *tip.values.front();
        const bool machine = first.root == kLocalMachine;
        std::u16string text = (machine ? u"HKLM" : userKeyName_) + u"\\" + first.key + u", ";
        for (const RegistryValue* value : tip.values) {
            text += (value == &first ? u"\"" : u" and \"") + std::u16string(value->name) + u"\"";
        }
        text += u": " + std::u16string(tip.stored);
        (this->*tip.box)
            .SetTooltip(machine ? text + u"\r\nChanging it needs administrator rights." : text);
    }
}

}  // namespace app
