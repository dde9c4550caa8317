#pragma once
// Every test binary runs with TZ=Asia/Tokyo and with HOME and XDG_CONFIG_HOME pointed at a
// temporary folder, so no test reads or writes the user's settings.

#include <string>

namespace tallymo::test {

// Sets up the process environment; called once from each test main.
void PrepareTestEnvironment();

// Switches the local time zone for the rest of the process (or until switched back).
void SetTimeZone(const char* tz);

// RAII: sets a time zone for the lifetime of the object, then restores Asia/Tokyo.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* tz) { SetTimeZone(tz); }
    ~ScopedTimeZone() { SetTimeZone("Asia/Tokyo"); }
};

// A fresh empty folder under the test run's temporary root.
std::string MakeTempDir(const std::string& hint = "t");

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace tallymo::test
