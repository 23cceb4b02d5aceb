// The arguments one instance hands the next: what is understood, and what is refused whole.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

using app::CommandLine;
using Arguments = std::vector<std::u16string>;

TEST(CommandLine, TheRestartsOwnArgumentsAreReadBackAndAnythingElseIsRefused) {
    CommandLine restart;
    restart.user = u"S-1-5-21-7-1001";
    restart.check = std::pair(35, 1);
    EXPECT_EQ(app::FormatCommandLine(restart), u"/user:S-1-5-21-7-1001 /check:35=1");
    const CommandLine back = app::ParseCommandLine({u"/check:35=1", u"/user:S-1-5-21-7-1001"});
    EXPECT_EQ(std::tuple(back.user, back.check, back.problem),
              std::tuple(restart.user, restart.check, u""));
    EXPECT_EQ(app::ParseCommandLine({u"/check:30=0"}).check, std::pair(30, 0));
    EXPECT_EQ(app::ParseCommandLine({}).problem, u"");
    CommandLine import;
    import.user = restart.user;
    import.importFile = u"C:\\My Files\\a.reg";  // one argument, however the system splits it
    EXPECT_EQ(app::FormatCommandLine(import),
              u"/user:S-1-5-21-7-1001 \"/import:C:\\My Files\\a.reg\"");
    const CommandLine quiet = app::ParseCommandLine({u"/quiet", u"/export:e.reg"});
    EXPECT_EQ(std::tuple(quiet.quiet, quiet.exportFile, quiet.problem),
              std::tuple(true, u"e.reg", u""));
    for (const Arguments& arguments :
         {Arguments{u"/quiet"}, {u"/export:e", u"/import:i"}, {u"/check:35=1", u"/import:i"}}) {
        EXPECT_EQ(app::ParseCommandLine(arguments).problem,
                  u"Korvane takes only one of /check:, /export: and /import:, and /quiet only "
                  u"beside /export: or /import:.");
    }

    const Arguments refused[] = {
        {u"/check:0=1"},
        {u"/check:35=2"},
        {u"/check:035=1"},
        {u"/check:+35=1"},
        {u"/check:1000035=1"},
        {u"/user:"},
        {u"/USER:S-1-5-21-7-1001"},
        {u"x"},
        {u"/user:a", u"/user:a"},
        {u"/check:35=1", u"/check:35=1"},
        {u"/quiet", u"/quiet"},
        {u"/import:"},
    };
    for (const Arguments& arguments : refused) {
        EXPECT_EQ(app::ParseCommandLine(arguments).problem,
                  u"Korvane does not understand its argument \"" + arguments.back() + u"\".");
    }
}

}  // namespace
