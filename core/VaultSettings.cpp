#include "core/VaultSettings.h"

#include "core/UtilitiesUnit.h"
#include "platform/TanorError.h"

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

void VaultSettings::RequirePlainNames() const {
    const QString key = enabled ? InvalidName() : QString();
    if (!key.isEmpty())
        throw SettingsError(
            QStringLiteral("The setting %1/%2 is not a plain table or column name").arg(kSection, key));
}
