// eval from the command line: amounts on stdout, failures by name with their message.

#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace tallymo::test {
namespace {

struct EvalCase {
    std::vector<std::string> arguments;
    int exitCode;
    std::string out;
    std::string err;
};

TEST(CliEval, PrintsAmountsAndNamedFailures) {
    const EvalCase cases[] = {
        {{"eval", "1,980"}, 0, "1980\n", ""},
        {{"eval", "(100+200)*1.05"}, 0, "315\n", ""},
        {{"eval", "--fraction", "2", "1.15*100"}, 0, "114\n", ""},
        {{"eval", "--fraction", "0", "--", "-2.5"}, 0, "2\n", ""},
        {{"eval", "--", "-2.5"}, 0, "3\n", ""},  // default: round half away from zero
        {{"eval", "5/0"}, 1, "CalcNoNumber\n", "セルに数字が入力されていません。\n"},
        {{"eval", "2(3)"}, 1, "CalcInvalid\n", "無効な計算式です。\n"},
        {{"eval", "99999*99999"},
         1,
         "CalcOverLimit\n",
         "計算上限を超えているため、計算できません。\n"},
        {{"eval", "１２３"}, 1, "CalcNoNumber\n", "セルに数字が入力されていません。\n"},
    };
    for (const EvalCase& c : cases) {
        const CliRun run = RunCli(c.arguments);
        const std::string label = c.arguments.back();
        EXPECT_EQ(run.exitCode, c.exitCode) << label;
        EXPECT_EQ(run.out, c.out) << label;
        EXPECT_EQ(run.err, c.err) << label;
    }
}

TEST(CliEval, UsageErrorsExitWithTwoAndPrintNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"eval"},                          // no expression
        {"eval", "1", "2"},                // two expressions
        {"eval", "--fraction", "3", "1"},  // no such rounding mode
        {"eval", "-5"},                    // a leading '-' needs "--"
    };
    for (const auto& arguments : cases) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.back();
        EXPECT_EQ(run.out, "") << arguments.back();
        EXPECT_NE(run.err.find("tallymo-cli eval --help"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace tallymo::test
