// tanor-undo: puts back what a wipe or a conversion wrote, from its undo file.
//
//   tanor-undo [--dir <editor folder>] [--yes] <undo file>
//
// The whole file is checked first; a damaged or edited line refuses the file
// and nothing is written. Then it asks (unless --yes) and every row that
// still holds the value the walk wrote gets its original column back; rows
// changed since (by the game server, say) are listed and left alone. The game
// database is the one the editor's settings name (ODBCConnection/
// TanorOnlineDNS of the editor folder's settings file).
#include "core/UtilitiesUnit.h"
#include "items/UndoFile.h"
#include "platform/AppPaths.h"
#include "platform/ConnectionPool.h"
#include "platform/TanorError.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

bool answeredYes() {
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const ConnectionPoolScope pool;
    const QStringList args = QCoreApplication::arguments().mid(1);
    QString path;
    bool yes = false;
    bool usage = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dir") && i + 1 < args.size())
            AppPaths::SetOverride(args[++i]);
        else if (args[i] == QLatin1String("--yes"))
            yes = true;
        else if (path.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            path = args[i];
        else
            usage = true;
    }
    if (path.isEmpty() || usage) {
        std::fprintf(stderr, "usage: tanor-undo [--dir <editor folder>] [--yes] <undo file>\n");
        return 2;
    }
    try {
        const Undo::File file = Undo::Read(path);
        const Undo::Offer offer = Undo::OfferOf(file);
        if (!offer.any) {
            std::printf("%s\n", qPrintable(offer.text));
            return 0;
        }
        if (!yes) {
            std::printf("%s [y/N] ", qPrintable(offer.text));
            std::fflush(stdout);
            if (!answeredYes()) {
                std::printf("Nothing was put back.\n");
                return 0;
            }
        }
        const Undo::Restored r = Undo::Restore(file, BuildConnectionString(DataSource::TanorOnline));
        std::printf("%d row(s) restored\n", r.restored);
        for (const QString& row : r.changedSince)
            std::printf("changed since, left alone: %s\n", qPrintable(row));
        return 0;
    } catch (const TanorError& e) {
        std::fprintf(stderr, "tanor-undo: %s\n",
                     qPrintable(QString(e.text()).replace(QLatin1Char('\r'), QLatin1Char('\n'))));
        return 1;
    }
}
