#include "platform/ConnectionPool.h"

#include "platform/DriverError.h"
#include "platform/EmbeddedServer.h"
#include "platform/TanorError.h"

#include <QSqlError>

namespace {
constexpr int kLoginTimeoutSeconds = 15;
}

QSqlDatabase ConnectionPool::Lease::database() const {
    return m_slot->db;
}

void ConnectionPool::Lease::release() {
    if (m_pool && m_slot)
        m_pool->giveBack(m_slot);
    m_pool = nullptr;
    m_slot = nullptr;
}

ConnectionPool& ConnectionPool::instance() {
    static ConnectionPool pool;
    return pool;
}

ConnectionPool::Lease ConnectionPool::acquire(const DataTarget& target) {
    const QString key = target.key();
    for (auto& [raw, slot] : m_slots) {
        if (!slot->busy && !slot->broken && slot->key == key && slot->generation == m_generation) {
            if (!slot->db.isOpen())
                continue;
            slot->busy = true;
            return Lease(this, raw);
        }
    }
    std::unique_ptr<Slot> fresh = open(target);
    Slot* raw = fresh.get();
    raw->busy = true;
    m_slots.emplace(raw, std::move(fresh));
    return Lease(this, raw);
}

std::unique_ptr<ConnectionPool::Slot> ConnectionPool::open(const DataTarget& target) {
    auto slot = std::make_unique<Slot>();
    slot->name = QStringLiteral("tanor_%1").arg(++m_counter);
    slot->key = target.key();
    slot->target = target;
    slot->generation = m_generation;

    auto fail = [&](const QString& text) {
        QSqlDatabase::removeDatabase(slot->name);
        throw DbError(text);
    };

    if (target.backend == DataTarget::Backend::Embedded) {
        EmbeddedServer::CheckDatabaseFile(target.location);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), slot->name);
            db.setDatabaseName(target.location);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(target.busyTimeoutMs));
            if (!db.open()) {
                const QString text = DriverErrorText(db.lastError());
                db = QSqlDatabase();
                fail(text);
            }
            try {
                EmbeddedServer::Prepare(db, target.catalogue);
            } catch (const DbError& e) {
                db.close();
                db = QSqlDatabase();
                fail(e.text());
            }
        }
    } else {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
            throw DbError(QStringLiteral("The ODBC driver of Qt SQL (QODBC) is not installed"));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), slot->name);
        // QODBC puts "DSN=" in front of a bare name itself.
        db.setDatabaseName(target.location);
        db.setUserName(target.user);
        db.setPassword(target.password);
        db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(kLoginTimeoutSeconds));
        if (!db.open()) {
            const QString text = DriverErrorText(db.lastError());
            db = QSqlDatabase();
            fail(text);
        }
    }
    slot->db = QSqlDatabase::database(slot->name, false);
    ++m_opened;
    return slot;
}

void ConnectionPool::giveBack(Slot* slot) {
    slot->busy = false;
    if (slot->broken || slot->generation != m_generation) {
        drop(slot);
        return;
    }
    int idle = 0;
    for (const auto& [raw, s] : m_slots) {
        if (!s->busy && s->key == slot->key)
            ++idle;
    }
    if (idle > kIdlePerTarget)
        drop(slot);
}

void ConnectionPool::drop(Slot* slot) {
    const QString name = slot->name;
    m_slots.erase(slot);
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void ConnectionPool::closeAll() {
    ++m_generation;
    std::vector<Slot*> idle;
    for (const auto& [raw, s] : m_slots) {
        if (!s->busy)
            idle.push_back(raw);
    }
    for (Slot* s : idle)
        drop(s);
}
