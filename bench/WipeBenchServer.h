#pragma once

#include "widgets/Dialogs.h"

#include <QString>
#include <QTemporaryDir>

// A throw-away editor folder with a generated game server for the wipe
// benchmarks: `rows` characters and `rows` warehouses of 10-byte records,
// every tenth row of each holding one spear (type 3) among other items.
class WipeBenchServer {
public:
    explicit WipeBenchServer(int rows);
    ~WipeBenchServer();
    WipeBenchServer(const WipeBenchServer&) = delete;
    WipeBenchServer& operator=(const WipeBenchServer&) = delete;

    // An editor folder already generated (by another process).
    static void Use(const QString& dir);

    [[nodiscard]] QString dir() const { return m_dir.path(); }
    [[nodiscard]] QString database() const;
    // The spears planted, inventories and warehouses together.
    [[nodiscard]] int planted() const { return m_planted; }
    // Puts the database back as generated (every connection must be closed).
    void restore() const;

    // The general selection that takes the planted records.
    static constexpr int kSpearType = 3;

private:
    QTemporaryDir m_dir;
    int m_planted = 0;
};

// Answers every box with OK and remembers the last text.
class AcceptBoxes : public Dialogs::Handler {
public:
    AcceptBoxes() : m_previous(Dialogs::SetHandler(this)) {}
    ~AcceptBoxes() override { Dialogs::SetHandler(m_previous); }
    AcceptBoxes(const AcceptBoxes&) = delete;
    AcceptBoxes& operator=(const AcceptBoxes&) = delete;
    bool show(const Dialogs::Box& box) override {
        last = box.text;
        return true;
    }
    QString last;

private:
    Dialogs::Handler* m_previous;
};

// Peak resident memory of this process so far, in KiB (VmHWM).
[[nodiscard]] long PeakKiB();
