#pragma once

#include <QString>

// Builds the embedded demo server and the item catalogue from the text
// sources under resources/, and generates large servers for benchmarks.
namespace DemoBuilder {

// Creates (replacing) the database `name` ("TanorOnline" or "Ranking") as
// `file` from resources/demo: schema, procedures, seed.
void BuildDatabase(const QString& resources, const QString& name, const QString& file);

// The catalogue's tables (Item and Skill), empty. Text compares without
// regard to case, as the catalogue's original engine does.
[[nodiscard]] QString CatalogueSchema();

// Creates (replacing) the catalogue file from resources/catalogue/*.csv.
void BuildCatalogue(const QString& resources, const QString& file);

// Prepares an editor folder: Databases/ with the demo databases (kept when
// present), the catalogue, the demo's data sources in the odbc.ini named by
// ODBCINI (which the caller points into the folder), and the feature settings
// of the demo (only when the folder has no settings file yet, so that the
// first run still walks the wizard and the connection dialog).
void PrepareDemo(const QString& folder, const QString& resources);

// Points every data source key of the folder's settings at the demo's data
// sources: the ranking at "Ranking", the others at "TanorOnline". The
// operator key is left to the first-run wizard.
void UseDemoDataSources(const QString& folder);

// The data source names the demo registers, so that both "Default 2 DB" and
// "Default 6 DB" of the connection dialog reach a database.
struct DataSource {
    const char* name;
    const char* database;
};
[[nodiscard]] const DataSource* DemoDataSources(int* count);

struct GenerateOptions {
    int accounts = 1000;
    int charactersPerAccount = 1;
    int recordWidth = 10;      // 10 or 16
    bool vaults = false;       // one extra vault per account
    int duplicatedSerials = 0; // items copied into a warehouse, spread over the accounts
    quint32 seed = 1;
    QString resources; // the folder with demo/ (schema, procedures); empty: the source tree's
};

// Writes a game database with the demo's schema and procedures and N accounts, each with characters whose
// inventories are full of catalogue items, a warehouse and (optionally) an
// extra vault. Needs the catalogue file for the item keys.
void GenerateServer(const QString& catalogue, const QString& file, const GenerateOptions& options);

} // namespace DemoBuilder
