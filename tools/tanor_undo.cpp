// tanor-undo: puts back what a wipe or a conversion wrote, from its undo file.
//
//   tanor-undo [--dir <editor folder>] <undo file>
//
// Every row that still holds the value the walk wrote gets its original
// column back; rows changed since (by the game server, say) are listed and
// left alone. The game database is the one the editor's settings name
// (ODBCConnection/TanorOnlineDNS of the editor folder's settings file).
#include "core/UtilitiesUnit.h"
#include "items/UndoFile.h"
#include "platform/AppPaths.h"
#include "platform/ConnectionPool.h"
#include "platform/TanorError.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const ConnectionPoolScope pool;
    const QStringList args = QCoreApplication::arguments().mid(1);
    QString file;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dir") && i + 1 < args.size())
            AppPaths::SetOverride(args[++i]);
        else if (file.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            file = args[i];
        else
            file.clear(), i = args.size();
    }
    if (file.isEmpty()) {
        std::fprintf(stderr, "usage: tanor-undo [--dir <editor folder>] <undo file>\n");
        return 2;
    }
    try {
        const Undo::Restored r = Undo::Restore(file, BuildConnectionString(DataSource::TanorOnline));
        std::printf("%d row(s) restored\n", r.restored);
        for (const QString& row : r.changedSince)
            std::printf("changed since, left alone: %s\n", qPrintable(row));
        return 0;
    } catch (const TanorError& e) {
        std::fprintf(stderr, "tanor-undo: %s\n", qPrintable(e.text()));
        return 1;
    }
}
