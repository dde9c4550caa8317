#include "cli/CliRunner.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <QProcess>
#include <csignal>

namespace tallymo::test {

QJsonDocument CliRun::Json() const {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_TRUE(document.isObject());
    return document;
}

CliRun RunCli(const std::vector<std::string>& arguments, const CliOptions& options) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : options.env) {
        env.insert(QString::fromStdString(name), QString::fromStdString(value));
    }
    process.setProcessEnvironment(env);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!options.stdoutPath.empty()) {
        process.setStandardOutputFile(QString::fromStdString(options.stdoutPath));
    }
    if (options.fileSizeLimit >= 0) {
        process.setChildProcessModifier([limit = options.fileSizeLimit] {
            signal(SIGXFSZ, SIG_IGN);  // an ignored signal stays ignored across exec
            rlimit fileSize{};
            getrlimit(RLIMIT_FSIZE, &fileSize);
            fileSize.rlim_cur = static_cast<rlim_t>(limit);
            setrlimit(RLIMIT_FSIZE, &fileSize);
        });
    }
    QStringList args;
    for (const std::string& argument : arguments) args << QString::fromStdString(argument);
    process.start(QStringLiteral(TALLYMO_CLI_PATH), args);
    CliRun run;
    if (!process.waitForFinished(60000)) return run;
    if (process.exitStatus() == QProcess::NormalExit) run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

}  // namespace tallymo::test
