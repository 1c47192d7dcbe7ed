#include "core/portfolios/PortfolioDirectory.h"

#include "core/base/Progress.h"
#include "core/store/DataModule.h"

#include <cmath>

namespace orv {

using store::TableId;

namespace {

QString pfTable() { return ORVDataModule::qualified(TableId::Portfolio); }

Message dbError(const QString& what) { return Message::error(QStringLiteral("Database error: %1").arg(what)); }

// Marks the given portfolios selected, in one transaction.
Status markSelected(ORVDataModule& dm, const std::vector<int>& ids)
{
    Transaction tx(dm);
    if (!tx.started())
        return dbError(QStringLiteral("cannot start a transaction."));
    for (int id : ids) {
        const Status st = dm.exec(QStringLiteral("UPDATE %1 SET Selected = 1 WHERE PfID = ?").arg(pfTable()), {id});
        if (!st)
            return st;
    }
    dm.touch(TableId::Portfolio);
    return tx.commit();
}

}  // namespace

bool familyMatches(PfFamilyRule rule, const QString& text, const QString& shortName)
{
    if (text.isEmpty())
        return false;
    switch (rule) {
    case PfFamilyRule::StartsWith: return shortName.toUpper().startsWith(text.toUpper());
    case PfFamilyRule::Contains: return shortName.toUpper().contains(text.toUpper());
    case PfFamilyRule::Equals: return shortName == text;
    }
    return false;
}

bool issueSelectionMatches(PfIssueSelection kind, double shares)
{
    const double a = std::fabs(shares);
    switch (kind) {
    case PfIssueSelection::TransactionExists: return true;
    case PfIssueSelection::OpenAccounts: return a > kPfSharesTolerance;
    case PfIssueSelection::ClosedAccounts: return a < kPfSharesTolerance;
    }
    return false;
}

Status ClearPfSelections(ORVDataModule& dm)
{
    Transaction tx(dm);
    if (!tx.started())
        return dbError(QStringLiteral("cannot start a transaction."));
    const Status st = dm.exec(QStringLiteral("UPDATE %1 SET Selected = 0").arg(pfTable()));
    if (!st)
        return st;
    dm.touch(TableId::Portfolio);
    return tx.commit();
}

Status SelectAllPortfolios(ORVDataModule& dm, Progress& progress)
{
    const auto all = store::portfolios(dm);
    progress.setRange(int(all.size()));
    std::vector<int> ids;
    for (const auto& p : all) {
        ids.push_back(p.PfID);
        progress.step();
    }
    return markSelected(dm, ids);
}

Result<int> SelectPfFamily(ORVDataModule& dm, PfFamilyRule rule, const QString& text, Progress& progress)
{
    const auto all = store::portfolios(dm);
    progress.setRange(int(all.size()));
    std::vector<int> ids;
    for (const auto& p : all) {
        if (familyMatches(rule, text, p.ShortName))
            ids.push_back(p.PfID);
        progress.step();
    }
    const Status st = markSelected(dm, ids);
    if (!st)
        return st.message();
    return int(ids.size());
}

Result<int> SelectPfByIssue(ORVDataModule& dm, int mlID, PfIssueSelection kind, Progress& progress)
{
    const auto holders = store::holdersOf(dm, mlID);
    progress.setRange(int(holders.size()));
    std::vector<int> ids;
    for (const auto& h : holders) {
        if (issueSelectionMatches(kind, h.Shares))
            ids.push_back(h.PfID);
        progress.step();
    }
    const Status st = markSelected(dm, ids);
    if (!st)
        return st.message();
    return int(ids.size());
}

Status setPfSelected(ORVDataModule& dm, int pfID, bool selected)
{
    const Status st =
        dm.exec(QStringLiteral("UPDATE %1 SET Selected = ? WHERE PfID = ?").arg(pfTable()), {selected ? 1 : 0, pfID});
    if (st)
        dm.touch(TableId::Portfolio);
    return st;
}

std::vector<PortfolioRec> selectedPortfolios(ORVDataModule& dm)
{
    std::vector<PortfolioRec> out;
    for (auto& p : store::portfolios(dm))
        if (p.Selected)
            out.push_back(std::move(p));
    return out;
}

QString filterShortNameInput(const QString& typed)
{
    QString out;
    for (QChar c : typed) {
        if (c.unicode() >= '!' && c.unicode() <= '~')
            out += c.toUpper();
        if (out.size() == kPfShortNameMax)
            break;
    }
    return out;
}

QString shortNameBlankText() { return QStringLiteral("Short Name must not be blank."); }

std::optional<PortfolioRec> portfolioByShortName(ORVDataModule& dm, const QString& shortName)
{
    const QString wanted = shortName.trimmed();
    if (wanted.isEmpty())
        return std::nullopt;
    Query q = dm.query(QStringLiteral("SELECT PfID FROM %1 WHERE ShortName = ?1 COLLATE NOCASE ORDER BY PfID LIMIT 1")
                           .arg(pfTable()));
    q.bind(1, wanted);
    if (!q.next())
        return std::nullopt;
    return store::portfolio(dm, int(q.int64(0)));
}

Status checkPortfolio(ORVDataModule& dm, const PortfolioRec& r)
{
    const QString name = r.ShortName.trimmed();
    if (name.isEmpty())
        return Message{MsgType::Custom, shortNameBlankText(), Btn::OK, true};
    if (filterShortNameInput(name) != name.toUpper())
        return Message::error(QStringLiteral("Short Name may hold at most 12 characters from \"!\" to \"~\", "
                                             "without blanks.\r\rTry again."));
    if (const auto other = portfolioByShortName(dm, name); other && other->PfID != r.PfID)
        return Message::error(QStringLiteral("A portfolio named %1 already exists.\r\rTry again.").arg(name.toUpper()));
    return Status::success();
}

Result<int> savePortfolio(ORVDataModule& dm, PortfolioRec r)
{
    r.ShortName = r.ShortName.trimmed().toUpper();
    if (const Status st = checkPortfolio(dm, r); !st)
        return st.message();
    if (r.PfID <= 0) {
        const auto id = store::insertPortfolio(dm, r);
        if (!id)
            return id.message();
        return int(*id);
    }
    QVariantMap f = store::toFields(r);
    f.remove(QStringLiteral("PfID"));
    f.remove(QStringLiteral("Selected"));
    const Status st = store::updateRow(dm, TableId::Portfolio, r.PfID, f);
    if (!st)
        return st.message();
    return r.PfID;
}

QString deletePortfolioQuestion() { return QStringLiteral("Delete this portfolio and all associated transactions?"); }
QString deletingTransactionsText() { return QStringLiteral("Deleting transactions..."); }

Result<int> deletePortfolio(ORVDataModule& dm, int pfID, Progress& progress)
{
    const int count = store::countInRange(dm, TableId::Transactions, QStringLiteral("IndxPfIDDate"), {pfID});
    progress.setStatus(deletingTransactionsText());
    progress.setRange(count);
    Transaction tx(dm);
    if (!tx.started())
        return dbError(QStringLiteral("cannot start a transaction."));
    Status st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE PfID = ?").arg(ORVDataModule::qualified(TableId::TransxSummary)),
                        {pfID});
    if (!st)
        return st.message();
    // One statement for the rows; the progress bar shows the count deleted.
    st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE PfID = ?").arg(ORVDataModule::qualified(TableId::Transactions)),
                 {pfID});
    if (!st)
        return st.message();
    const int deleted = dm.changes();
    progress.step(deleted);
    st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE PfID = ?").arg(pfTable()), {pfID});
    if (!st)
        return st.message();
    dm.touch(TableId::TransxSummary);
    dm.touch(TableId::Transactions);
    dm.touch(TableId::Portfolio);
    st = tx.commit();
    if (!st)
        return st.message();
    return deleted;
}

}  // namespace orv
