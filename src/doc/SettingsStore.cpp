#include "doc/SettingsStore.h"

namespace tallymo {
namespace {

std::string Key(std::string_view section, std::string_view name) {
    std::string key(section);
    key += '\n';
    key += name;
    return key;
}

}  // namespace

bool SettingsStore::ReadFlag(std::string_view section, std::string_view name, bool fallback) const {
    const auto bytes = ReadBinary(section, name);
    if (!bytes || bytes->size() != 1) return fallback;
    return (*bytes)[0] == 1;
}

void SettingsStore::WriteFlag(std::string_view section, std::string_view name, bool value) {
    WriteBinary(section, name, std::string(1, value ? '\1' : '\0'));
}

const MemorySettingsStore::Value* MemorySettingsStore::Find(std::string_view section,
                                                            std::string_view name) const {
    const auto found = m_values.find(Key(section, name));
    return found == m_values.end() ? nullptr : &found->second;
}

bool MemorySettingsStore::Contains(std::string_view section, std::string_view name) const {
    return Find(section, name) != nullptr;
}

std::optional<std::int32_t> MemorySettingsStore::ReadInt(std::string_view section,
                                                         std::string_view name) const {
    const Value* value = Find(section, name);
    if (!value || value->kind != Kind::Int) return std::nullopt;
    return value->number;
}

void MemorySettingsStore::WriteInt(std::string_view section, std::string_view name,
                                   std::int32_t value) {
    m_values[Key(section, name)] = Value{Kind::Int, value, {}};
}

std::optional<Cp932Text> MemorySettingsStore::ReadString(std::string_view section,
                                                         std::string_view name) const {
    const Value* value = Find(section, name);
    if (!value || value->kind != Kind::String) return std::nullopt;
    return Cp932Text(value->bytes);
}

void MemorySettingsStore::WriteString(std::string_view section, std::string_view name,
                                      const Cp932Text& text) {
    m_values[Key(section, name)] = Value{Kind::String, 0, text.Bytes()};
}

std::optional<std::string> MemorySettingsStore::ReadBinary(std::string_view section,
                                                           std::string_view name) const {
    const Value* value = Find(section, name);
    if (!value || value->kind != Kind::Binary) return std::nullopt;
    return value->bytes;
}

void MemorySettingsStore::WriteBinary(std::string_view section, std::string_view name,
                                      std::string_view bytes) {
    m_values[Key(section, name)] = Value{Kind::Binary, 0, std::string(bytes)};
}

}  // namespace tallymo
