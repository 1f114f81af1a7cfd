#include "accounts/NameSearch.h"

#include "accounts/AccountStatements.h"
#include "core/QueryHelpers.h"

namespace NameSearch {

QStringList Find(Target target, const QString& part) {
    const DataSource source = target == Target::Accounts ? DataSource::Account : DataSource::TanorOnline;
    return ListOn(source, AccountStatements::SearchNames(target, part));
}

} // namespace NameSearch
