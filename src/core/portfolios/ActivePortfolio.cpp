#include "core/portfolios/ActivePortfolio.h"

#include "core/config/AppState.h"
#include "core/store/DataModule.h"

namespace orv {

namespace {
std::optional<PortfolioNames> readNames(Query& q)
{
    if (!q.next())
        return std::nullopt;
    PortfolioNames n;
    n.PfID = int(q.int64(0));
    n.ShortName = q.text(1);
    n.LongName = q.text(2);
    n.TaxID = q.text(3);
    return n;
}
}  // namespace

bool SelectActivePortfolio(ORVDataModule& dm, AppState& state, const QString& shortName)
{
    std::optional<PortfolioNames> found;
    if (!shortName.trimmed().isEmpty()) {
        Query q = dm.query(QStringLiteral("SELECT PfID, ShortName, LongName, TaxID FROM %1 "
                                          "WHERE ShortName = ?1 COLLATE NOCASE ORDER BY PfID LIMIT 1")
                               .arg(ORVDataModule::qualified(store::TableId::Portfolio)));
        q.bind(1, shortName);
        found = readNames(q);
    }
    setActivePortfolio(state, found);
    return found.has_value();
}

std::optional<PortfolioNames> firstPortfolio(ORVDataModule& dm)
{
    Query q = dm.query(QStringLiteral("SELECT PfID, ShortName, LongName, TaxID FROM %1 "
                                      "ORDER BY ShortName, PfID LIMIT 1")
                           .arg(ORVDataModule::qualified(store::TableId::Portfolio)));
    return readNames(q);
}

}  // namespace orv
