#include "support/TestEnvironment.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace tallymo::test {
namespace {
std::string root;  // the test run's temporary folder
}  // namespace

void SetTimeZone(const char* tz) {
    setenv("TZ", tz, 1);
    tzset();
}

void PrepareTestEnvironment() {
    char pattern[] = "/tmp/tallymo-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) throw std::runtime_error("cannot make a temporary folder");
    root = made;
    for (const auto& [variable, name] : {std::pair{"HOME", "/home"},
                                         {"XDG_CONFIG_HOME", "/config"},
                                         {"XDG_DATA_HOME", "/data"},
                                         {"XDG_RUNTIME_DIR", "/runtime"}}) {
        const std::string dir = root + name;
        mkdir(dir.c_str(), 0700);
        setenv(variable, dir.c_str(), 1);
    }
    setenv("LANG", "C.UTF-8", 1);
    SetTimeZone("Asia/Tokyo");
}

std::string MakeTempDir(const std::string& hint) {
    static int counter = 0;
    const std::string dir = root + "/" + hint + std::to_string(++counter);
    mkdir(dir.c_str(), 0700);
    return dir;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tallymo::test
