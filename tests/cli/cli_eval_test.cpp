// eval from the command line: the amount on stdout, a failure by name with its message, usage
// errors with exit code 2. (The evaluator's rules are tests/calc.)

#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace tallymo::test {
namespace {

TEST(CliEval, PrintsAmountsFailuresAndUsageErrors) {
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string out, err;
    } cases[] = {
        {{"eval", "--fraction", "2", "1.15*100"}, 0, "114\n", ""},
        {{"eval", "--", "-2.5"}, 0, "3\n", ""},  // default: round half away from zero
        {{"eval", "2(3)"}, 1, "CalcInvalid\n", "無効な計算式です。\n"},
        {{"eval", "1", "2"}, 2, "", "Run 'tallymo-cli eval --help' for its usage.\n"},
        {{"eval", "--fraction", "3", "1"}, 2, "", "Run 'tallymo-cli eval --help' for its usage.\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        SCOPED_TRACE(c.arguments.back());
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err.empty(), c.err.empty());
        EXPECT_TRUE(run.err.ends_with(c.err)) << run.err;
    }
}

}  // namespace
}  // namespace tallymo::test
