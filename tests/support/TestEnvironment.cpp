#include "support/TestEnvironment.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tallymo::test {
namespace {

std::string& Root() {
    static std::string root;
    return root;
}

}  // namespace

void SetTimeZone(const char* tz) {
    setenv("TZ", tz, 1);
    tzset();
}

void PrepareTestEnvironment() {
    char pattern[] = "/tmp/tallymo-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) throw std::runtime_error("cannot make a temporary folder");
    Root() = made;
    const std::string home = Root() + "/home";
    const std::string config = Root() + "/config";
    const std::string data = Root() + "/data";
    const std::string runtime = Root() + "/runtime";
    for (const auto& dir : {home, config, data, runtime}) mkdir(dir.c_str(), 0700);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    setenv("LANG", "C.UTF-8", 1);
    SetTimeZone("Asia/Tokyo");
}

std::string MakeTempDir(const std::string& hint) {
    static int counter = 0;
    const std::string dir = Root() + "/" + hint + std::to_string(++counter);
    mkdir(dir.c_str(), 0700);
    return dir;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tallymo::test
