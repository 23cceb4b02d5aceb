// "Clear" clicked in the real window, over the real registry: the typed addresses go, but a
// key with keys below it is one the registry does not delete, and nothing is said either way.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kTypedUrlsKey = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

class HistoryActions : public KorvaneTest {};

TEST_F(HistoryActions, ClearRemovesTheTypedAddressesButNotAKeyWithSubKeys) {
    SeedVersion(Sz("6.0.2800.1106"));
    Seed(HKEY_CURRENT_USER, kTypedUrlsKey, "url1", Sz("http://one.example/"));
    Seed(HKEY_CURRENT_USER, kTypedUrlsKey, "url2", Sz("ftp://two.example/"));
    const std::string subKey = std::string(kTypedUrlsKey) + "\\Later";
    Seed(HKEY_CURRENT_USER, subKey, "url3", Sz("http://three.example/"));
    Korvane& korvane = StartShown();
    const ProgramKeys afterStart;

    Click(korvane.Control("cmdClear"));
    korvane.Settle();
    EXPECT_THAT(afterStart.Changes(), IsEmpty());

    DeleteKeyTree(HKEY_CURRENT_USER, subKey);
    Click(korvane.Control("cmdClear"));
    korvane.Settle();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTypedUrlsKey)) << "the typed addresses are there";

    // Again, with the key gone: nothing happens, and the key is not made again.
    Click(korvane.Control("cmdClear"));
    korvane.Settle();
    EXPECT_THAT(afterStart.Changes(), ElementsAre(HasSubstr("TypedURLs: key deleted")));
    EXPECT_THAT(DialogsOf(korvane.pid()), IsEmpty());
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

}  // namespace
}  // namespace e2e
