// The error report: one OK-only box titled with the guarded procedure's name, after which the
// procedure returns normally.
#include <gtest/gtest.h>

#include <new>

#include "toolkit/error_report.h"
#include "toolkit/scripted_services.h"

namespace {

using toolkit::Error;

TEST(ErrorReport, PromptIsNumberThenDescription) {
    EXPECT_EQ(toolkit::ErrorPrompt(Error(13)), "Error: 13. Type mismatch");
    EXPECT_EQ(toolkit::ErrorPrompt(Error(6)), "Error: 6. Overflow");
    EXPECT_EQ(toolkit::ErrorPrompt(Error(9)), "Error: 9. Subscript out of range");
    EXPECT_EQ(toolkit::ErrorPrompt(Error(-2147024891, "Access is denied")),
              "Error: -2147024891. Access is denied");
}

TEST(ErrorReport, GuardShowsOneOkOnlyBoxTitledWithTheProcedureAndReturns) {
    toolkit::ScriptedServices services;
    int runs = 0;
    toolkit::Guard(services, "IE_Version", [&] { ++runs; });
    EXPECT_TRUE(services.messages.empty());
    toolkit::Guard(services, "Form_Load", [&] {
        throw Error(toolkit::kOverflow);
        ++runs;
    });
    EXPECT_EQ(runs, 1);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].prompt, "Error: 6. Overflow");
    EXPECT_EQ(services.messages[0].buttons, toolkit::kOkOnly);
    EXPECT_EQ(services.messages[0].title, "Form_Load");
}

TEST(ErrorReport, NestedGuardsReportOnlyAtTheInnermost) {
    toolkit::ScriptedServices services;
    bool outerWentOn = false;
    toolkit::Guard(services, "Form_Load", [&] {
        toolkit::Guard(services, "Select_Buttons", [] { throw Error(toolkit::kTypeMismatch); });
        outerWentOn = true;
    });
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].title, "Select_Buttons");
    EXPECT_TRUE(outerWentOn);
}

TEST(ErrorReport, OutOfMemoryIsReportedAsThePlatformError) {
    toolkit::ScriptedServices services;
    toolkit::Guard(services, "RegistryGetKeyValue", [] { throw std::bad_alloc(); });
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].prompt, "Error: 7. Out of memory");
}

TEST(ErrorReport, UntitledMessageShowsTheApplicationTitle) {
    toolkit::ScriptedServices services;
    services.ShowMessage("hello", toolkit::kOkOnly, std::nullopt);
    EXPECT_EQ(services.messages[0].shownTitle(), "Korvane");
}

}  // namespace
