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
        std::string out, err;  // err "*": any text that points to the help
    } cases[] = {
        {{"eval", "1,980"}, 0, "1980\n", ""},
        {{"eval", "--fraction", "2", "1.15*100"}, 0, "114\n", ""},
        {{"eval", "--", "-2.5"}, 0, "3\n", ""},  // default: round half away from zero
        {{"eval", "5/0"}, 1, "CalcNoNumber\n", "セルに数字が入力されていません。\n"},
        {{"eval", "2(3)"}, 1, "CalcInvalid\n", "無効な計算式です。\n"},
        {{"eval", "99999*99999"},
         1,
         "CalcOverLimit\n",
         "計算上限を超えているため、計算できません。\n"},
        {{"eval"}, 2, "", "*"},
        {{"eval", "1", "2"}, 2, "", "*"},
        {{"eval", "--fraction", "3", "1"}, 2, "", "*"},
        {{"eval", "-5"}, 2, "", "*"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        SCOPED_TRACE(c.arguments.back());
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, c.out);
        if (c.err == "*") {
            EXPECT_NE(run.err.find("tallymo-cli eval --help"), std::string::npos) << run.err;
        } else {
            EXPECT_EQ(run.err, c.err);
        }
    }
}

}  // namespace
}  // namespace tallymo::test
