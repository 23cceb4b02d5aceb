// What modRegistry does over advapi32, and the folder browser, for real under Wine.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <thread>
#include <tuple>

#include "app/command_line.h"
#include "app/win32/win32_platform.h"
#include "registry/mod_registry.h"
#include "registry/win32/advapi_registry.h"
#include "shell/mod_folder.h"
#include "tests/support/scripted_platform.h"
#include "toolkit/text.h"
#include "toolkit/win32/native_control.h"

namespace {

using app::win32::Win32Platform;

class Registry : public testing::Test {
protected:
    using Bytes = registry::Bytes;
    using Variant = registry::Variant;
    static constexpr registry::Key kRoot = registry::kCurrentUser;

    Registry() {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaneTest");
        platform_.numbers = [](auto text, bool int16) {
            return Win32Platform().NumberFromText(text, int16);
        };
    }
    void TearDown() override { EXPECT_EQ(platform_.messages, expected_); }
    // UTF-16LE, the order of every host we build for, closing NUL included.
    template <std::size_t N>
    static Bytes Le(const char16_t (&text)[N]) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text);
        return Bytes(bytes, bytes + N * 2);
    }
    static std::u16string Path(const std::u16string& sub) {
        return u"Software\\KorvaneTest\\" + sub;
    }
    // Straight through the port, past modRegistry's conversions; `write` creates the key.
    registry::KeyHandle Open(const std::u16string& sub, bool write = false) {
        return {*api_, write ? api_->CreateKey(kRoot, Path(sub), registry::kWriteAccess)
                             : api_->OpenKey(kRoot, Path(sub), registry::kQueryValue)};
    }
    // The type and bytes stored; type 0 and no bytes when there is no such value.
    std::pair<std::uint32_t, Bytes> Raw(const std::u16string& sub, std::u16string_view name) {
        Bytes data(64);
        const registry::Queried read = api_->QueryValue(Open(sub).get(), name, data);
        data.resize(read.status == registry::kSuccess ? read.size : 0);
        return {read.status == registry::kSuccess ? read.type : 0, data};
    }

    std::unique_ptr<registry::AdvapiRegistry> api_ = std::make_unique<registry::AdvapiRegistry>();
    support::ScriptedPlatform platform_;
    registry::modRegistry reg_{*api_, platform_};
    std::vector<std::u16string> expected_;
};

TEST_F(Registry, ReadsConvertByStoredTypeAndWhatIsMissingIsEmpty) {
    const std::tuple<std::uint32_t, Bytes, Variant> cases[] = {
        // clang-format off
        {1, Le(u"abc\0def"), u"abc"}, {1, {}, u""}, {1, {'a', 0, 'b', 0, 'c'}, u"ab"},
        {2, Le(u"%TEMP%"), Variant()}, {1, Le(u"Ωmega 東京 😀"), u"Ωmega 東京 😀"},
        {1, Le(u"a\xD83D"), u"a\xD83D"}, {7, Le(u"a\0b\0"), Variant()},
        {4, {0xFE, 0xFF, 0xFF, 0xFF}, std::int32_t{-2}}, {4, {0x34, 0x12}, std::int32_t{0x1234}},
        {4, {1, 0, 0, 0, 0, 0, 0, 0}, Variant()}, {3, {0, 0xFF, 7}, Bytes{0, 0xFF, 7}},
        {3, {}, Bytes{}},
        // clang-format on
    };
    for (const auto& [type, stored, expected] : cases) {
        api_->SetValue(Open(u"Read", true).get(), u"Value", type, stored);
        EXPECT_EQ(reg_.RegistryGetKeyValue(kRoot, Path(u"Read"), u"Value"), expected) << type;
    }
    EXPECT_EQ(reg_.RegistryGetKeyValue(kRoot, Path(u"Read"), u"Absent"), Variant());
    EXPECT_EQ(reg_.RegistryGetKeyValue(kRoot, Path(u"Absent"), u"Value"), Variant());
    EXPECT_EQ(Open(u"Absent").get(), 0u);  // a read creates no key
}

