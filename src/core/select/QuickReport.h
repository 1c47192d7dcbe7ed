#pragma once
// The Quick Report of one Master List entry: ticker, ICDI number, the dates of
// its first and last price, its last price, its last ex-date, and the
// portfolios that hold or held it, each with its value at the last price or its
// share balance. For a "[Pf]Multiple" pseudo-issue with a portfolio list file,
// the list shows the portfolios of that file instead.

#include "core/base/Dates.h"

#include <QString>
#include <optional>
#include <vector>

namespace orv {

class ORVDataModule;

// Shares whose magnitude is below this are a closed account.
constexpr double kClosedShares = 0.00005;
// The no-price marker: the last price when the issue has none.
constexpr double kNoPrice = -1000000000.0;

enum class QuickReportMode { Value, Shares };

struct QuickReportHolding {
    QString portfolio;  // short name, trimmed
    double shares = 0;
};

struct QuickReportLine {
    QString portfolio;  // at most 12 characters
    QString amount;     // at most 20 characters
};

struct QuickMLReportData {
    int MLID = -1;
    QString caption;  // the entry's short name
    QString ticker;
    QString icdi;
    QString beginDate;    // FmtDate or "No data"
    QString endDate;      // FmtDate or "No data"
    QString lastPrice;    // FmtPrice or "No data"
    QString lastDsbDate;  // FmtDate or "No data"
    double lastPriceValue = kNoPrice;
    bool hasLastPrice() const { return lastPriceValue > -999999999.999; }

    // The holdings sorted by portfolio short name.
    std::vector<QuickReportHolding> holdings;
    // "[Pf]Multiple" with its list file: the portfolio names of the file.
    bool multipleList = false;
    QStringList listedPortfolios;

    // The "$/shares" switch is shown except for a listed "[Pf]Multiple".
    bool showModeSwitch() const { return !multipleList; }
    // The two parts of the list heading: "Portfolios" and "$ Value", "share
    // balance" or "None" (nothing beside "Portfolios" for a list file).
    QString headingLeft() const { return QStringLiteral("Portfolios"); }
    QString headingRight(QuickReportMode mode) const;
    // The list rows; one blank row when there is nothing to list.
    std::vector<QuickReportLine> lines(QuickReportMode mode) const;
};

// The amount text of one holding: "Closed" for |shares| < kClosedShares; in
// value mode shares x price in FmtMoney or "No last price"; in shares mode the
// shares in FmtPrice4. Cut to 20 characters.
QString quickReportAmount(double shares, double lastPrice, QuickReportMode mode);

// Gathers the report of entry mlID; tempPath (with a trailing separator) is
// where "[Pf]Multiple" list files live. nullopt when the entry does not exist.
std::optional<QuickMLReportData> buildQuickMLReport(ORVDataModule& dm, int mlID, const QString& tempPath);

}  // namespace orv
