#include "app/win32/user_settings.h"

#include <sddl.h>

#include <memory>
#include <optional>
#include <vector>

#include "toolkit/win32/native_control.h"

namespace app::win32 {

namespace {

using toolkit::win32::FromWide;
using toolkit::win32::Wide;

struct LocalDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};

std::u16string SidText(PSID sid) {
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text)) {
        return {};
    }
    const std::unique_ptr<void, LocalDeleter> owned(text);
    return FromWide(text);
}

std::u16string OwnSid() {
    HANDLE token = nullptr;
    std::vector<std::uint8_t> user(256);
    DWORD size = 0;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        if (!GetTokenInformation(token, TokenUser, user.data(), 256, &size)) {
            user.resize(size);
            GetTokenInformation(token, TokenUser, user.data(), size, &size);
        }
        CloseHandle(token);
    }
    return size == 0 ? std::u16string()
                     : SidText(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid);
}

// "DOMAIN\user", or the SID itself when the account is unknown here; nothing when the SID names
// an account that is no person's (a group, an alias, a service).
std::optional<std::u16string> AccountName(PSID sid, const std::u16string& text) {
    wchar_t name[256] = {}, domain[256] = {};
    DWORD nameSize = 256, domainSize = 256;
    SID_NAME_USE use{};
    if (!LookupAccountSidW(nullptr, sid, name, &nameSize, domain, &domainSize, &use)) {
        return text;
    }
    if (use != SidTypeUser) {
        return std::nullopt;
    }
    return (domain[0] != L'\0' ? FromWide(domain) + u"\\" : u"") + FromWide(name);
}

}  // namespace

UserSettings::UserSettings(const std::u16string& sid) : sid_(OwnSid()) {
    if (sid.empty()) {
        return;
    }
    PSID parsed = nullptr;
    const std::u16string refused = u"\"" + sid + u"\" is not a user's security identifier (SID).";
    if (!ConvertStringSidToSidW(Wide(sid), &parsed)) {
        problem_ = refused;
        return;
    }
    const std::unique_ptr<void, LocalDeleter> owned(parsed);
    // Only a person's account, written out as the canonical form that then names the key: no
    // alias ("SY"), no service or built-in group, nothing of the argument itself in a path.
    const std::u16string canonical = SidText(parsed);
    if (canonical == sid_) {
        return;  // the program's own user: as without /user:
    }
    const auto account = AccountName(parsed, canonical);
    if (canonical != sid || !account ||
        !(canonical.starts_with(u"S-1-5-21-") || canonical.starts_with(u"S-1-12-1-"))) {
        problem_ = refused;
        return;
    }
    if (RegOpenKeyExW(HKEY_USERS, Wide(canonical), 0, MAXIMUM_ALLOWED, &root_) != ERROR_SUCCESS) {
        root_ = HKEY_CURRENT_USER;
        problem_ = u"The settings of the user " + canonical + u" are not loaded on this computer.";
        return;
    }
    sid_ = canonical;
    otherUser_ = *account;
}

UserSettings::~UserSettings() {
    if (root_ != HKEY_CURRENT_USER) {
        RegCloseKey(root_);
    }
}

}  // namespace app::win32
