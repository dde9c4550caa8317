#pragma once
// The commands of tallymo-cli. Each takes the program name, its own name and its arguments,
// and returns the process's exit code (see ExitCode).

#include <QStringList>

namespace tallymo::cli {

int RunEval(const QStringList& arguments);
int RunNew(const QStringList& arguments);
int RunDump(const QStringList& arguments);
int RunConvert(const QStringList& arguments);
int RunBook(const QStringList& arguments);
int RunTable(const QStringList& arguments);
int RunPrintTable(const QStringList& arguments);
int RunGraph(const QStringList& arguments);

}  // namespace tallymo::cli
