// "Clear" and "Restore" clicked in the real window: what each removes, what stays, and that
// neither asks, reports or changes a control.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"
#include "tests/e2e/text_test_support.h"

namespace e2e {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

constexpr const char* kTypedUrlsKey = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

class HistoryActions : public KorvaneTest {
protected:
    // Clicks the button and returns once the program has handled the click.
    void ClickAndSettle(const Korvane& korvane, std::string_view button) {
        Click(korvane.Control(button));
        AwaitInputHandled(korvane);
    }
};

TEST_F(HistoryActions, ClearRemovesTheTypedAddressesButNotAKeyWithSubKeys) {
    SeedVersion(Sz("6.0.2800.1106"));
    Seed(HKEY_CURRENT_USER, kTypedUrlsKey, "url1", Sz("http://one.example/"));
    Seed(HKEY_CURRENT_USER, kTypedUrlsKey, "url2", Sz("http://two.example/"));
    Seed(HKEY_CURRENT_USER, kTypedUrlsKey, "url3", Sz("ftp://three.example/"));
    const std::string subKey = std::string(kTypedUrlsKey) + "\\Later";
    Seed(HKEY_CURRENT_USER, subKey, "url4", Sz("http://four.example/"));
    Korvane& korvane = StartShown();
    // The marker box of AwaitInputHandled is the one control that changes.
    const auto controls = ControlStates(korvane, "txtAddDomain");
    const ProgramKeys afterStart;

    // The registry does not delete a key that has keys below it; nothing is said.
    ClickAndSettle(korvane, "cmdClear");
    EXPECT_TRUE(MessageBoxesOf(korvane.pid()).empty());
    EXPECT_THAT(afterStart.Changes(), IsEmpty());

    DeleteKeyTree(HKEY_CURRENT_USER, subKey);
    Click(korvane.Control("cmdClear"));
    EXPECT_TRUE(WaitUntil([] { return !KeyExists(HKEY_CURRENT_USER, kTypedUrlsKey); }, kReactLimit))
        << "the typed addresses are still there";

    // Again, with the key gone: nothing happens, and the key is not made again.
    ClickAndSettle(korvane, "cmdClear");
    EXPECT_TRUE(MessageBoxesOf(korvane.pid()).empty());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTypedUrlsKey));
    EXPECT_THAT(afterStart.Changes(), UnorderedElementsAre(HasSubstr("TypedURLs: key deleted")));
    EXPECT_EQ(ControlStates(korvane, "txtAddDomain"), controls);
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

TEST_F(HistoryActions, RestoreRemovesBothLogosAndLeavesTheRestOfTheToolbarKey) {
    SeedVersion(Sz("6.0.2800.1106"));
    Seed(HKEY_CURRENT_USER, kToolbarKey, "BrandBitmap", Sz("C:\\logo\\big.bmp"));
    Seed(HKEY_CURRENT_USER, kToolbarKey, "SmBrandBitmap", Sz("C:\\logo\\small.bmp"));
    Seed(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap", Sz("C:\\keep.bmp"));
    Seed(HKEY_CURRENT_USER, kToolbarKey, "Locked", Dword(1));
    Korvane& korvane = StartShown();
    const auto controls = ControlStates(korvane, "txtAddDomain");
    const ProgramKeys afterStart;

    Click(korvane.Control("cmdRestore"));
    EXPECT_TRUE(WaitUntil(
        [] {
            return !ReadValue(HKEY_CURRENT_USER, kToolbarKey, "BrandBitmap") &&
                   !ReadValue(HKEY_CURRENT_USER, kToolbarKey, "SmBrandBitmap");
        },
        kReactLimit))
        << "a logo value is still there";
    AwaitInputHandled(korvane);
    EXPECT_THAT(afterStart.Changes(), UnorderedElementsAre(HasSubstr("\\BrandBitmap: was"),
                                                           HasSubstr("\\SmBrandBitmap: was")));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap"), Sz("C:\\keep.bmp"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kToolbarKey, "Locked"), Dword(1));

    // Only the small logo set: it goes although the large one is missing.
    WriteValue(HKEY_CURRENT_USER, kToolbarKey, "SmBrandBitmap", Sz("C:\\logo\\again.bmp"));
    Click(korvane.Control("cmdRestore"));
    EXPECT_EQ(AwaitValue(HKEY_CURRENT_USER, kToolbarKey, "SmBrandBitmap", std::nullopt),
              std::nullopt);

    // Nothing left to remove: nothing happens and nothing is said.
    ClickAndSettle(korvane, "cmdRestore");
    EXPECT_TRUE(MessageBoxesOf(korvane.pid()).empty());
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap"), Sz("C:\\keep.bmp"));
    EXPECT_EQ(ControlStates(korvane, "txtAddDomain"), controls);
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

}  // namespace
}  // namespace e2e
