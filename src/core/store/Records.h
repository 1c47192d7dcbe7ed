#pragma once
// Typed rows of the tables and direct queries for bulk work, so that engines and
// reports need not walk a cursor. Readers return rows in the order of the named
// index they mention. Writers check required fields and lengths like a cursor post,
// report the change to open cursors, and run no table rule: a writer of
// Transactions calls UpdateHoldingsSummary itself.

#include "core/base/Dates.h"
#include "core/base/Message.h"
#include "core/store/Schema.h"

#include <QString>
#include <QVariantMap>
#include <array>
#include <optional>
#include <vector>

namespace orv {

class ORVDataModule;

struct MasterListRec {
    int MLID = 0;  // 0 on insert: the next identifier is assigned
    QString ShortName, LongName, Type, Ticker, ICDINumber, CUSIP;
    int MovAveDaily1 = 200, MovAveDaily2 = 100, MovAveWeekly1 = 39, MovAveWeekly2 = 20;
    int RowNum = 1, ColNum = 0;
    bool Selected = false;
};

struct ColHdrRec {
    int ColNum = 0;
    QString Heading;
};

struct AssetAllocHdrRec {
    int AllocID = 0;
    QString Title;
    std::array<QString, 10> Sub;
};

struct AssetAllocValueRec {
    int MLID = 0, AllocID = 0;
    std::array<double, 10> Pct{};
};

struct PriceRec {
    int MLID = 0;
    Day Date = kNoDay;
    std::optional<double> Price;  // empty: a hole for the adjusted-price engine
    double AdjPrice = 0.0;
};

struct DistributionRec {
    int MLID = 0;
    Day ExDate = kNoDay, RecDate = kNoDay, PayDate = kNoDay;
    double Total = 0, Income = 0, CapGain = 0, ReinvestPri = 0, SplitFactor = 0;
};

struct PortfolioRec {
    int PfID = 0;  // 0 on insert
    bool Selected = false;
    QString ShortName, LongName, NameLast, NameFirst, NameMiddle, Address1, Address2, City, State, PostalCode,
        Country, Phone1, Phone2, FAX, Email, AccountNumber, TaxID;
};

struct TransactionRec {
    int PfID = 0, MLID = 0;
    Day Date = kNoDay;
    QString BuySell;  // "Buy" or "Sell"
    double Shares = 0, Amount = 0;
    std::optional<double> SharePrice;
    double Commission = 0, Fee1 = 0, Fee2 = 0;
    QString Type;  // "Usual", "Income", "CapGain"
    QString Comment;
    qint64 Sequence = 0;  // 0 on insert
};

struct TransxSummaryRec {
    int PfID = 0, MLID = 0;
    double Shares = 0;
    QString Reinvest, AccountNumber, Phone;
};

namespace store {

// Field maps (field name -> value) for the generic writers.
QVariantMap toFields(const MasterListRec& r);
QVariantMap toFields(const PriceRec& r);
QVariantMap toFields(const DistributionRec& r);
QVariantMap toFields(const PortfolioRec& r);
QVariantMap toFields(const TransactionRec& r);
QVariantMap toFields(const TransxSummaryRec& r);
QVariantMap toFields(const ColHdrRec& r);
QVariantMap toFields(const AssetAllocHdrRec& r);
QVariantMap toFields(const AssetAllocValueRec& r);

// Generic writers by row id (the auto-increment field for MasterList, Portfolio,
// Transactions). Fields not named in an insert are empty; an update changes only
// the named fields. Required fields, lengths and word ranges are checked.
Result<qint64> insertRow(ORVDataModule& dm, TableId table, const QVariantMap& fields);
Status updateRow(ORVDataModule& dm, TableId table, qint64 rowid, const QVariantMap& fields);
Status deleteRow(ORVDataModule& dm, TableId table, qint64 rowid);

// Number of rows whose leading fields of index equal keys (as a range would count).
int countInRange(ORVDataModule& dm, TableId table, const QString& index, const QVariantList& keys);

// MasterList
std::vector<MasterListRec> masterList(ORVDataModule& dm);  // IndxColRow order
std::optional<MasterListRec> masterListEntry(ORVDataModule& dm, int mlID);
std::optional<MasterListRec> masterListByShortName(ORVDataModule& dm, const QString& shortName);  // exact
Result<qint64> insertMasterList(ORVDataModule& dm, const MasterListRec& r);
qint64 highestMLID(ORVDataModule& dm);

// Prices: one issue in date order (IndxPri), optionally between two days inclusive.
std::vector<PriceRec> pricesOf(ORVDataModule& dm, int mlID);
std::vector<PriceRec> pricesBetween(ORVDataModule& dm, int mlID, Day from, Day to);
std::optional<PriceRec> priceOn(ORVDataModule& dm, int mlID, Day day);
// Inserts or replaces the price of (MLID, Date).
Status storePriceRow(ORVDataModule& dm, const PriceRec& r);

// Distributions: oldest first (IndxDsbMLID) or newest first (IndxDsbDescDat).
std::vector<DistributionRec> distributionsOf(ORVDataModule& dm, int mlID, bool newestFirst = false);
Result<qint64> insertDistribution(ORVDataModule& dm, const DistributionRec& r);

// Portfolio (IndxShortName order)
std::vector<PortfolioRec> portfolios(ORVDataModule& dm);
std::optional<PortfolioRec> portfolio(ORVDataModule& dm, int pfID);
Result<qint64> insertPortfolio(ORVDataModule& dm, const PortfolioRec& r);

// Transactions: one holding (IndxPfIDMLID), one portfolio (IndxPfIDDate), one
// issue in all portfolios (IndxMLID); all in date order, then entry order.
std::vector<TransactionRec> transactionsOf(ORVDataModule& dm, int pfID, int mlID);
std::vector<TransactionRec> transactionsOfPortfolio(ORVDataModule& dm, int pfID);
std::vector<TransactionRec> transactionsOfIssue(ORVDataModule& dm, int mlID);
Result<qint64> insertTransaction(ORVDataModule& dm, const TransactionRec& r);

// TransxSummary
std::vector<TransxSummaryRec> holdingsOf(ORVDataModule& dm, int pfID);  // IndxPfID order
std::vector<TransxSummaryRec> holdersOf(ORVDataModule& dm, int mlID);   // IndxMLID order
std::optional<TransxSummaryRec> holding(ORVDataModule& dm, int pfID, int mlID);

}  // namespace store
}  // namespace orv
