#pragma once
// Runs the built tallymo-cli as a user would, in the test's environment (temporary HOME and
// XDG_CONFIG_HOME, TZ=Asia/Tokyo), and captures what it writes and how it ends.

#include <QJsonDocument>
#include <string>
#include <utility>
#include <vector>

namespace tallymo::test {

struct CliRun {
    int exitCode = -1;  // -1 when the program did not end normally
    std::string out;
    std::string err;

    // stdout parsed as JSON; a failed test assertion when it is not one JSON object.
    QJsonDocument Json() const;
};

struct CliOptions {
    std::vector<std::pair<std::string, std::string>> env;  // set for the child only
    std::string stdoutPath;  // when set, stdout goes to this file instead of being captured
    // When not negative, the child may not write a file beyond this many bytes (SIGXFSZ is
    // ignored, so such a write fails with EFBIG as on a full disk).
    long long fileSizeLimit = -1;
};

CliRun RunCli(const std::vector<std::string>& arguments, const CliOptions& options = {});

// book into `path` with the given options.
inline std::vector<std::string> Booking(const std::string& path, const char* date,
                                        const char* matter, const char* amount) {
    return {"book", path, "--date", date, "--matter", matter, "--amount", amount};
}

}  // namespace tallymo::test
