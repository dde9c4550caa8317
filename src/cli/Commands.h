#pragma once
// The commands of tallymo-cli. Each takes the program name, its own name and its arguments,
// and returns the process's exit code (see ExitCode).

#include <QCoreApplication>
#include <QStringList>
#include <memory>

namespace tallymo::cli {

int RunEval(const QStringList& arguments);
int RunNew(const QStringList& arguments);
int RunDump(const QStringList& arguments);
int RunConvert(const QStringList& arguments);
int RunBook(const QStringList& arguments);
int RunTable(const QStringList& arguments);
int RunPrintTable(const QStringList& arguments);
int RunGraph(const QStringList& arguments);

#ifdef TALLYMO_CLI_PDF
int RunPdf(const QStringList& arguments);
// The application object the pdf command draws with (fonts, offscreen platform); nullptr when
// the command line asks for another command.
std::unique_ptr<QCoreApplication> MakePdfApplication(int& argc, char** argv);
#endif

}  // namespace tallymo::cli