// Each write creates its key, even with text that is no number (reported) or an unknown type.
TEST_F(Registry, WritesCreateTheKeyAndStoreExactBytes) {
    const std::tuple<Variant, std::uint32_t, Bytes> cases[] = {
        // clang-format off
        {u"no", 1, Le(u"no")}, {u"x", 4, {}}, {u"x", 7, {}}, {u"Ωmega 東京 😀", 1, Le(u"Ωmega 東京 😀")},
        {u"a\xD83D", 1, Le(u"a\xD83D")}, {u"-70000", 4, {0x90, 0xEE, 0xFE, 0xFF}},
        {std::int16_t{0}, 4, {0, 0, 0, 0}}, {u"2147483648", 4, {}}, {Bytes{7, 0}, 3, {7, 0}},
        // clang-format on
    };
    int row = 0;
    for (const auto& [value, type, stored] : cases) {
        const std::u16string sub = u"Row" + toolkit::Decimal(row++) + u"\\Deep";
        reg_.RegistrySetKeyValue(kRoot, Path(sub), u"N", value, type);
        EXPECT_NE(Open(sub).get(), 0u) << row;
        EXPECT_EQ(Raw(sub, u"N"), std::pair(stored.empty() ? 0 : type, stored)) << row;
    }
    expected_ = {u"RegistrySetKeyValue: Error: 13. Type mismatch",
                 u"RegistrySetKeyValue: Error: 6. Overflow"};
}

// Numeric text as the platform reads it in the user's locale; rows whose reading depends on the
// locale or the form of the number, which no stand-in can know.
TEST_F(Registry, NumericTextIsReadThePlatformsWay) {
    const std::tuple<std::u16string, bool, std::int64_t> cases[] = {
        // text, into 16 bits, the number or -13 / -6 for the error
        // clang-format off
        {u",5", false, -13}, {u"1,000", false, 1000}, {u"&H1F", false, 31}, {u"1.5", false, 2},
        {u"2.5", false, 2}, {u"1\u00A0", false, 1}, {u"007.5", false, 8}, {u"5e-1", false, 0},
        {u"15e-1", false, 2}, {u"&HFFFF", true, -1}, {u"32768", true, -6}, {u"", true, -13},
        {u"&HFFFFFFFF", false, -1}, {u"2147483648", false, -6}, {std::u16string{u'1', 0, u'2'}, false, -13},
        // clang-format on
    };
    for (const auto& [text, int16, expected] : cases) {
        std::int64_t number = 0;
        try {
            number =
                int16 ? registry::ToInt16(text, platform_) : registry::ToInt32(text, platform_);
        } catch (const toolkit::Error& error) {
            number = -error.number;
        }
        EXPECT_EQ(number, expected) << testing::PrintToString(text);
    }
}

TEST_F(Registry, DeletesTakeOnlyWhatIsNamedAndThereAndNotAKeyWithSubKeys) {
    api_->SetValue(Open(u"Parent\\Child", true).get(), u"N", registry::kRegDword, Bytes(4, 1));
    api_->SetValue(Open(u"Parent\\Child", true).get(), u"Other", registry::kRegDword, Bytes(4, 1));
    reg_.RegistryDeleteValue(kRoot, Path(u"Absent"), u"N");
    EXPECT_EQ(Open(u"Absent").get(), 0u);
    reg_.RegistryDeleteKey(kRoot, Path(u"Absent"));
    reg_.RegistryDeleteValue(kRoot, Path(u"Parent\\Child"), u"Absent");
    reg_.RegistryDeleteValue(kRoot, Path(u"Parent\\Child"), u"n");
    EXPECT_EQ(Raw(u"Parent\\Child", u"N").first, 0u);
    EXPECT_EQ(Raw(u"Parent\\Child", u"Other"), std::pair(registry::kRegDword, Bytes(4, 1)));
    reg_.RegistryDeleteKey(kRoot, Path(u"Parent"));
    EXPECT_NE(Open(u"Parent\\Child").get(), 0u);
    reg_.RegistryDeleteKey(kRoot, Path(u"Parent\\Child"));
    EXPECT_EQ(Open(u"Parent\\Child").get(), 0u);  // with its values
    EXPECT_EQ(reg_.TakeRefusal(), registry::Refusal::kNone);
}

