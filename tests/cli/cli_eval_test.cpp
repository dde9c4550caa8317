// eval from the command line: amounts on stdout, failures by name with their message.

#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace tallymo::test {
namespace {

TEST(CliEval, PrintsAmountsAndNamedFailures) {
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string out, err;
    } cases[] = {
        {{"eval", "1,980"}, 0, "1980\n", ""},
        {{"eval", "--fraction", "2", "1.15*100"}, 0, "114\n", ""},
        {{"eval", "--fraction", "0", "--", "-2.5"}, 0, "2\n", ""},
        {{"eval", "--", "-2.5"}, 0, "3\n", ""},  // default: round half away from zero
        {{"eval", "5/0"}, 1, "CalcNoNumber\n", "セルに数字が入力されていません。\n"},
        {{"eval", "2(3)"}, 1, "CalcInvalid\n", "無効な計算式です。\n"},
        {{"eval", "99999*99999"},
         1,
         "CalcOverLimit\n",
         "計算上限を超えているため、計算できません。\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        SCOPED_TRACE(c.arguments.back());
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
}

TEST(CliEval, UsageErrorsExitWithTwoAndPrintNothing) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"eval"}, {"eval", "1", "2"}, {"eval", "--fraction", "3", "1"}, {"eval", "-5"}}) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.back();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("tallymo-cli eval --help"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace tallymo::test
