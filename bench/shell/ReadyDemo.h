#pragma once

#include <QString>
#include <QTemporaryDir>

// An editor folder as an operator has it after the first run on the demo
// server: the demo databases, the operator database with "admin" reached
// through "VornMNG", the settings saved once. While it lives every path and
// the private odbc.ini point at it.
class ReadyDemo {
public:
    // An empty `dir` makes a temporary folder and builds the demo in it; a
    // given one is used as it is (built before by another process).
    explicit ReadyDemo(const QString& dir = QString());
    ReadyDemo(const ReadyDemo&) = delete;
    ReadyDemo& operator=(const ReadyDemo&) = delete;

    [[nodiscard]] const QString& dir() const { return m_path; }

    // From now on every modal window is the sign-in, answered with "admin".
    static void SignInAutomatically();

private:
    QTemporaryDir m_temp;
    QString m_path;
};

// Resident memory of this process now, in KiB (VmRSS).
[[nodiscard]] long ResidentKiB();
// Open file descriptors of this process on database files (".db").
[[nodiscard]] int OpenDatabaseFiles();
