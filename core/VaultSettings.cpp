#include "core/VaultSettings.h"

#include "core/UtilitiesUnit.h"

namespace {

QString setting(QLatin1String key) {
    return ReadSetting(VaultSettings::kSection, key);
}
} // namespace

VaultSettings VaultSettings::Read() {
    VaultSettings s;
    s.enabled = Enabled();
    s.table = setting(kTable);
    s.items = setting(kItems);
    s.account = setting(kAccount);
    s.number = setting(kNumber);
    return s;
}

bool VaultSettings::Enabled() {
    return ReadSettingInt(kSection, SettingsName::kEnabled) == 1;
}

QString VaultSettings::InvalidName() const {
    const std::pair<QLatin1String, const QString*> names[] = {
        {kTable, &table}, {kItems, &items}, {kAccount, &account}, {kNumber, &number}};
    for (const auto& [key, value] : names) {
        if (!IsPlainIdentifier(*value))
            return key;
    }
    return {};
}
