// The settings file can hold anything a text editor or another program left
// there. Reading never fails; a value written reads back as written and
// every other value reads as before.
#include "FuzzCheck.h"

#include "platform/FileWatch.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

const QVector<IniFile::Entry> kProbes = {
    {QStringLiteral("SQLConnection"), QStringLiteral("ID")},
    {QStringLiteral("SQLConnection"), QStringLiteral("Pass")},
    {QStringLiteral("ODBCConnection"), QStringLiteral("TanorOnlineDNS")},
    {QStringLiteral("Internal"), QStringLiteral("Version")},
    {QStringLiteral("a"), QStringLiteral("b")},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.ini"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(Fuzz::Bytes(data, size));
    }
    // Written behind the reader's back: say so, rather than wait for the
    // watcher's report, which needs an event loop.
    FileWatch::Wrote(path);
    QVector<bool> found;
    const QStringList before = IniFile::ReadMany(path, kProbes, &found);
    FUZZ_CHECK(before.size() == kProbes.size());
    for (int i = 0; i < kProbes.size(); ++i)
        FUZZ_CHECK(IniFile::Read(path, kProbes[i].section, kProbes[i].key) == before[i]);

    IniFile::Write(path, QStringLiteral("SQLConnection"), QStringLiteral("Pass"), QStringLiteral("p;w=d"));
    const QStringList after = IniFile::ReadMany(path, kProbes);
    for (int i = 0; i < kProbes.size(); ++i) {
        if (i == 1)
            FUZZ_CHECK(after[i] == QStringLiteral("p;w=d"));
        else
            FUZZ_CHECK(after[i] == before[i]);
    }
    return 0;
}
