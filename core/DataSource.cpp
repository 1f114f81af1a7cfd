#include "core/DataSource.h"

QString DataSourceKey(DataSource source) {
    switch (source) {
    case DataSource::Account:
        return QStringLiteral("AccountDNS");
    case DataSource::TanorOnline:
        return QStringLiteral("TanorOnlineDNS");
    case DataSource::TanorLog:
        return QStringLiteral("TanorLogDNS");
    case DataSource::Ranking:
        return QStringLiteral("RankingDNS");
    case DataSource::Vorn:
        break;
    }
    return QStringLiteral("VornDNS");
}

QString MasterDataSourceKey() {
    return QStringLiteral("MasterDNS");
}
