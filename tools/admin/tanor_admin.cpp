// tanor-admin: the whole-server work of the editor from the command line, for
// scheduled maintenance and scripts. Run with --help for the commands.
#include "AdminOutput.h"
#include "Terminal.h"

#include "app/OperatorSignIn.h"
#include "containers/DuplicateSerials.h"
#include "containers/ItemSearch.h"
#include "containers/ServerCheck.h"
#include "containers/WalkStatements.h"
#include "containers/WipeChoice.h"
#include "core/AuditLog.h"
#include "core/QueryHelpers.h"
#include "core/UtilitiesUnit.h"
#include "core/VaultSettings.h"
#include "items/CatalogueIndex.h"
#include "items/ItemConversion.h"
#include "items/UndoFile.h"
#include "platform/AppPaths.h"
#include "platform/ConnectionPool.h"
#include "platform/TanorError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <cstdio>
#include <memory>

namespace {

using AdminOutput::Format;
using AdminOutput::Records;

enum Status { Clean = 0, Findings = 1, BadUsage = 2, DatabaseFailed = 3 };

const char* const kProgramHelp = R"(Commands:
  find       items matching the given criteria (read only)
  duplicates every serial held by more than one item (read only)
  check      the server check report (read only)
  wipe       erases the chosen items from every container (writes)
  convert    rewrites every item column from 10-byte to 16-byte records (writes)
  restore    puts back what a wipe or a conversion wrote, from its undo file (writes)
Run "tanor-admin COMMAND --help" for the options of a command.

Exit status: 0 done and clean; 1 done with findings (check or duplicates
found something), with rows skipped, or stopped by Ctrl+C; 2 bad usage or
settings (the message names the option or key); 3 the database failed (the
driver's message).)";

// Bad usage or a bad setting: exit status 2 with the message.
class UsageError : public TanorError {
public:
    using TanorError::TanorError;
};

struct Common {
    Format format = Format::Table;
    QString output;
    bool quiet = false;
};

void addCommon(QCommandLineParser& p) {
    p.addHelpOption();
    p.addOption({QStringLiteral("dir"),
                 QStringLiteral("The editor's folder (settings, catalogue); default: this program's folder."),
                 QStringLiteral("DIR")});
    p.addOption({QStringLiteral("format"), QStringLiteral("table, csv or json (default: table)."),
                 QStringLiteral("FORMAT")});
    p.addOption({QStringLiteral("output"),
                 QStringLiteral("Write the records to FILE instead of standard output."),
                 QStringLiteral("FILE")});
    p.addOption({QStringLiteral("quiet"), QStringLiteral("No progress and no summary on standard error.")});
}

// --yes and --operator: every writing command; --dry-run: the walks.
void addSignIn(QCommandLineParser& p) {
    p.addOption({QStringLiteral("yes"),
                 QStringLiteral("Do not ask (needed when standard input is not a terminal).")});
    p.addOption(
        {QStringLiteral("operator"),
         QStringLiteral(
             "Operator ID to sign in as; the password comes from TANOR_OPERATOR_PASSWORD or is asked."),
         QStringLiteral("ID")});
}

void addWriting(QCommandLineParser& p) {
    p.addOption(
        {QStringLiteral("dry-run"), QStringLiteral("Walk and report what would change; write nothing.")});
    addSignIn(p);
}

void addKinds(QCommandLineParser& p) {
    p.addOption({QStringLiteral("kinds"),
                 QStringLiteral("Containers to read: inventory,warehouse,vault (default: all)."),
                 QStringLiteral("LIST")});
}

// Parses the command's arguments; --help prints and exits 0.
Common parse(QCommandLineParser& p, const QStringList& args, const QString& description) {
    p.setApplicationDescription(description);
    if (!p.parse(args))
        throw UsageError(p.errorText());
    if (p.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(p.helpText()));
        std::exit(Clean);
    }
    Common c;
    if (p.isSet(QStringLiteral("format")) &&
        !AdminOutput::ParseFormat(p.value(QStringLiteral("format")), &c.format))
        throw UsageError(QStringLiteral("--format: '%1' is not table, csv or json")
                             .arg(p.value(QStringLiteral("format"))));
    c.output = p.value(QStringLiteral("output"));
    c.quiet = p.isSet(QStringLiteral("quiet"));
    const QString dir = p.isSet(QStringLiteral("dir")) ? p.value(QStringLiteral("dir"))
                                                       : QCoreApplication::applicationDirPath();
    if (!QDir(dir).exists())
        throw UsageError(QStringLiteral("--dir: the folder '%1' does not exist").arg(dir));
    AppPaths::SetOverride(QDir(dir).absolutePath());
    return c;
}

void printRecords(const Common& c, const Records& records) {
    const QByteArray text = AdminOutput::Render(records, c.format).toUtf8();
    if (c.output.isEmpty()) {
        std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
        return;
    }
    QFile file(c.output);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        throw UsageError(QStringLiteral("--output: cannot write '%1'").arg(c.output));
}

bool showProgress(const Common& c) {
    return !c.quiet && Terminal::ErrorIsTerminal();
}

ServerScan::Kinds kindsOf(const QCommandLineParser& p) {
    if (!p.isSet(QStringLiteral("kinds")))
        return ServerScan::kAllKinds;
    ServerScan::Kinds kinds{false, false, false};
    for (const QString& k : p.value(QStringLiteral("kinds")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (k == QLatin1String("inventory"))
            kinds[0] = true;
        else if (k == QLatin1String("warehouse"))
            kinds[1] = true;
        else if (k == QLatin1String("vault"))
            kinds[2] = true;
        else
            throw UsageError(QStringLiteral("--kinds: '%1' is not inventory, warehouse or vault").arg(k));
    }
    return kinds;
}

// ---- records of items

const QStringList kItemColumns = {
    QStringLiteral("kind"),    QStringLiteral("account"), QStringLiteral("holder"),
    QStringLiteral("cell"),    QStringLiteral("name"),    QStringLiteral("type"),
    QStringLiteral("serial"),  QStringLiteral("level"),   QStringLiteral("option"),
    QStringLiteral("luck"),    QStringLiteral("skill"),   QStringLiteral("excellent"),
    QStringLiteral("ancient"), QStringLiteral("record")};

QString yesNo(bool b) {
    return b ? QStringLiteral("yes") : QStringLiteral("no");
}

QStringList itemFields(const ServerScan::Found& f) {
    const StoredItem& i = f.item;
    return {ServerScan::KindName(f.kind),
            f.account,
            f.second,
            QString::number(f.cell),
            f.name,
            f.type,
            i.SerialText(),
            QString::number(i.level),
            ServerScan::OptionsText(i),
            yesNo(i.luck),
            yesNo(i.skill),
            QString::number(i.excellentBits),
            QString::number(i.ancient, 16).toUpper(),
            f.record};
}

ServerScan::Options scanOptions(const QCommandLineParser& p) {
    ServerScan::Options o = ServerScan::Options::FromSettings();
    o.kinds = kindsOf(p);
    return o;
}

std::optional<bool> yesNoOption(const QCommandLineParser& p, const char* name) {
    const QString key = QString::fromLatin1(name);
    if (!p.isSet(key))
        return std::nullopt;
    const QString v = p.value(key);
    if (v == QLatin1String("yes"))
        return true;
    if (v == QLatin1String("no"))
        return false;
    throw UsageError(QStringLiteral("--%1: '%2' is not yes or no").arg(key, v));
}

int levelOption(const QCommandLineParser& p, const char* name, int fallback) {
    const QString key = QString::fromLatin1(name);
    if (!p.isSet(key))
        return fallback;
    bool ok = false;
    const int v = p.value(key).toInt(&ok);
    if (!ok || v < 0 || v > 15)
        throw UsageError(QStringLiteral("--%1: '%2' is not a level 0 to 15").arg(key, p.value(key)));
    return v;
}

int find(const QStringList& args) {
    QCommandLineParser p;
    addCommon(p);
    addKinds(p);
    p.addOptions({
        {QStringLiteral("type"), QStringLiteral("Catalogue type."), QStringLiteral("TYPE")},
        {QStringLiteral("item"), QStringLiteral("Catalogue name."), QStringLiteral("NAME")},
        {QStringLiteral("name-contains"), QStringLiteral("Part of the catalogue name, any case."),
         QStringLiteral("TEXT")},
        {QStringLiteral("level-min"), QStringLiteral("Lowest level (0-15)."), QStringLiteral("N")},
        {QStringLiteral("level-max"), QStringLiteral("Highest level (0-15)."), QStringLiteral("N")},
        {QStringLiteral("excellent"), QStringLiteral("Excellent options 1-6, e.g. 1,3."),
         QStringLiteral("LIST")},
        {QStringLiteral("all-excellent"), QStringLiteral("Every excellent option given, not any of them.")},
        {QStringLiteral("luck"), QStringLiteral("yes or no."), QStringLiteral("YESNO")},
        {QStringLiteral("skill"), QStringLiteral("yes or no."), QStringLiteral("YESNO")},
        {QStringLiteral("ancient"), QStringLiteral("yes or no."), QStringLiteral("YESNO")},
        {QStringLiteral("serial"), QStringLiteral("8 hexadecimal digits, or 6 behind the F9 marker."),
         QStringLiteral("HEX")},
        {QStringLiteral("unknown"), QStringLiteral("Only records the catalogue does not know.")},
    });
    const Common c = parse(p, args,
                           QStringLiteral("Finds items anywhere on the server, as the Find Items window.\n"
                                          "Records (csv/json): one per item, columns: ") +
                               kItemColumns.join(QLatin1Char(',')));
    ItemSearch::Criteria criteria;
    criteria.type = p.value(QStringLiteral("type"));
    criteria.item = p.value(QStringLiteral("item"));
    criteria.nameContains = p.value(QStringLiteral("name-contains"));
    criteria.levelMin = levelOption(p, "level-min", 0);
    criteria.levelMax = levelOption(p, "level-max", 15);
    try {
        criteria.excellent = WipeChoice::ExcellentOf(p.value(QStringLiteral("excellent")));
    } catch (const ConvertError& e) {
        throw UsageError(QStringLiteral("--excellent: ") + e.text());
    }
    try {
        if (p.isSet(QStringLiteral("serial")))
            criteria.serial = ItemSearch::SerialOf(p.value(QStringLiteral("serial")));
    } catch (const ConvertError& e) {
        throw UsageError(QStringLiteral("--serial: ") + e.text());
    }
    criteria.allExcellent = p.isSet(QStringLiteral("all-excellent"));
    criteria.luck = yesNoOption(p, "luck");
    criteria.skill = yesNoOption(p, "skill");
    criteria.ancient = yesNoOption(p, "ancient");
    criteria.unknownOnly = p.isSet(QStringLiteral("unknown"));
    criteria.kinds = kindsOf(p);

    const ServerScan::Options options = scanOptions(p);
    const CatalogueIndex catalogue = CatalogueIndex::Load();
    Terminal::Progress progress(showProgress(c), ServerScan::RowTotals(options));
    Records r{
        kItemColumns, {}, {}, {QStringLiteral("cell"), QStringLiteral("level"), QStringLiteral("excellent")}};
    const ItemSearch::Result found = ItemSearch::Find(
        options, catalogue, criteria, [&](ServerScan::Kind k, int row) { return progress.row(k, row); },
        [&](const ServerScan::Found& f) { r.rows << itemFields(f); }, 0);
    progress.finish();
    r.preface << QStringLiteral("%1 item(s) found%2")
                     .arg(found.matched)
                     .arg(found.partial ? QStringLiteral(" (stopped)") : QString());
    printRecords(c, r);
    return found.partial ? Findings : Clean;
}

int duplicates(const QStringList& args) {
    QCommandLineParser p;
    addCommon(p);
    addKinds(p);
    p.addOption({QStringLiteral("limit"),
                 QStringLiteral("Holders listed at most (default %1); the rest are only counted, and "
                                "\"copies\" then counts the holders listed.")
                     .arg(DuplicateSerials::kKeptHolders),
                 QStringLiteral("N")});
    const QStringList header = QStringList{QStringLiteral("group"), QStringLiteral("copies")} + kItemColumns;
    const Common c =
        parse(p, args,
              QStringLiteral("Lists every serial held by more than one item, grouped, largest first.\n") +
                  DuplicateSerials::LeftOutText() +
                  QStringLiteral("\nRecords (csv/json): one per item holding a duplicated serial, "
                                 "columns: ") +
                  header.join(QLatin1Char(',')));
    int limit = DuplicateSerials::kKeptHolders;
    if (p.isSet(QStringLiteral("limit"))) {
        bool ok = false;
        limit = p.value(QStringLiteral("limit")).toInt(&ok);
        if (!ok || limit < 1)
            throw UsageError(QStringLiteral("--limit: '%1' is not a positive number")
                                 .arg(p.value(QStringLiteral("limit"))));
    }
    const ServerScan::Options options = scanOptions(p);
    const CatalogueIndex catalogue = CatalogueIndex::Load();
    Terminal::Progress progress(showProgress(c), ServerScan::RowTotals(options));
    const DuplicateSerials::Report report = DuplicateSerials::Find(
        options, catalogue, [&](int pass, ServerScan::Kind k, int row) { return progress.row(k, row, pass); },
        limit);
    progress.finish();
    Records r{header,
              {},
              {},
              {QStringLiteral("group"), QStringLiteral("copies"), QStringLiteral("cell"),
               QStringLiteral("level"), QStringLiteral("excellent")}};
    int group = 0;
    for (const DuplicateSerials::Group& g : report.groups) {
        ++group;
        for (const ServerScan::Found& f : g.holders)
            r.rows << QStringList{QString::number(group), QString::number(g.holders.size())} + itemFields(f);
    }
    r.preface << QStringLiteral("%1 serial(s) held by %2 item(s)%3%4")
                     .arg(report.serials)
                     .arg(report.holders)
                     .arg(report.truncated ? QStringLiteral(" (more holders than listed)") : QString())
                     .arg(report.partial ? QStringLiteral(" (stopped)") : QString());
    printRecords(c, r);
    return report.serials > 0 || report.partial ? Findings : Clean;
}

int check(const QStringList& args) {
    QCommandLineParser p;
    addCommon(p);
    addKinds(p);
    const QStringList header = {QStringLiteral("problem"), QStringLiteral("kind"), QStringLiteral("account"),
                                QStringLiteral("holder"),  QStringLiteral("cell"), QStringLiteral("record"),
                                QStringLiteral("detail")};
    const Common c =
        parse(p, args,
              QStringLiteral("The server check: columns of the wrong width or torn, unknown records, "
                             "items outside their grid or overlapping, duplicated serials.\n"
                             "Records (csv/json): one per finding, columns: ") +
                  header.join(QLatin1Char(',')) +
                  QStringLiteral("; the table adds the totals. Duplicated serials are counted in the "
                                 "totals; list them with the duplicates command."));
    const ServerScan::Options options = scanOptions(p);
    const CatalogueIndex catalogue = CatalogueIndex::Load();
    Terminal::Progress progress(showProgress(c), ServerScan::RowTotals(options));
    const ServerCheck::Report report = ServerCheck::Run(
        options, catalogue, [&](ServerScan::Kind k, int row) { return progress.row(k, row); });
    progress.finish();
    Records r{
        header, {}, ServerCheck::SummaryText(report).split(QLatin1Char('\n')), {QStringLiteral("cell")}};
    for (const ServerCheck::Finding& f : report.findings)
        r.rows << QStringList{ServerCheck::ProblemText(f.problem),
                              ServerScan::KindName(f.kind),
                              f.account,
                              f.second,
                              QString::number(f.cell),
                              f.record,
                              f.detail};
    printRecords(c, r);
    return report.clean() ? Clean : Findings;
}

// ---- writing commands

// The walk's listener: progress, and Ctrl+C ending the walk after the row.
class WalkListener : public ContainerWalk::Listener {
public:
    // TANOR_ADMIN_ROW_DELAY_MS slows every row down, so that a stop can be
    // tried on a small server.
    explicit WalkListener(Terminal::Progress& progress)
        : m_progress(progress), m_delayMs(qEnvironmentVariableIntValue("TANOR_ADMIN_ROW_DELAY_MS")) {}
    bool rowDone(const ContainerWalk::Row& row, const ContainerWalk::Counts&) override {
        if (m_delayMs > 0)
            QThread::msleep(static_cast<unsigned long>(m_delayMs));
        return m_progress.row(row.kind, row.number);
    }

private:
    Terminal::Progress& m_progress;
    int m_delayMs;
};

std::array<int, ContainerWalk::kKinds> walkTotals() {
    const VaultSettings vaults = VaultSettings::Read();
    vaults.RequirePlainNames();
    Query q = OpenOn(DataSource::TanorOnline, WalkStatements::Totals(vaults));
    return {q.Fields(0).AsInteger(), q.Fields(1).AsInteger(), vaults.enabled ? q.Fields(2).AsInteger() : 0};
}

// Asks unless --yes, and signs the operator in; returns when the walk may
// write, with the audit trail that names the operator while it lives.
[[nodiscard]] std::unique_ptr<AuditTrail> allowWriting(const QCommandLineParser& p, const QString& question) {
    const QString id = p.value(QStringLiteral("operator"));
    if (id.isEmpty())
        throw UsageError(QStringLiteral("--operator: writing needs an operator ID (or --dry-run)"));
    if (!p.isSet(QStringLiteral("yes"))) {
        if (!Terminal::InputIsTerminal())
            throw UsageError(
                QStringLiteral("--yes is needed to write when standard input is not a terminal"));
        const QString answer = Terminal::Ask(question + QStringLiteral(" [y/N] ")).trimmed();
        if (answer.compare(QLatin1String("y"), Qt::CaseInsensitive) != 0 &&
            answer.compare(QLatin1String("yes"), Qt::CaseInsensitive) != 0)
            throw UsageError(QStringLiteral("not confirmed: nothing was written"));
    }
    QString password = qEnvironmentVariable("TANOR_OPERATOR_PASSWORD");
    if (!qEnvironmentVariableIsSet("TANOR_OPERATOR_PASSWORD")) {
        if (!Terminal::InputIsTerminal())
            throw UsageError(QStringLiteral(
                "--operator: set TANOR_OPERATOR_PASSWORD when standard input is not a terminal"));
        password = Terminal::Ask(QStringLiteral("Password of %1: ").arg(id), false);
    }
    const OperatorSignIn::Outcome outcome = OperatorSignIn::SignIn(id, password);
    if (outcome != OperatorSignIn::Outcome::SignedIn)
        throw UsageError(QStringLiteral("--operator: ") + OperatorSignIn::FailureText(outcome));
    return std::make_unique<AuditTrail>([id] { return id; });
}

const QStringList kWalkColumns = {
    QStringLiteral("kind"),    QStringLiteral("rows"),        QStringLiteral("changed"),
    QStringLiteral("records"), QStringLiteral("other_width"), QStringLiteral("malformed"),
    QStringLiteral("dry_run"), QStringLiteral("stopped"),     QStringLiteral("undo_file")};

// One record per kind of container walked.
Records walkRecords(const ContainerWalk::Walker& walker, bool dryRun, const UndoFile* undo) {
    Records r{kWalkColumns,
              {},
              {},
              {QStringLiteral("rows"), QStringLiteral("changed"), QStringLiteral("records"),
               QStringLiteral("other_width"), QStringLiteral("malformed")}};
    for (int k = 0; k < ContainerWalk::kKinds; ++k) {
        const auto kind = ContainerWalk::Kind(k);
        const ContainerWalk::Counts& n = walker.counts(kind);
        r.rows << QStringList{ServerScan::KindName(kind),
                              QString::number(n.rows),
                              QString::number(n.written),
                              QString::number(n.count),
                              QString::number(n.wrongWidth),
                              QString::number(n.malformed),
                              yesNo(dryRun),
                              yesNo(walker.stopped()),
                              undo ? QDir::toNativeSeparators(undo->path()) : QString()};
    }
    const ContainerWalk::Counts t = walker.total();
    r.preface << QStringLiteral("%1%2 row(s) of %3 %4, %5 record(s)")
                     .arg(walker.stopped() ? QStringLiteral("Stopped by Ctrl+C: ") : QString())
                     .arg(t.written)
                     .arg(t.rows)
                     .arg(dryRun ? QStringLiteral("would change") : QStringLiteral("changed"))
                     .arg(t.count);
    if (undo)
        r.preface << QStringLiteral("Undo file: ") + QDir::toNativeSeparators(undo->path());
    return r;
}

// Walks with `run`, writing (with its undo file) unless --dry-run.
int walkCommand(const QCommandLineParser& p, const Common& c, const QString& what, const QString& question,
                const std::function<void(ContainerWalk::Walker&)>& run) {
    const bool dryRun = p.isSet(QStringLiteral("dry-run"));
    const std::unique_ptr<AuditTrail> audit = dryRun ? nullptr : allowWriting(p, question);
    const std::array<int, ContainerWalk::kKinds> totals = walkTotals();
    std::unique_ptr<UndoFile> undo = dryRun ? nullptr : UndoFile::Create(what);
    Terminal::Progress progress(showProgress(c), totals);
    WalkListener listener(progress);
    ContainerWalk::Options options;
    options.write = !dryRun;
    options.undo = undo.get();
    ContainerWalk::Walker walker(BuildConnectionString(DataSource::TanorOnline), options, listener);
    try {
        run(walker);
    } catch (const TanorError& e) {
        progress.finish();
        QString text = e.text();
        if (undo)
            text += QStringLiteral("\n%1 row(s) were written; undo file: %2")
                        .arg(walker.total().written)
                        .arg(QDir::toNativeSeparators(undo->path()));
        throw DbError(text);
    }
    progress.finish();
    printRecords(c, walkRecords(walker, dryRun, undo.get()));
    const ContainerWalk::Counts t = walker.total();
    return walker.stopped() || t.wrongWidth > 0 || t.malformed > 0 ? Findings : Clean;
}

// One choice of the wipe from the options of `p` (a command line or a line
// of the choice file).
void addChoiceOptions(QCommandLineParser& p) {
    p.addOptions({
        {QStringLiteral("type"), QStringLiteral("General selection: every item of type N (0-15)."),
         QStringLiteral("N")},
        {QStringLiteral("item"),
         QStringLiteral("Specific selection: the catalogue item NAME, or \"Any Item\"."),
         QStringLiteral("NAME")},
        {QStringLiteral("excellent"),
         QStringLiteral("Specific selection: exactly these excellent options 1-6, e.g. 1,3."),
         QStringLiteral("LIST")},
        {QStringLiteral("ancient"),
         QStringLiteral("Specific selection: none, +5, +10, +5-noopt or +10-noopt."),
         QStringLiteral("OPTION")},
    });
}

WipeChoice::Choice choiceOf(const QCommandLineParser& p) {
    const bool general = p.isSet(QStringLiteral("type"));
    const bool specific = p.isSet(QStringLiteral("item"));
    if (general == specific)
        throw UsageError(QStringLiteral("give either --type or --item"));
    try {
        if (general) {
            if (p.isSet(QStringLiteral("excellent")) || p.isSet(QStringLiteral("ancient")))
                throw UsageError(QStringLiteral("--excellent and --ancient go with --item, not --type"));
            return WipeChoice::General(p.value(QStringLiteral("type")));
        }
        WipeChoice::Choice choice;
        choice.item = p.value(QStringLiteral("item"));
        choice.excellent = WipeChoice::ExcellentOf(p.value(QStringLiteral("excellent")));
        if (p.isSet(QStringLiteral("ancient")))
            choice.ancient = WipeChoice::AncientOf(p.value(QStringLiteral("ancient")));
        return choice;
    } catch (const ConvertError& e) {
        throw UsageError(e.text());
    }
}

std::vector<WipeChoice::Choice> choicesFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw UsageError(QStringLiteral("--choices: cannot read '%1'").arg(path));
    std::vector<WipeChoice::Choice> choices;
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QCommandLineParser p;
        addChoiceOptions(p);
        try {
            if (!p.parse(QStringList{QStringLiteral("choice")} + QProcess::splitCommand(line)) ||
                !p.positionalArguments().isEmpty())
                throw UsageError(p.errorText().isEmpty() ? QStringLiteral("unexpected text") : p.errorText());
            choices.push_back(choiceOf(p));
        } catch (const UsageError& e) {
            throw UsageError(QStringLiteral("%1 line %2: %3").arg(path).arg(number).arg(e.text()));
        }
    }
    if (choices.empty())
        throw UsageError(QStringLiteral("--choices: '%1' lists no choice").arg(path));
    return choices;
}

