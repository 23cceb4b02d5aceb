// Bad stored values met by the real program over the real registry: a 1 MiB window title, a
// downloads limit stored as REG_QWORD, and a REG_DWORD eight bytes long. Each start-up opens
// the window without a message box and leaves exactly what the read rules lead to.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using ::testing::IsEmpty;

constexpr const char* kMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kInternetKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

class BadStoredValue : public KorvaneTest {
protected:
    BadStoredValue() { SeedVersion(Sz("9.11.9600.18231")); }

    // Starts the program and requires its window, with no message box, within the limits.
    Korvane& StartWithoutBoxes() {
        Korvane& korvane = StartShown();
        EXPECT_THAT(MessageBoxesOf(korvane.pid()), IsEmpty());
        return korvane;
    }
};

StoredValue Raw(DWORD type, std::vector<BYTE> data) {
    StoredValue value;
    value.type = type;
    value.data = std::move(data);
    return value;
}

// A text far beyond a single-line edit's default limit is shown whole and written back as
// it was read.
TEST_F(BadStoredValue, OneMebibyteWindowTitleIsShownAndWrittenBackWhole) {
    const std::string title(1u << 20, 'T');
    Seed(HKEY_CURRENT_USER, kMainKey, "Window Title", Sz(title));
    Korvane& korvane = StartWithoutBoxes();

    const LRESULT shown = SendWithLimit(korvane.Control("txtIETitle"), WM_GETTEXTLENGTH);
    EXPECT_EQ(shown, static_cast<LRESULT>(title.size()));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kMainKey, "Window Title"), Sz(title));

    korvane.CloseAndWait();
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kMainKey, "Window Title"), Sz(title));
}

// A REG_QWORD reads as nothing, so the box gets the default 2, which both values take as
// REG_DWORD.
TEST_F(BadStoredValue, QwordDownloadsLimitReadsAsMissing) {
    Seed(HKEY_CURRENT_USER, kInternetKey, "MaxConnectionsPerServer",
         Raw(REG_QWORD, {4, 0, 0, 0, 0, 0, 0, 0}));
    Seed(HKEY_CURRENT_USER, kInternetKey, "MaxConnectionsPer1_0Server", Dword(8));
    Korvane& korvane = StartWithoutBoxes();

    EXPECT_EQ(Text(korvane.Control("txtDownload")), "2");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kInternetKey, "MaxConnectionsPerServer"), Dword(2));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kInternetKey, "MaxConnectionsPer1_0Server"), Dword(2));
    korvane.CloseAndWait();
}

// advapi32 refuses the 4-byte read of an 8-byte REG_DWORD, so the value reads as nothing: a
// missing "NoUpdateCheck" ticks its box, which writes a proper REG_DWORD 0. Reading the first
// four bytes instead would give 1 and leave the box clear.
TEST_F(BadStoredValue, EightByteDwordReadsAsMissing) {
    Seed(HKEY_CURRENT_USER, kMainKey, "NoUpdateCheck", Raw(REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}));
    Korvane& korvane = StartWithoutBoxes();

    EXPECT_TRUE(IsChecked(korvane.Control("chkUpdate")));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kMainKey, "NoUpdateCheck"), Dword(0));
    korvane.CloseAndWait();
}

}  // namespace
}  // namespace e2e
