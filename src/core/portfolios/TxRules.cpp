#include "core/portfolios/TxRules.h"

#include "core/base/Format.h"
#include "core/base/Progress.h"
#include "core/portfolios/HoldingsSummary.h"
#include "core/portfolios/PortfolioDirectory.h"
#include "core/store/DataModule.h"

#include <QHash>
#include <cmath>

namespace orv::tx {

using store::TableId;

namespace {

const QString kLinear = QStringLiteral("Linear type");
const QString kMMF = QStringLiteral("Money Market Fund");
const QString kVA = QStringLiteral("Variable Annuity");

QString txTable() { return ORVDataModule::qualified(TableId::Transactions); }
QString sumTable() { return ORVDataModule::qualified(TableId::TransxSummary); }
Message dbError(const QString& what) { return Message::error(QStringLiteral("Database error: %1").arg(what)); }
QString amp(QString s) { return s.replace(QLatin1Char('&'), QStringLiteral("&&")); }

const char* kTxCols =
    "PfID, MLID, Date, BuySell, Shares, Amount, SharePrice, Commission, Fee1, Fee2, Type, Comment, Sequence";

void readRow(const Query& q, TxRow& r)
{
    r.PfID = int(q.int64(0));
    r.MLID = int(q.int64(1));
    r.Date = Day(q.real(2));
    r.BuySell = q.text(3);
    r.Shares = q.real(4);
    r.Amount = q.real(5);
    if (!q.isNull(6))
        r.SharePrice = q.real(6);
    r.Commission = q.real(7);
    r.Fee1 = q.real(8);
    r.Fee2 = q.real(9);
    r.Type = q.text(10);
    r.Comment = q.text(11);
    r.Sequence = q.int64(12);
}

QHash<int, QString> namesOf(ORVDataModule& dm, TableId table, const char* idField)
{
    QHash<int, QString> out;
    Query q = dm.query(QStringLiteral("SELECT %1, ShortName FROM %2").arg(QLatin1String(idField), ORVDataModule::qualified(table)));
    while (q.next())
        out.insert(int(q.int64(0)), q.text(1));
    return out;
}

}  // namespace

// ---- Types and settings --------------------------------------------------------

QStringList typeChoices() { return {QStringLiteral("Usual"), QStringLiteral("Income"), QStringLiteral("CapGain")}; }

QString storedType(const QString& shown)
{
    const QString t = shown.trimmed();
    if (t.isEmpty() || t.compare(QLatin1String("Usual"), Qt::CaseInsensitive) == 0)
        return QString();
    return t;
}

QString shownType(const QString& stored) { return stored.trimmed().isEmpty() ? QStringLiteral("Usual") : stored; }

std::optional<QString> parseShownType(const QString& text)
{
    for (const QString& t : typeChoices())
        if (t.compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return t;
    return std::nullopt;
}

std::optional<QString> parseBuySell(const QString& text)
{
    for (const char* s : {"Buy", "Sell"})
        if (text.trimmed().compare(QLatin1String(s), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(s);
    return std::nullopt;
}

QStringList reinvestChoices() { return {QStringLiteral("None"), QStringLiteral("CapGain"), QStringLiteral("All")}; }

QString reinvestChoice(const QString& stored)
{
    if (stored == QLatin1String("None") || stored == QLatin1String("CapGain"))
        return stored;
    return QStringLiteral("All");
}

std::optional<QString> parseReinvest(const QString& text)
{
    for (const QString& r : reinvestChoices())
        if (r.compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return r;
    return std::nullopt;
}

QString feeHeading(const QString& typed) { return typed.left(16); }
QString feeMenuCaption(const QString& heading) { return heading + QStringLiteral(" Heading"); }
QString hideFeeMenuCaption(const QString& heading) { return QStringLiteral("Hide ") + heading + QStringLiteral(" field"); }

Day defaultTxDate(Day today) { return WeekendToFriday(today); }

// ---- Price on date and completion --------------------------------------------

double priceOnDate(ORVDataModule& dm, int mlID, Day day)
{
    const auto p = store::priceOn(dm, mlID, day);
    if (!p || !p->Price)
        return kNoPriceOnDate;
    return *p->Price;
}

QString priceOnDateText(double remembered, const QString& pattern)
{
    if (remembered <= -1.0)
        return QStringLiteral("N/A");
    return fmtNumber(remembered, pattern);
}

QString pricePattern(const QString& issueType)
{
    return issueType.trimmed() == kVA ? formats().FmtPrice + QStringLiteral("000") : formats().FmtPrice;
}

std::optional<double> sharePriceAfterDate(double remembered, const QString& issueType)
{
    if (remembered > -1.0)
        return remembered;
    if (issueType.trimmed() == kMMF)
        return 1.0;
    return std::nullopt;
}

bool sharesChanged(double before, double after) { return std::fabs(after - before) > 0.00009; }
bool amountChanged(double before, double after) { return std::fabs(after - before) > 0.009; }

namespace {
void sharePriceFromAmount(TxFigures& f)
{
    if (std::fabs(f.amount) > 0.0001 && std::fabs(f.shares) > 0.0001)
        f.sharePrice = f.amount / f.shares;
}
}  // namespace

void completeAfterShares(TxFigures& f, double sharesOnEntry, bool amountChangedLastVisit)
{
    if (sharesChanged(sharesOnEntry, f.shares) && !amountChangedLastVisit && std::fabs(f.sharePrice) > 0.0001)
        f.amount = f.shares * f.sharePrice;
    sharePriceFromAmount(f);
}

void completeAfterAmount(TxFigures& f, double amountOnEntry, bool sharesChangedLastVisit)
{
    if (amountChanged(amountOnEntry, f.amount) && !sharesChangedLastVisit && std::fabs(f.sharePrice) > 0.0001)
        f.shares = f.amount / f.sharePrice;
    sharePriceFromAmount(f);
}

// ---- Preconditions -------------------------------------------------------------

QString noPortfolioQuestion() { return QStringLiteral("You must first setup a portfolio"); }

Status checkIssueForTransactions(ORVDataModule& dm, const MasterListRec& issue)
{
    if (issue.Type.trimmed() == kLinear)
        return Message::error(QStringLiteral("No transactions allowed for Linear Type."));
    if (issue.ShortName.contains(QLatin1String("[Pf]")))
        return Message::error(QStringLiteral("No transactions allowed for [Pf] type issues."));
    if (store::countInRange(dm, TableId::Prices, QStringLiteral("IndxPri"), {issue.MLID}) == 0)
        return Message::warning(QStringLiteral("A closing price must first be entered."));
    return Status::success();
}

// ---- Saving and deleting -------------------------------------------------------

std::optional<TransactionRec> transaction(ORVDataModule& dm, qint64 sequence)
{
    Query q = dm.query(QStringLiteral("SELECT %1 FROM %2 WHERE Sequence = ?").arg(QLatin1String(kTxCols), txTable()));
    q.bind(1, sequence);
    if (!q.next())
        return std::nullopt;
    TxRow row;
    readRow(q, row);
    TransactionRec r;
    r.PfID = row.PfID;
    r.MLID = row.MLID;
    r.Date = row.Date;
    r.BuySell = row.BuySell;
    r.Shares = row.Shares;
    r.Amount = row.Amount;
    r.SharePrice = row.SharePrice;
    r.Commission = row.Commission;
    r.Fee1 = row.Fee1;
    r.Fee2 = row.Fee2;
    r.Type = row.Type;
    r.Comment = row.Comment;
    r.Sequence = row.Sequence;
    return r;
}

Result<qint64> saveTransaction(ORVDataModule& dm, TransactionRec r, const QString& pfShortName,
                               const QString& mlShortName)
{
    const auto pf = portfolioByShortName(dm, pfShortName);
    if (!pf)
        return Message::error(QStringLiteral("Portfolio %1 not found.").arg(pfShortName.trimmed()));
    const auto ml = store::masterListByShortName(dm, mlShortName.trimmed());
    if (!ml)
        return Message::error(QStringLiteral("Security %1 not found in the Master List.").arg(mlShortName.trimmed()));
    if (ml->Type.trimmed() == kLinear)
        return Message::error(QStringLiteral("No transactions allowed for Linear Type."));
    const auto side = parseBuySell(r.BuySell);
    if (!side)
        return Message::error(QStringLiteral("Buy/Sell must be \"Buy\" or \"Sell\"."));
    if (r.Date == kNoDay)
        return Message::error(QStringLiteral("The date must not be blank."));
    r.BuySell = *side;
    r.PfID = pf->PfID;
    r.MLID = ml->MLID;
    r.Type = storedType(r.Type);
    if (r.Type.size() > 8 || (!r.Type.isEmpty() && !parseShownType(r.Type)))
        return Message::error(QStringLiteral("Type must be Usual, Income or CapGain."));
    if (r.Comment.size() > 40)
        return Message::error(QStringLiteral("Comment can hold at most 40 characters."));

    Transaction guard(dm);
    if (!guard.started())
        return dbError(QStringLiteral("cannot start a transaction."));
    int oldPf = -1, oldMl = -1;
    const QVariantList values{r.PfID,       r.MLID,
                              double(r.Date), r.BuySell,
                              r.Shares,     r.Amount,
                              r.SharePrice ? QVariant(*r.SharePrice) : QVariant(), r.Commission,
                              r.Fee1,       r.Fee2,
                              r.Type,       r.Comment.isEmpty() ? QVariant() : QVariant(r.Comment)};
    qint64 seq = r.Sequence;
    if (seq > 0) {
        const auto old = transaction(dm, seq);
        if (!old)
            return Message::error(QStringLiteral("Transaction %1 not found.").arg(seq));
        oldPf = old->PfID;
        oldMl = old->MLID;
        QVariantList binds = values;
        binds << seq;
        const Status st = dm.exec(QStringLiteral("UPDATE %1 SET PfID = ?, MLID = ?, Date = ?, BuySell = ?, Shares = ?, "
                                                 "Amount = ?, SharePrice = ?, Commission = ?, Fee1 = ?, Fee2 = ?, "
                                                 "Type = ?, Comment = ? WHERE Sequence = ?")
                                      .arg(txTable()),
                                  binds);
        if (!st)
            return st.message();
    } else {
        const Status st = dm.exec(QStringLiteral("INSERT INTO %1 (PfID, MLID, Date, BuySell, Shares, Amount, SharePrice, "
                                                 "Commission, Fee1, Fee2, Type, Comment) "
                                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                                      .arg(txTable()),
                                  values);
        if (!st)
            return st.message();
        seq = dm.lastInsertRowId();
    }
    dm.touch(TableId::Transactions);
    Status st = UpdateHoldingsSummary(dm, r.PfID, r.MLID);
    if (st && oldPf >= 0 && (oldPf != r.PfID || oldMl != r.MLID))
        st = UpdateHoldingsSummary(dm, oldPf, oldMl);
    if (!st)
        return st.message();
    st = guard.commit();
    if (!st)
        return st.message();
    dm.LastTxBookmark = seq;
    return seq;
}

QString deleteOneQuestion(Day date)
{
    return QStringLiteral("Are you sure you want to delete the highlighted transaction on ") + fmtDate(date) +
           QStringLiteral("?");
}

Status deleteTransaction(ORVDataModule& dm, qint64 sequence)
{
    const auto old = transaction(dm, sequence);
    if (!old)
        return Message::error(QStringLiteral("Transaction %1 not found.").arg(sequence));
    Transaction guard(dm);
    if (!guard.started())
        return dbError(QStringLiteral("cannot start a transaction."));
    Status st = dm.exec(QStringLiteral("DELETE FROM %1 WHERE Sequence = ?").arg(txTable()), {sequence});
    if (!st)
        return st;
    dm.touch(TableId::Transactions);
    st = UpdateHoldingsSummary(dm, old->PfID, old->MLID);
    if (!st)
        return st;
    return guard.commit();
}

// ---- Views ---------------------------------------------------------------------

QStringList viewOptionTexts(const QString& pfShortName, const QString& mlShortName)
{
    const QString pf = amp(pfShortName.trimmed());
    const QString ml = amp(mlShortName.trimmed());
    return {pf + QStringLiteral(", All Transactions"), pf + QStringLiteral(", ") + ml,
            QStringLiteral("All Portfolios, ") + ml, QStringLiteral("All Portfolios, All Transactions")};
}

std::vector<TxRow> viewRows(ORVDataModule& dm, TxView view, int pfID, int mlID)
{
    QString where, order;
    QVariantList binds;
    switch (view) {
    case TxView::PortfolioAll:
        where = QStringLiteral("WHERE PfID = ?");
        order = QStringLiteral("PfID, Date, Sequence");
        binds << pfID;
        break;
    case TxView::PortfolioIssue:
        where = QStringLiteral("WHERE PfID = ? AND MLID = ?");
        order = QStringLiteral("PfID, MLID, Date, Sequence");
        binds << pfID << mlID;
        break;
    case TxView::AllPortfoliosIssue:
        where = QStringLiteral("WHERE MLID = ?");
        order = QStringLiteral("MLID, Date, Sequence");
        binds << mlID;
        break;
    case TxView::AllAll: order = QStringLiteral("Date, Sequence"); break;
    }
    // The names come from two small tables read once, not from a join per row.
    const QHash<int, QString> pfNames = namesOf(dm, TableId::Portfolio, "PfID");
    const QHash<int, QString> mlNames = namesOf(dm, TableId::MasterList, "MLID");
    std::vector<TxRow> rows;
    Query q = dm.query(QStringLiteral("SELECT %1 FROM %2 %3 ORDER BY %4").arg(QLatin1String(kTxCols), txTable(), where, order));
    q.bindAll(binds);
    while (q.next()) {
        TxRow& r = rows.emplace_back();
        readRow(q, r);
        r.Portfolio = pfNames.value(r.PfID);
        r.MLShortName = mlNames.value(r.MLID);
    }
    return rows;
}

std::vector<TransactionRec> allTransactionsByDate(ORVDataModule& dm)
{
    std::vector<TransactionRec> out;
    Query q = dm.query(QStringLiteral("SELECT %1 FROM %2 ORDER BY Date, Sequence").arg(QLatin1String(kTxCols), txTable()));
    while (q.next()) {
        TxRow r;
        readRow(q, r);
        TransactionRec& t = out.emplace_back();
        t.PfID = r.PfID;
        t.MLID = r.MLID;
        t.Date = r.Date;
        t.BuySell = std::move(r.BuySell);
        t.Shares = r.Shares;
        t.Amount = r.Amount;
        t.SharePrice = r.SharePrice;
        t.Commission = r.Commission;
        t.Fee1 = r.Fee1;
        t.Fee2 = r.Fee2;
        t.Type = std::move(r.Type);
        t.Comment = std::move(r.Comment);
        t.Sequence = r.Sequence;
    }
    return out;
}

TxViewControls viewControls(TxView view)
{
    TxViewControls c;
    switch (view) {
    case TxView::PortfolioAll:
        c.portfolioPanel = true;
        c.portfolioSummary = true;
        c.dialogChangeSecurity = true;
        break;
    case TxView::PortfolioIssue:
        c.portfolioPanel = c.securityPanel = true;
        c.portfolioSummary = true;
        c.holdingPanels = true;
        c.totals = true;
        break;
    case TxView::AllPortfoliosIssue:
        c.securityPanel = true;
        c.totals = true;
        c.dialogChangePortfolio = true;
        break;
    case TxView::AllAll: c.dialogChangePortfolio = c.dialogChangeSecurity = true; break;
    }
    return c;
}

QString TxTotals::sharesText() const { return fmtPrice4(shares); }
QString TxTotals::valueLabel() const { return fmtDate(priceDate) + QStringLiteral(" Value:"); }
QString TxTotals::valueText() const { return fmtMoney(value); }

TxTotals viewTotals(ORVDataModule& dm, TxView view, int pfID, int mlID)
{
    TxTotals t;
    if (view == TxView::PortfolioIssue) {
        const auto h = store::holding(dm, pfID, mlID);
        if (!h)
            return t;
        t.hasHolding = true;
        t.AccountNumber = h->AccountNumber;
        t.Phone = h->Phone;
        t.Reinvest = h->Reinvest;
        t.shares = h->Shares;
    } else if (view == TxView::AllPortfoliosIssue) {
        const auto holders = store::holdersOf(dm, mlID);
        t.hasHolding = !holders.empty();
        for (const auto& h : holders)
            t.shares += h.Shares;
    } else {
        return t;
    }
    Query q = dm.query(QStringLiteral("SELECT Date, Price FROM %1 WHERE MLID = ? AND Price IS NOT NULL "
                                      "ORDER BY Date DESC LIMIT 1")
                           .arg(ORVDataModule::qualified(TableId::Prices)));
    q.bind(1, mlID);
    if (q.next()) {
        t.hasPrice = true;
        t.priceDate = Day(q.real(0));
        t.value = q.real(1) * t.shares;
    }
    return t;
}

QString bulkDeleteQuestion(TxView view, const QString& pfShortName, const QString& mlShortName)
{
    const QString pf = amp(pfShortName.trimmed());
    const QString ml = amp(mlShortName.trimmed());
    switch (view) {
    case TxView::PortfolioAll: return QStringLiteral("Delete  ALL  transactions for portfolio:  ") + pf + QStringLiteral(" ?");
    case TxView::PortfolioIssue:
        return QStringLiteral("Delete  ALL  transactions of  ") + ml + QStringLiteral("  for portfolio  ") + pf +
               QStringLiteral(" ?");
    case TxView::AllPortfoliosIssue:
        return QStringLiteral("Delete  ALL  transactions of  ") + ml + QStringLiteral("  for  ALL  portfolios?");
    case TxView::AllAll: return QStringLiteral("Delete  ALL  transactions for  ALL  portfolios?");
    }
    return QString();
}

Result<int> deleteView(ORVDataModule& dm, TxView view, int pfID, int mlID, Progress& progress)
{
    QString where;
    QVariantList binds;
    switch (view) {
    case TxView::PortfolioAll:
        where = QStringLiteral(" WHERE PfID = ?");
        binds << pfID;
        break;
    case TxView::PortfolioIssue:
        where = QStringLiteral(" WHERE PfID = ? AND MLID = ?");
        binds << pfID << mlID;
        break;
    case TxView::AllPortfoliosIssue:
        where = QStringLiteral(" WHERE MLID = ?");
        binds << mlID;
        break;
    case TxView::AllAll: break;
    }
    int count = 0;
    {
        Query q = dm.query(QStringLiteral("SELECT count(*) FROM %1%2").arg(txTable(), where));
        q.bindAll(binds);
        if (q.next())
            count = int(q.int64(0));
    }
    progress.setRange(count);
    Transaction guard(dm);
    if (!guard.started())
        return dbError(QStringLiteral("cannot start a transaction."));
    Status st = dm.exec(QStringLiteral("DELETE FROM %1%2").arg(txTable(), where), binds);
    if (!st)
        return st.message();
    const int deleted = dm.changes();
    progress.step(deleted);
    st = dm.exec(QStringLiteral("DELETE FROM %1%2").arg(sumTable(), where), binds);
    if (!st)
        return st.message();
    dm.touch(TableId::Transactions);
    dm.touch(TableId::TransxSummary);
    st = guard.commit();
    if (!st)
        return st.message();
    return deleted;
}

// ---- Entry for several portfolios ------------------------------------------------

QString multipleEntryQuestion() { return QStringLiteral("Enter similar transactions for other portfolios?"); }
QString noPortfoliosSelectedText() { return QStringLiteral("No portfolios selected."); }

std::vector<PortfolioRec> multipleEntryTargets(ORVDataModule& dm, int savedPfID)
{
    setPfSelected(dm, savedPfID, false);
    return selectedPortfolios(dm);
}

TransactionRec copyForPortfolio(const TransactionRec& saved)
{
    TransactionRec r = saved;
    r.PfID = 0;
    r.Sequence = 0;
    return r;
}

// ---- Holding parameters ----------------------------------------------------------

QString noTransactionYetText() { return QStringLiteral("No transaction entered yet."); }

Status setHoldingParameters(ORVDataModule& dm, int pfID, int mlID, const QString& reinvest,
                            const QString& accountNumber, const QString& phone)
{
    if (!store::holding(dm, pfID, mlID))
        return Message{MsgType::Custom, noTransactionYetText(), Btn::OK, false};
    const auto r = parseReinvest(reinvest);
    if (!r)
        return Message::error(QStringLiteral("Reinvest must be None, CapGain or All."));
    if (accountNumber.size() > 20)
        return Message::error(QStringLiteral("Account # can hold at most 20 characters."));
    if (phone.size() > 25)
        return Message::error(QStringLiteral("Phone can hold at most 25 characters."));
    const Status st =
        dm.exec(QStringLiteral("UPDATE %1 SET Reinvest = ?, AccountNumber = ?, Phone = ? WHERE PfID = ? AND MLID = ?")
                    .arg(sumTable()),
                {*r, accountNumber.isEmpty() ? QVariant() : QVariant(accountNumber),
                 phone.isEmpty() ? QVariant() : QVariant(phone), pfID, mlID});
    if (st)
        dm.touch(TableId::TransxSummary);
    return st;
}

}  // namespace orv::tx