int wipe(const QStringList& args) {
    QCommandLineParser p;
    addCommon(p);
    addWriting(p);
    addChoiceOptions(p);
    p.addOption({QStringLiteral("choices"),
                 QStringLiteral("A file of several choices, one per line, each written as the options above "
                                "(e.g. --type 3, or --item \"Kris\" --excellent 1,2 --ancient +5); "
                                "empty lines and lines starting with # are skipped."),
                 QStringLiteral("FILE")});
    const Common c =
        parse(p, args,
              QStringLiteral("Erases the chosen items from every inventory, warehouse and extra vault, "
                             "as the Wipe Items window. Records (csv/json): one per kind of container, "
                             "columns: ") +
                  kWalkColumns.join(QLatin1Char(',')));
    std::vector<WipeChoice::Choice> choices;
    if (p.isSet(QStringLiteral("choices"))) {
        if (p.isSet(QStringLiteral("type")) || p.isSet(QStringLiteral("item")))
            throw UsageError(
                QStringLiteral("--choices: give the choices in the file or as options, not both"));
        choices = choicesFromFile(p.value(QStringLiteral("choices")));
    } else {
        choices.push_back(choiceOf(p));
    }
    MatchMaker match;
    try {
        match = WipeChoice::MatchOf(choices);
    } catch (const ConvertError& e) {
        throw UsageError(e.text());
    }
    return walkCommand(
        p, c, QStringLiteral("wipe"),
        QStringLiteral("Erase the chosen items from every container of %1?").arg(GameDatabaseName()),
        [&](ContainerWalk::Walker& walker) { WipeAll(walker, match); });
}

