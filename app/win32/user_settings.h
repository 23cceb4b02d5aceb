// Whose settings the program shows: its own user's, under HKEY_CURRENT_USER, or those of the
// user named by /user:<SID>, under HKEY_USERS\<SID>. A restart with administrator rights may
// run as another account (a standard user typed an administrator's password): the user who
// asked for the change is then named on the command line.
#pragma once

#include <windows.h>

#include <string>

namespace app::win32 {

class UserSettings {
public:
    // `sid` as given after /user:, or "" for the program's own user.
    explicit UserSettings(const std::u16string& sid);
    ~UserSettings();
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;

    // Why these settings cannot be shown, or "".
    const std::u16string& problem() const { return problem_; }
    // The root that stands for HKEY_CURRENT_USER.
    HKEY root() const { return root_; }
    // The SID of the user whose settings these are, in its canonical form.
    const std::u16string& sid() const { return sid_; }
    // "DOMAIN\user" (or the SID) when these are another user's settings, else "".
    const std::u16string& otherUser() const { return otherUser_; }

private:
    HKEY root_ = HKEY_CURRENT_USER;
    std::u16string sid_;
    std::u16string otherUser_;
    std::u16string problem_;
};

}  // namespace app::win32
