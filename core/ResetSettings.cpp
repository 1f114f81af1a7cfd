#include "core/ResetSettings.h"

#include "core/UtilitiesUnit.h"

ResetSettings ResetSettings::Read() {
    ResetSettings s;
    s.enabled = ReadSettingInt(kSection, SettingsName::kEnabled);
    s.table = ReadSetting(kSection, kTable);
    s.columnCharacter = ReadSetting(kSection, kColumnCharacter);
    s.columnResets = ReadSetting(kSection, kColumnResets);
    return s;
}

QString ResetSettings::InvalidName() const {
    const std::pair<QLatin1String, const QString*> names[] = {
        {kTable, &table}, {kColumnCharacter, &columnCharacter}, {kColumnResets, &columnResets}};
    for (const auto& [key, value] : names) {
        if (!IsPlainIdentifier(*value))
            return key;
    }
    return {};
}
