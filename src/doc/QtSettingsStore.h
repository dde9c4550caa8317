#pragma once
// The settings store on disk: QSettings in INI form under $XDG_CONFIG_HOME, organisation
// "Harvelon", application "Tallymo Ver.2". Only QtCore is used.

#include <memory>

#include "doc/SettingsStore.h"

class QSettings;
class QString;

namespace tallymo {

class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore();                                 // the user's store
    explicit QtSettingsStore(const QString& iniPath);  // a given INI file
    ~QtSettingsStore() override;

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

    void Sync();
    QString FileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace tallymo
