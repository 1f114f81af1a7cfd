#pragma once

#include <QString>

// The data sources of the settings' ODBCConnection section. Code names them
// through this enum; the key text is spelled once, in DataSourceKey.
enum class DataSource {
    Account,     // AccountDNS: accounts, MEMB_STAT
    TanorOnline, // TanorOnlineDNS: characters, warehouses, guilds, friends, castle
    TanorLog,    // TanorLogDNS: the daily usage logs
    Ranking,     // RankingDNS: EVENT_INFO
    Vorn,        // VornDNS: the operator table
};

// The settings key of a data source ("AccountDNS", ...).
[[nodiscard]] QString DataSourceKey(DataSource source);

// The settings key (section ODBCConnection) of a data source on the master
// database of a real server, through which the first-run wizard lists the
// server's databases. Unset: the local server.
[[nodiscard]] QString MasterDataSourceKey();
