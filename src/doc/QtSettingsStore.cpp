#include "doc/QtSettingsStore.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>

#include "doc/TextCodec.h"

namespace tallymo {
namespace {

// "DefaultSettings\IncomeMatter0" + "Name" -> "DefaultSettings/IncomeMatter0/Name".
QString KeyOf(std::string_view section, std::string_view name) {
    QString key = QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size()));
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    key += QLatin1Char('/');
    key += QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    return key;
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Harvelon"),
                                             QStringLiteral("Tallymo Ver.2"))) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::int32_t> QtSettingsStore::ReadInt(std::string_view section,
                                                     std::string_view name) const {
    const QVariant value = m_settings->value(KeyOf(section, name));
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < INT32_MIN || number > UINT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
}

void QtSettingsStore::WriteInt(std::string_view section, std::string_view name,
                               std::int32_t value) {
    m_settings->setValue(KeyOf(section, name), value);
}

std::optional<Cp932Text> QtSettingsStore::ReadString(std::string_view section,
                                                     std::string_view name) const {
    const QVariant value = m_settings->value(KeyOf(section, name));
    if (!value.isValid()) return std::nullopt;
    // The file holds UTF-8; a text that CP932 cannot hold counts as unreadable.
    return Utf8ToCp932(value.toString().toStdString());
}

void QtSettingsStore::WriteString(std::string_view section, std::string_view name,
                                  const Cp932Text& text) {
    m_settings->setValue(KeyOf(section, name), QString::fromStdString(Cp932ToUtf8(text)));
}

std::optional<std::string> QtSettingsStore::ReadBinary(std::string_view section,
                                                       std::string_view name) const {
    const QVariant value = m_settings->value(KeyOf(section, name));
    if (!value.isValid() || value.typeId() != QMetaType::QByteArray) return std::nullopt;
    return value.toByteArray().toStdString();
}

void QtSettingsStore::WriteBinary(std::string_view section, std::string_view name,
                                  std::string_view bytes) {
    m_settings->setValue(KeyOf(section, name),
                         QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void QtSettingsStore::Sync() {
    m_settings->sync();
}

QString QtSettingsStore::FileName() const {
    return m_settings->fileName();
}

}  // namespace tallymo
