#pragma once

#include "platform/DataTarget.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <map>
#include <memory>
#include <optional>

// Keeps open connections so that a window that sets its connection string
// before every statement does not pay a login each time. A connection is
// handed to one query at a time: while a query holds a result it is busy, and
// a second query on the same target gets a second connection.
class ConnectionPool {
public:
    struct Slot {
        QString name;    // QSqlDatabase connection name
        QSqlDatabase db; // that connection, kept to spare a look-up per statement
        // The statement object of the query holding the connection, made once
        // and used again by every query after it (destroyed before db).
        std::optional<QSqlQuery> statement;
        QString key;
        DataTarget target;
        QSet<QString> attached; // embedded: databases attached so far (lower case)
        bool busy = false;
        bool broken = false;
        int generation = 0;
    };

    // The connection a query uses; returns it to the pool when it goes.
    class Lease {
    public:
        Lease() = default;
        Lease(ConnectionPool* pool, Slot* slot) : m_pool(pool), m_slot(slot) {}
        Lease(Lease&& other) noexcept { swap(other); }
        Lease& operator=(Lease&& other) noexcept {
            Lease tmp(std::move(other));
            swap(tmp);
            return *this;
        }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        ~Lease() { release(); }

        [[nodiscard]] bool valid() const { return m_slot != nullptr; }
        [[nodiscard]] QSqlDatabase database() const;
        [[nodiscard]] Slot& slot() const { return *m_slot; }
        // The connection failed: do not hand it out again.
        void markBroken() {
            if (m_slot)
                m_slot->broken = true;
        }
        void release();

    private:
        void swap(Lease& o) noexcept {
            std::swap(m_pool, o.m_pool);
            std::swap(m_slot, o.m_slot);
        }
        ConnectionPool* m_pool = nullptr;
        Slot* m_slot = nullptr;
    };

    static ConnectionPool& instance();

    // An idle open connection to `target`, or a new one. Throws DbError when
    // the connection cannot be made.
    [[nodiscard]] Lease acquire(const DataTarget& target);

    // Closes every idle connection; busy ones close when their query lets go.
    // Tests call it before removing their databases.
    void closeAll();

    [[nodiscard]] int connectionsOpened() const { return m_opened; }
    [[nodiscard]] int openConnections() const { return int(m_slots.size()); }

    // Idle connections kept per target beyond which released ones are closed.
    static constexpr int kIdlePerTarget = 4;

private:
    void giveBack(Slot* slot);
    void drop(Slot* slot);
    [[nodiscard]] std::unique_ptr<Slot> open(const DataTarget& target);

    std::map<Slot*, std::unique_ptr<Slot>> m_slots;
    int m_opened = 0;
    int m_counter = 0;
    int m_generation = 0;
};

// Closes every pooled connection when it leaves scope. A program keeps one
// in main() after its application object, so the connections close while
// the SQL drivers are still loaded (the pool itself is destroyed after main
// returns, too late to close them cleanly).
class ConnectionPoolScope {
public:
    ConnectionPoolScope() = default;
    ConnectionPoolScope(const ConnectionPoolScope&) = delete;
    ConnectionPoolScope& operator=(const ConnectionPoolScope&) = delete;
    ~ConnectionPoolScope() { ConnectionPool::instance().closeAll(); }
};
