// New-ledger state and the "DefaultSettings" section of the settings store.

#include <algorithm>
#include <cstdio>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"

namespace tallymo {
namespace {

constexpr const char* kSection = "DefaultSettings";
// A damaged store could claim any count; no real list comes near this.
constexpr int kMaxDefaultMatters = 1000;

std::string MatterSection(bool income, int i) {
    char name[64];
    std::snprintf(name, sizeof name, income ? "%s\\IncomeMatter%d" : "%s\\OutgoMatter%d", kSection,
                  i);
    return name;
}

const char* CountName(bool income) {
    return income ? "IncomeMatter" : "OutgoMatter";
}

std::vector<Cp932Text> BuiltInMatterNames(bool income) {
    static const char* const kIncome[] = {"収入"};
    static const char* const kOutgo[] = {"食費",   "交通費", "交際費", "光熱費",
                                         "通信費", "住居費", "雑費"};
    std::vector<Cp932Text> names;
    if (income) {
        for (const char* name : kIncome) names.push_back(Utf8ToCp932(name).value_or(Cp932Text()));
    } else {
        for (const char* name : kOutgo) names.push_back(Utf8ToCp932(name).value_or(Cp932Text()));
    }
    return names;
}

}  // namespace

void CTallymoDoc::InitNewLedger() {
    DeleteContents();
    m_currentDate = StartOfDay(m_clock.Now());
    LoadDefaultSettings();
    LoadDefaultMatters(true);
    LoadDefaultMatters(false);
    m_modified = false;
}

void CTallymoDoc::LoadDefaultSettings() {
    auto read = [this](const char* name, std::int32_t fallback) {
        return m_store.ReadInt(kSection, name).value_or(fallback);
    };
    m_settings.FontSize = static_cast<std::uint16_t>(read("FontSize", 90));
    m_settings.EnterMode = read("EnterMode", 0) == 1;
    m_settings.ShowType = read("ShowType", 0);
    m_settings.FractionMode = static_cast<std::uint16_t>(read("FractionMode", 1));
    m_settings.CloseDay = static_cast<std::uint16_t>(read("CloseDay", 0));
    m_settings.ShowQuickWizard = read("ShowQuickWizard", 1) == 1;
    m_settings.ShowProjection = false;
}

void CTallymoDoc::SaveDefaultSettings() const {
    m_store.WriteInt(kSection, "FontSize", m_settings.FontSize);
    m_store.WriteInt(kSection, "EnterMode", m_settings.EnterMode ? 1 : 0);
    m_store.WriteInt(kSection, "ShowType", m_settings.ShowType);
    m_store.WriteInt(kSection, "FractionMode", m_settings.FractionMode);
    m_store.WriteInt(kSection, "CloseDay", m_settings.CloseDay);
    m_store.WriteInt(kSection, "ShowQuickWizard", m_settings.ShowQuickWizard ? 1 : 0);
}

void CTallymoDoc::LoadDefaultMatters(bool income) {
    MatterList& list = income ? m_income : m_outgo;
    list.clear();
    m_index.Invalidate();
    const auto width = static_cast<std::uint16_t>(m_settings.FontSize * 10);
    const int count = m_store.ReadInt(kSection, CountName(income)).value_or(-1);
    if (count < 0) {
        for (Cp932Text& name : BuiltInMatterNames(income)) {
            list.emplace_back(std::move(name), width, true);
        }
        return;
    }
    for (int i = 0; i < std::min(count, kMaxDefaultMatters); ++i) {
        const std::string section = MatterSection(income, i);
        const std::int32_t cellWidth = m_store.ReadInt(section, "CellWidth").value_or(width);
        list.emplace_back(m_store.ReadString(section, "Name").value_or(Cp932Text()),
                          static_cast<std::uint16_t>(cellWidth),
                          m_store.ReadFlag(section, "Visible", true));
    }
}

void CTallymoDoc::SaveDefaultMatters(bool income) const {
    const MatterList& list = income ? m_income : m_outgo;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string section = MatterSection(income, static_cast<int>(i));
        m_store.WriteString(section, "Name", list[i].Name());
        m_store.WriteInt(section, "CellWidth", list[i].CellWidth());
        m_store.WriteFlag(section, "Visible", list[i].IsVisible());
    }
    m_store.WriteInt(kSection, CountName(income), static_cast<std::int32_t>(list.size()));
}

}  // namespace tallymo
