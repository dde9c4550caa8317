#pragma once
// The per-user settings store: sections of named values (integers, strings, byte strings).
// Section names nest with a backslash ("DefaultSettings\IncomeMatter0"). Values that are absent
// or cannot be read come back empty; writes are not reported as failing.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "doc/Cp932Text.h"

namespace tallymo {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::optional<std::int32_t> ReadInt(std::string_view section,
                                                std::string_view name) const = 0;
    virtual void WriteInt(std::string_view section, std::string_view name, std::int32_t value) = 0;
    // Strings are CP932, as every ledger text in the core.
    virtual std::optional<Cp932Text> ReadString(std::string_view section,
                                                std::string_view name) const = 0;
    virtual void WriteString(std::string_view section, std::string_view name,
                             const Cp932Text& text) = 0;
    virtual std::optional<std::string> ReadBinary(std::string_view section,
                                                  std::string_view name) const = 0;
    virtual void WriteBinary(std::string_view section, std::string_view name,
                             std::string_view bytes) = 0;

    // A one-byte flag: true only when the value is exactly the one byte 1; `fallback` when it
    // is absent or not one byte long.
    bool ReadFlag(std::string_view section, std::string_view name, bool fallback) const;
    void WriteFlag(std::string_view section, std::string_view name, bool value);
};

// Keeps everything in memory: for tests and for runs that must not touch the user's settings.
class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<std::int32_t> ReadInt(std::string_view section,
                                        std::string_view name) const override;
    void WriteInt(std::string_view section, std::string_view name, std::int32_t value) override;
    std::optional<Cp932Text> ReadString(std::string_view section,
                                        std::string_view name) const override;
    void WriteString(std::string_view section, std::string_view name,
                     const Cp932Text& text) override;
    std::optional<std::string> ReadBinary(std::string_view section,
                                          std::string_view name) const override;
    void WriteBinary(std::string_view section, std::string_view name,
                     std::string_view bytes) override;

    bool Contains(std::string_view section, std::string_view name) const;

private:
    enum class Kind { Int, String, Binary };
    struct Value {
        Kind kind;
        std::int32_t number = 0;
        std::string bytes;
    };
    const Value* Find(std::string_view section, std::string_view name) const;
    std::map<std::string, Value, std::less<>> m_values;  // key: section + '\n' + name
};

}  // namespace tallymo