int convert(const QStringList& args) {
    QCommandLineParser p;
    addCommon(p);
    addWriting(p);
    const Common c =
        parse(p, args,
              QStringLiteral("Rewrites every item column from 10-byte to 16-byte records. Records "
                             "(csv/json): one per kind of container, columns: ") +
                  kWalkColumns.join(QLatin1Char(',')) +
                  QStringLiteral(" (rows read, columns converted, ..., malformed columns left alone)."));
    return walkCommand(
        p, c, QStringLiteral("convert"),
        QStringLiteral("Convert every item column of %1 to 16-byte records?").arg(GameDatabaseName()),
        [](ContainerWalk::Walker& walker) { ItemConversion::Walk(walker); });
}

int restore(const QStringList& args) {
    QCommandLineParser p;
    addCommon(p);
    addSignIn(p);
    p.addPositionalArgument(QStringLiteral("UNDO-FILE"),
                            QStringLiteral("The undo file of a wipe or a conversion."));
    const QStringList header = {QStringLiteral("restored"), QStringLiteral("changed_since")};
    const Common c =
        parse(p, args,
              QStringLiteral("Puts back every row that still holds what the walk wrote; rows changed "
                             "since are left alone and listed. Records (csv/json): one, columns: ") +
                  header.join(QLatin1Char(',')) + QStringLiteral(" (the rows left alone, joined by ';')."));
    if (p.positionalArguments().size() != 1)
        throw UsageError(QStringLiteral("restore: give one undo file"));
    const QString file = p.positionalArguments().constFirst();
    if (!QFile::exists(file))
        throw UsageError(QStringLiteral("restore: the undo file '%1' does not exist").arg(file));
    // The whole file is checked before anything is asked or written.
    Undo::File undo;
    try {
        undo = Undo::Read(file);
    } catch (const ConvertError& e) {
        throw UsageError(e.text());
    }
    const Undo::Offer offer = Undo::OfferOf(undo);
    Undo::Restored r;
    if (offer.any) {
        const std::unique_ptr<AuditTrail> audit = allowWriting(p, offer.text);
        r = Undo::Restore(undo, BuildConnectionString(DataSource::TanorOnline));
    }
    Records out{header,
                {{QString::number(r.restored), r.changedSince.join(QLatin1Char(';'))}},
                {},
                {QStringLiteral("restored")}};
    if (!offer.any)
        out.preface << offer.text;
    out.preface << QStringLiteral("%1 row(s) restored, %2 changed since and left alone")
                       .arg(r.restored)
                       .arg(r.changedSince.size());
    printRecords(c, out);
    return r.changedSince.isEmpty() ? Clean : Findings;
}

