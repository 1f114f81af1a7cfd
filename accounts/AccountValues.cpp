#include "accounts/AccountValues.h"

#include "core/UtilitiesUnit.h"

namespace AccountValues {

namespace {
const QString kIdPrefix = QStringLiteral("111111");
}

Hashing HashingOf(int setting) {
    return setting == 1 ? Hashing::Enabled : Hashing::Disabled;
}

QString HashingText(Hashing hashing) {
    return hashing == Hashing::Enabled ? QStringLiteral("Enabled") : QStringLiteral("Disabled");
}

Hashing ReadHashing() {
    return HashingOf(ReadSettingInt(SettingsName::kHashing, SettingsName::kEnabled));
}

QString StoredPersonalId(const QString& typed) {
    return kIdPrefix + typed;
}

QString ShownPersonalId(const QString& stored) {
    return stored.mid(kIdPrefix.size(), 7);
}

std::optional<QString> PersonalIdToWrite(const std::optional<QString>& stored, const QString& shown) {
    if (shown == ShownPersonalId(stored.value_or(QString())))
        return stored;
    return StoredPersonalId(shown);
}

} // namespace AccountValues
