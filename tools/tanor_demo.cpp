// tanor-demo: builds the demo server, the item catalogue and generated
// servers from the text sources.
//
//   tanor-demo prepare <editor folder> <resources>
//   tanor-demo catalogue <file> <resources>
//   tanor-demo database <TanorOnline|Ranking> <file> <resources>
//   tanor-demo generate <catalogue> <file> <accounts> [characters per account] [10|16] [vaults]
#include "tools/DemoBuilder.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    auto usage = [] {
        std::fputs(
            "usage: tanor-demo prepare <folder> <resources> | catalogue <file> <resources> | "
            "database <name> <file> <resources> | generate <catalogue> <file> <accounts> [chars] [10|16] "
            "[vaults]\n",
            stderr);
        return 2;
    };
    if (args.isEmpty())
        return usage();
    try {
        const QString verb = args[0];
        if (verb == QLatin1String("prepare") && args.size() == 3) {
            // The demo's data sources go into the folder's own odbc.ini.
            qputenv("ODBCINI", (args[1] + QStringLiteral("/odbc.ini")).toLocal8Bit());
            DemoBuilder::PrepareDemo(args[1], args[2]);
        } else if (verb == QLatin1String("catalogue") && args.size() == 3) {
            DemoBuilder::BuildCatalogue(args[2], args[1]);
        } else if (verb == QLatin1String("database") && args.size() == 4) {
            DemoBuilder::BuildDatabase(args[3], args[1], args[2]);
        } else if (verb == QLatin1String("generate") && args.size() >= 4) {
            DemoBuilder::GenerateOptions options;
            options.accounts = args[3].toInt();
            if (args.size() > 4)
                options.charactersPerAccount = args[4].toInt();
            if (args.size() > 5)
                options.recordWidth = args[5].toInt();
            options.vaults = args.size() > 6 && args[6] == QLatin1String("vaults");
            DemoBuilder::GenerateServer(args[1], args[2], options);
        } else {
            return usage();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tanor-demo: %s\n", e.what());
        return 1;
    }
    return 0;
}