int usage() {
    std::fprintf(stderr, "usage: tanor-admin COMMAND [options]\n%s\n", kProgramHelp);
    return BadUsage;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tanor-admin"));
    const ConnectionPoolScope pool;
    Terminal::CatchInterrupt();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2)
        return usage();
    const QString command = args[1];
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        std::printf("usage: tanor-admin COMMAND [options]\n%s\n", kProgramHelp);
        return Clean;
    }
    const QStringList rest = QStringList{QStringLiteral("tanor-admin ") + command} + args.mid(2);
    try {
        if (command == QLatin1String("find"))
            return find(rest);
        if (command == QLatin1String("duplicates"))
            return duplicates(rest);
        if (command == QLatin1String("check"))
            return check(rest);
        if (command == QLatin1String("wipe"))
            return wipe(rest);
        if (command == QLatin1String("convert"))
            return convert(rest);
        if (command == QLatin1String("restore"))
            return restore(rest);
        std::fprintf(stderr, "tanor-admin: unknown command '%s'\n", qPrintable(command));
        return usage();
    } catch (const UsageError& e) {
        std::fprintf(stderr, "tanor-admin %s: %s\n", qPrintable(command), qPrintable(e.text()));
        return BadUsage;
    } catch (const SettingsError& e) {
        std::fprintf(stderr, "tanor-admin %s: settings: %s\n", qPrintable(command), qPrintable(e.text()));
        return BadUsage;
    } catch (const TanorError& e) {
        std::fprintf(stderr, "tanor-admin %s: database: %s\n", qPrintable(command), qPrintable(e.text()));
        return DatabaseFailed;
    }
}
