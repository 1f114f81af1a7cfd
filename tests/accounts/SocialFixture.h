#pragma once

#include "AccountsFixture.h"

#include <QListWidget>

// The skill and friends windows: the account windows' demo server, plus the
// catalogue beside it and the entries of a list.
class SocialTest : public AccountsTest {
protected:
    void rawCatalogue(const QString& sql) const {
        TestEnvironment::execRaw(env.path(QStringLiteral("TanorEditor.mdb")), sql);
    }
    static QStringList entries(const QObject* form, const QString& list) {
        const auto* box = child<QListWidget>(form, list);
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->item(i)->text();
        return out;
    }
};