// A user picks `folder` (or cancels, for "") in the browser, from another thread.
TEST(FolderBrowser, ReturnsTheChosenFoldersPathWhateverItsScriptOrEmptyOnCancel) {
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, folder);
    wcscat(folder, L"\\ Dossier \u00E9 \u6771");  // a leading space in a name is part of it
    CreateDirectoryW(folder, nullptr);
    for (const std::wstring pick : {static_cast<const wchar_t*>(folder), L""}) {
        std::thread user([&] {
            HWND dialog = nullptr;
            while (!(dialog = FindWindowW(L"#32770", nullptr))) {
                Sleep(20);
            }
            SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(pick.c_str()));
            PostMessageW(dialog, WM_COMMAND, pick.empty() ? IDCANCEL : IDOK, 0);
        });
        EXPECT_EQ(shell::BrowseForFolder(u"Pick A Folder"), toolkit::win32::FromWide(pick.c_str()));
        user.join();
    }
    RemoveDirectoryW(folder);
}

// What one instance hands the next is split by the system into the same arguments.
TEST(CommandLine, TheSystemSplitsAFormattedLineIntoTheSameArguments) {
    app::CommandLine command;
    command.user = u"S-1-5-21-1";
    command.importFile = u"C:\\a b\\\\\"c\\";  // a space, backslashes before a quote and at the end
    int count = 0;
    const std::u16string line = u"korvane.exe " + app::FormatCommandLine(command);
    LPWSTR* split = CommandLineToArgvW(toolkit::win32::Wide(line), &count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(toolkit::win32::FromWide(split[2]), u"/import:" + command.importFile);
    LocalFree(split);
}

// The undo records' files: saved whole over the old one, read up to a limit, the newest kept.
TEST(Files, SavedWholeReadUpToALimitAndTheNewestKept) {
    Win32Platform platform;
    const std::u16string folder = platform.UndoFolder() + u"\\..\\Test \u00E9";
    for (int i = 0; i < 22; ++i) {
        const std::u16string name = u"2026-01-" + toolkit::Decimal(10 + i) + u" 10.00.00.reg";
        EXPECT_TRUE(platform.SaveFile(folder + u"\\" + name, {1, 2, std::uint8_t(i)}));
    }
    const std::u16string newest = folder + u"\\2026-01-31 10.00.00.reg";
    EXPECT_TRUE(platform.SaveFile(newest, {7, 8, 9}));  // over the old one
    platform.KeepNewestFiles(folder, 20);
    EXPECT_EQ(platform.LoadFile(newest, 2), (std::vector<std::uint8_t>{7, 8}));
    EXPECT_EQ(platform.LoadFile(folder + u"\\2026-01-12 10.00.00.reg", 9),
              (std::vector<std::uint8_t>{1, 2, 2}));
    EXPECT_EQ(platform.LoadFile(folder + u"\\2026-01-11 10.00.00.reg", 9), std::nullopt);
    EXPECT_FALSE(platform.SaveFile(newest + u"\\x.reg", {1}));  // a folder that is a file
    EXPECT_TRUE(platform.SaveFile(u"here.reg", {5}));           // in the current folder
    EXPECT_EQ(platform.LoadFile(u"here.reg", 9), std::vector<std::uint8_t>{5});
    DeleteFileW(L"here.reg");
    for (int i = 0; i < 22; ++i) {
        DeleteFileW(toolkit::win32::Wide(folder + u"\\2026-01-" + toolkit::Decimal(10 + i) +
                                         u" 10.00.00.reg"));
    }
    EXPECT_TRUE(RemoveDirectoryW(toolkit::win32::Wide(folder)));
}

}  // namespace
