// orv-mkexample <outdir> [<templatesdir>]: writes the example data set a new user
// starts with. The nine template tables are copied into a scratch folder, opened
// with the data module and filled through the program's own operations (new
// entries, column headings, allocation titles and percentages, prices with the
// adjusted-price rules, distributions with their checks and automatic
// reinvestment, transactions with the holdings summary), so the result obeys every
// rule the program keeps. The content is made-up sample data, generated from a
// fixed seed up to a fixed end date: the same build gives the same files.
#include "core/base/Dates.h"
#include "core/base/Format.h"
#include "core/base/Progress.h"
#include "core/distributions/Distributions.h"
#include "core/masterlist/AllocAssignments.h"
#include "core/masterlist/EntryRules.h"
#include "core/portfolios/TxRules.h"
#include "core/prices/AdjPrices.h"
#include "core/prices/PriceEntry.h"
#include "core/store/DataFiles.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "core/store/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <tuple>

using namespace orv;

namespace {

const QDate kFirstDate(2016, 11, 28);  // a Monday
const QDate kLastDate(2026, 11, 27);   // a Friday: the last price of every issue
constexpr unsigned kSeed = 20261127u;

[[noreturn]] void die(const QString& what)
{
    std::fprintf(stderr, "orv-mkexample: %s\n", qPrintable(what));
    std::exit(1);
}

void check(const Status& st, const QString& what)
{
    if (!st)
        die(what + QStringLiteral(": ") + st.message().text);
}

template <typename T>
T need(Result<T> r, const QString& what)
{
    if (!r)
        die(what + QStringLiteral(": ") + r.message().text);
    return r.value();
}

// A random source fully defined by the seed (mt19937 is specified bit for bit;
// the transforms below are our own, so the output does not depend on the library).
class Rng {
public:
    explicit Rng(unsigned seed) : g_(seed) {}
    double uniform() { return (double(g_()) + 0.5) / 4294967296.0; }
    double normal()
    {
        const double u1 = uniform(), u2 = uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }

private:
    std::mt19937 g_;
};

enum class Style { Growth, Value, Bond, MoneyMarket, Index, BondIndex, Stock, Annuity, Linear, Gold };

struct IssueDef {
    QString name, longName, type, ticker;
    int col, row;
    Style style;
    double start;      // first price
    double drift;      // yearly drift of the price
    double vol;        // yearly volatility
    double beta;       // share of the common market move
    double yield;      // yearly income as a share of the price
    double gainRate;   // yearly capital-gain distribution as a share of the price (in a good year)
    int incomePerYear; // 0, 1, 4
    bool capGains;
};

// Distributions the generator decided on, per issue and day.
struct DsbPlan {
    double income = 0, capGain = 0, split = 0;
};

struct Issue {
    IssueDef def;
    int mlID = 0;
    std::vector<Day> days;               // priced days, ascending
    std::map<Day, double> price;         // closing prices
    std::map<Day, DsbPlan> dsbs;
    double priceOn(Day d) const
    {
        auto it = price.upper_bound(d);
        if (it == price.begin())
            return price.begin()->second;
        return std::prev(it)->second;
    }
    // The first priced day on or after d.
    Day pricedOnOrAfter(Day d) const
    {
        auto it = price.lower_bound(d);
        return it == price.end() ? price.rbegin()->first : it->first;
    }
};

std::vector<IssueDef> issueSpecs()
{
    const QString MF = QStringLiteral("Mutual Fund"), IX = QStringLiteral("Index"), ST = QStringLiteral("Stock");
    return {
        // Growth
        {"Sample Growth", "Sample Growth Fund", MF, "SMPGX", 0, 1, Style::Growth, 24.0, 0.10, 0.19, 0.8, 0.004, 0.05, 1, true},
        {"Demo Aggressive", "Demo Aggressive Growth Fund", MF, "DMAGX", 0, 2, Style::Growth, 31.5, 0.11, 0.25, 0.9, 0.0, 0.06, 0, true},
        {"Sample Small Cap", "Sample Small Cap Growth Fund", MF, "SMSCX", 0, 3, Style::Growth, 18.2, 0.08, 0.23, 0.8, 0.002, 0.05, 1, true},
        {"Demo Tech Growth", "Demo Technology Growth Fund", MF, "DMTGX", 0, 4, Style::Growth, 42.0, 0.14, 0.27, 0.85, 0.0, 0.04, 0, true},
        {"Sample Intl Gr", "Sample International Growth Fund", MF, "SMIGX", 0, 5, Style::Growth, 15.7, 0.05, 0.18, 0.6, 0.012, 0.03, 1, true},
        {"Demo Mid Cap Gr", "Demo Mid Cap Growth Fund", MF, "DMMGX", 0, 6, Style::Growth, 27.3, 0.09, 0.21, 0.85, 0.003, 0.05, 1, true},
        // Value
        {"Sample Value", "Sample Value Fund", MF, "SMVLX", 1, 1, Style::Value, 21.4, 0.07, 0.16, 0.8, 0.018, 0.04, 4, true},
        {"Demo Equity Inc", "Demo Equity Income Fund", MF, "DMEIX", 1, 2, Style::Value, 28.9, 0.06, 0.14, 0.75, 0.026, 0.03, 4, true},
        {"Sample Dividend", "Sample Dividend Growth Fund", MF, "SMDGX", 1, 3, Style::Value, 33.1, 0.07, 0.15, 0.8, 0.021, 0.035, 4, true},
        {"Demo Large Value", "Demo Large Cap Value Fund", MF, "DMLVX", 1, 4, Style::Value, 19.6, 0.065, 0.16, 0.85, 0.017, 0.04, 1, true},
        {"Sample Small Val", "Sample Small Cap Value Fund", MF, "SMSVX", 1, 5, Style::Value, 14.8, 0.07, 0.21, 0.8, 0.012, 0.05, 1, true},
        {"Demo Balanced", "Demo Balanced Fund", MF, "DMBLX", 1, 6, Style::Value, 17.2, 0.04, 0.10, 0.6, 0.022, 0.025, 4, true},
        // Income
        {"Demo Bond Index", "Demo Bond Index Fund", MF, "DMBIX", 2, 1, Style::Bond, 10.6, -0.003, 0.04, 0.0, 0.029, 0.0, 4, false},
        {"Sample Govt Bond", "Sample Government Bond Fund", MF, "SMGBX", 2, 2, Style::Bond, 11.2, -0.004, 0.035, 0.0, 0.025, 0.004, 4, true},
        {"Demo Corp Bond", "Demo Corporate Bond Fund", MF, "DMCBX", 2, 3, Style::Bond, 9.8, -0.002, 0.05, 0.1, 0.036, 0.005, 4, true},
        {"Sample Muni Bond", "Sample Municipal Bond Fund", MF, "SMMBX", 2, 4, Style::Bond, 12.4, -0.002, 0.035, 0.0, 0.027, 0.0, 4, false},
        {"Demo High Yield", "Demo High Yield Bond Fund", MF, "DMHYX", 2, 5, Style::Bond, 7.3, -0.01, 0.07, 0.3, 0.055, 0.0, 4, false},
        {"$Sample MoneyMkt", "Sample Money Market Fund", "Money Market Fund", "SMMXX", 2, 6, Style::MoneyMarket, 1.0, 0, 0, 0, 0.016, 0, 4, false},
        // Indexes
        {"Demo 500 Index", "Demo 500 Stock Index", IX, "DM500", 3, 1, Style::Index, 2200.0, 0.10, 0.17, 1.0, 0, 0, 0, false},
        {"Sample Total Mkt", "Sample Total Market Index", IX, "SMTOT", 3, 2, Style::Index, 11000.0, 0.095, 0.175, 1.0, 0, 0, 0, false},
        {"Demo Small Index", "Demo Small Company Index", IX, "DMSML", 3, 3, Style::Index, 1350.0, 0.07, 0.22, 0.9, 0, 0, 0, false},
        {"Sample Intl Idx", "Sample International Index", IX, "SMINT", 3, 4, Style::Index, 1700.0, 0.04, 0.16, 0.6, 0, 0, 0, false},
        {"Demo Bond Idx", "Demo Aggregate Bond Index", IX, "DMAGG", 3, 5, Style::BondIndex, 1950.0, 0.02, 0.045, 0.0, 0, 0, 0, false},
        // Other
        {"Sample Tools Co", "Sample Tools Company (stock)", ST, "SMTL", 4, 1, Style::Stock, 58.0, 0.13, 0.30, 0.9, 0.014, 0, 4, false},
        {"Demo Rail Co", "Demo Railway Company (stock)", ST, "DMRL", 4, 2, Style::Stock, 44.0, 0.06, 0.24, 0.7, 0.028, 0, 4, false},
        {"Sample Gold Fund", "Sample Precious Metals Fund", MF, "SMGLX", 4, 3, Style::Gold, 12.5, 0.04, 0.26, 0.1, 0.005, 0.02, 1, true},
        {"~Demo Annuity", "Demo Variable Annuity Growth Account", "Variable Annuity", "", 4, 4, Style::Annuity, 14.25, 0.065, 0.12, 0.7, 0, 0, 0, false},
        {"-Demo Trendline", "Demo 6% trend line", "Linear type", "", 4, 5, Style::Linear, 100.0, 0, 0, 0, 0, 0, 0, false},
    };
}

// Weekdays from the first to the last date; a few market holidays are left out
// (the adjusted-price engine fills them as holes).
std::vector<Day> weekdays()
{
    std::vector<Day> out;
    for (Day d = dayFromDate(kFirstDate); d <= dayFromDate(kLastDate); ++d) {
        if (isWeekend(d))
            continue;
        const QDate q = dateFromDay(d);
        const bool holiday = (q.month() == 1 && q.day() == 1) || (q.month() == 7 && q.day() == 4) ||
                             (q.month() == 12 && q.day() == 25);
        if (!holiday)
            out.push_back(d);
    }
    return out;
}

// The day number of a date moved forward to a weekday.
Day weekdayOnOrAfter(const QDate& q)
{
    Day d = dayFromDate(q);
    while (isWeekend(d))
        ++d;
    return d;
}

bool isDsbDay(const IssueDef& s, const QDate& q, bool& yearEnd)
{
    // Quarterly payers go ex in the third week of March, June, September and
    // December; yearly payers in mid-December.
    yearEnd = false;
    if (s.incomePerYear == 0 && !s.capGains)
        return false;
    const Day d = dayFromDate(q);
    for (int m : {3, 6, 9, 12}) {
        if (q.month() != m)
            continue;
        const Day target = weekdayOnOrAfter(QDate(q.year(), m, 16));
        if (d != target)
            return false;
        yearEnd = m == 12;
        return s.incomePerYear == 4 || yearEnd;
    }
    return false;
}

// Generates the price series and the distributions of one issue.
void generate(Issue& is, const std::vector<Day>& days, const std::vector<double>& market, Rng& rng)
{
    const IssueDef& s = is.def;
    const double dt = 1.0 / 252.0;
    double p = s.start;
    double yearStart = p;
    const Day splitDay = weekdayOnOrAfter(QDate(2021, 6, 14));
    for (size_t i = 0; i < days.size(); ++i) {
        const Day d = days[i];
        const QDate q = dateFromDay(d);
        bool yearEnd = false;
        const bool dsbDay = i > 0 && isDsbDay(s, q, yearEnd);
        const bool splitsToday = s.style == Style::Stock && s.name == QLatin1String("Sample Tools Co") && d == splitDay;
        // A few more days without a price, as a data service leaves them.
        if (s.style != Style::MoneyMarket && s.style != Style::Linear && !dsbDay && !splitsToday && i > 0 &&
            i + 1 < days.size() && rng.uniform() < 0.002)
            continue;
        if (s.style == Style::MoneyMarket) {
            p = 1.0;
        } else if (s.style == Style::Linear) {
            p = s.start + 6.0 * double(d - days.front()) / 365.25;  // 6 points a year
        } else {
            const double idio = rng.normal();
            const double z = s.beta * market[i] + std::sqrt(std::max(0.0, 1.0 - s.beta * s.beta)) * idio;
            // The market move carries its own drift (crash and recovery); this is the rest.
            // The price earns what it later pays out, so it keeps its level across ex-dates.
            const double earn = s.drift + s.yield + (s.capGains ? 0.7 * s.gainRate : 0.0);
            const double ret = (earn - 0.5 * s.vol * s.vol) * dt + s.vol * std::sqrt(dt) * z;
            p *= std::exp(ret);
        }
        if (dsbDay) {
            DsbPlan plan;
            if (s.incomePerYear > 0)
                plan.income = std::round(p * s.yield / s.incomePerYear * 10000.0) / 10000.0;
            if (s.style == Style::MoneyMarket)
                plan.income = std::round((0.002 + 0.003 * rng.uniform()) * 100000.0) / 100000.0;
            if (s.capGains && yearEnd && p > yearStart * 0.98)
                plan.capGain = std::round(p * s.gainRate * (0.4 + rng.uniform()) * 10000.0) / 10000.0;
            if (plan.income > 0 || plan.capGain > 0) {
                // The price goes ex by the amount paid.
                if (s.style != Style::MoneyMarket)
                    p -= plan.income + plan.capGain;
                is.dsbs[d] = plan;
            }
        }
        if (yearEnd || (q.month() == 1 && q.day() <= 7 && i > 0 && dateFromDay(days[i - 1]).month() == 12))
            yearStart = p;
        if (splitsToday) {
            p /= 2.0;
            is.dsbs[d] = DsbPlan{0, 0, 2.0};
        }
        double shown;
        if (s.style == Style::Annuity)
            shown = std::round(p * 1e6) / 1e6;
        else if (s.style == Style::MoneyMarket)
            shown = 1.0;
        else
            shown = std::round(p * 100.0) / 100.0;
        is.price[d] = shown;
        is.days.push_back(d);
    }
}

// The common market move per day: noise plus a crash in spring 2020 and a
// drawdown through 2022, so the charts have something to show.
std::vector<double> marketMoves(const std::vector<Day>& days, Rng& rng)
{
    std::vector<double> m(days.size());
    const Day crash0 = dayFromDate(QDate(2020, 2, 20)), crash1 = dayFromDate(QDate(2020, 3, 23));
    const Day rec1 = dayFromDate(QDate(2020, 8, 31));
    const Day bear0 = dayFromDate(QDate(2022, 1, 3)), bear1 = dayFromDate(QDate(2022, 10, 12));
    for (size_t i = 0; i < days.size(); ++i) {
        double z = rng.normal();
        const Day d = days[i];
        if (d >= crash0 && d <= crash1)
            z -= 2.6;
        else if (d > crash1 && d <= rec1)
            z += 0.45;
        else if (d >= bear0 && d <= bear1)
            z -= 0.18;
        m[i] = z;
    }
    return m;
}

// ---- Portfolio activity ------------------------------------------------------------

struct TxPlan {
    Day date;
    QString pf, issue;
    enum Kind { BuyAmount, SellShares, SellAll, SellFraction } kind;
    double value;  // amount, shares or fraction
};

struct Generator {
    ORVDataModule& dm;
    std::vector<Issue> issues;
    NullProgress quiet;

    Issue& issue(const QString& name)
    {
        for (auto& i : issues)
            if (i.def.name == name)
                return i;
        die(QStringLiteral("no issue ") + name);
    }

    void headings()
    {
        const QStringList names{QStringLiteral("Growth"), QStringLiteral("Value"), QStringLiteral("Income"),
                                QStringLiteral("Indexes"), QStringLiteral("Other")};
        for (int c = 1; c <= kHeadingCount; ++c)
            check(setColumnHeading(dm, c, c <= names.size() ? names[c - 1] : QStringLiteral("Column %1").arg(c)),
                  QStringLiteral("heading"));
    }

    void allocationTitles()
    {
        check(ensureAllocHdrs(dm), QStringLiteral("allocation categories"));
        const std::vector<std::pair<QString, QStringList>> titles{
            {"Asset Class", {"US Stocks", "Intl Stocks", "Bonds", "Cash", "Real Assets"}},
            {"Equity Style", {"Large Growth", "Large Value", "Large Blend", "Small Growth", "Small Value",
                              "Mid Growth"}},
            {"Bond Quality", {"Government", "Investment Grd", "High Yield", "Municipal"}},
            {"Bond Duration", {"Short", "Intermediate", "Long"}},
            {"Region", {"North America", "Europe", "Asia Pacific", "Emerging Mkts"}},
        };
        for (size_t i = 0; i < titles.size(); ++i) {
            need(setAllocTitle(dm, int(i) + 1, titles[i].first), QStringLiteral("allocation title"));
            for (int s = 0; s < titles[i].second.size(); ++s)
                need(setAllocSubTitle(dm, int(i) + 1, s + 1, titles[i].second[s]), QStringLiteral("sub-category"));
        }
    }

    void pct(int ml, int alloc, std::initializer_list<std::pair<int, double>> values)
    {
        for (const auto& [sub, v] : values)
            check(setAllocPercent(dm, ml, alloc, sub, v), QStringLiteral("allocation percentage"));
    }

    void allocations(const Issue& is)
    {
        const int ml = is.mlID;
        switch (is.def.style) {
        case Style::Growth:
            if (is.def.name.contains(QLatin1String("Intl"))) {
                pct(ml, 1, {{2, 92}, {4, 8}});
                pct(ml, 2, {{1, 70}, {3, 30}});
                pct(ml, 5, {{2, 55}, {3, 30}, {4, 15}});
            } else {
                pct(ml, 1, {{1, 94}, {2, 4}, {4, 2}});
                if (is.def.name.contains(QLatin1String("Small")))
                    pct(ml, 2, {{4, 85}, {6, 15}});
                else if (is.def.name.contains(QLatin1String("Mid")))
                    pct(ml, 2, {{6, 80}, {1, 20}});
                else
                    pct(ml, 2, {{1, 75}, {3, 20}, {6, 5}});
                pct(ml, 5, {{1, 96}, {2, 4}});
            }
            break;
        case Style::Value:
            if (is.def.name.contains(QLatin1String("Balanced"))) {
                pct(ml, 1, {{1, 55}, {2, 5}, {3, 37}, {4, 3}});
                pct(ml, 2, {{2, 60}, {3, 40}});
                pct(ml, 3, {{1, 40}, {2, 60}});
                pct(ml, 4, {{2, 100}});
            } else {
                pct(ml, 1, {{1, 90}, {2, 7}, {4, 3}});
                pct(ml, 2, is.def.name.contains(QLatin1String("Small")) ? std::initializer_list<std::pair<int, double>>{{5, 90}, {2, 10}}
                                                                          : std::initializer_list<std::pair<int, double>>{{2, 80}, {3, 20}});
            }
            pct(ml, 5, {{1, 93}, {2, 7}});
            break;
        case Style::Bond:
            pct(ml, 1, {{3, 97}, {4, 3}});
            if (is.def.name.contains(QLatin1String("Govt")))
                pct(ml, 3, {{1, 100}});
            else if (is.def.name.contains(QLatin1String("Muni")))
                pct(ml, 3, {{4, 100}});
            else if (is.def.name.contains(QLatin1String("High")))
                pct(ml, 3, {{2, 15}, {3, 85}});
            else
                pct(ml, 3, {{1, 45}, {2, 55}});
            pct(ml, 4, {{1, 25}, {2, 55}, {3, 20}});
            pct(ml, 5, {{1, 100}});
            break;
        case Style::MoneyMarket:
            pct(ml, 1, {{4, 100}});
            pct(ml, 4, {{1, 100}});
            break;
        case Style::Stock:
            pct(ml, 1, {{1, 100}});
            pct(ml, 2, {{3, 100}});
            pct(ml, 5, {{1, 100}});
            break;
        case Style::Gold:
            pct(ml, 1, {{5, 80}, {2, 15}, {4, 5}});
            pct(ml, 5, {{1, 40}, {3, 35}, {4, 25}});
            break;
        case Style::Annuity:
            pct(ml, 1, {{1, 70}, {2, 10}, {3, 20}});
            pct(ml, 2, {{1, 50}, {2, 50}});
            break;
        default:
            break;
        }
    }

    void entries()
    {
        for (auto& is : issues) {
            MasterListRec r = newEntryDefaults(is.def.row, is.def.col);
            r.ShortName = is.def.name;
            r.LongName = is.def.longName;
            r.Type = is.def.type;
            r.Ticker = is.def.ticker;
            is.mlID = need(addNewEntry(dm, r), QStringLiteral("entry ") + is.def.name);
            allocations(is);
        }
    }

    void prices()
    {
        for (auto& is : issues) {
            std::vector<std::pair<Day, double>> rows;
            rows.reserve(is.price.size());
            for (const auto& [d, p] : is.price)
                rows.emplace_back(d, p);
            check(prices::StorePricesAndUpdate(dm, is.mlID, rows, quiet), QStringLiteral("prices of ") + is.def.name);
        }
    }

    void portfolio(const QString& shortName, const QString& longName, const QString& last, const QString& first,
                   const QString& account)
    {
        PortfolioRec r;
        r.ShortName = shortName;
        r.LongName = longName;
        r.NameLast = last;
        r.NameFirst = first;
        r.City = QStringLiteral("Sampleton");
        r.State = QStringLiteral("XX");
        r.Country = QStringLiteral("Exampleland");
        r.AccountNumber = account;
        need(store::insertPortfolio(dm, r), QStringLiteral("portfolio"));
    }

    int pfID(const QString& shortName)
    {
        for (const auto& p : store::portfolios(dm))
            if (p.ShortName == shortName)
                return p.PfID;
        die(QStringLiteral("no portfolio ") + shortName);
    }

    void transaction(const TxPlan& t)
    {
        Issue& is = issue(t.issue);
        const Day day = is.pricedOnOrAfter(t.date);
        const double price = is.price.at(day);
        TransactionRec r;
        r.Date = day;
        r.SharePrice = price;
        r.Type = QStringLiteral("Usual");
        const double held = dsb::SharesHeldAt(dm, pfID(t.pf), is.mlID, day);
        switch (t.kind) {
        case TxPlan::BuyAmount:
            r.BuySell = QStringLiteral("Buy");
            r.Shares = dsb::RoundDecimals(3, t.value / price);
            r.Amount = t.value;
            r.Comment = QStringLiteral("Purchase");
            break;
        case TxPlan::SellShares:
        case TxPlan::SellAll:
        case TxPlan::SellFraction:
            r.BuySell = QStringLiteral("Sell");
            r.Shares = t.kind == TxPlan::SellShares ? t.value
                       : t.kind == TxPlan::SellAll  ? held
                                                    : dsb::RoundDecimals(3, held * t.value);
            r.Amount = dsb::RoundDecimals(2, r.Shares * price);
            r.Comment = t.kind == TxPlan::SellAll ? QStringLiteral("Closed the position") : QStringLiteral("Sale");
            break;
        }
        if (r.BuySell == QLatin1String("Buy") && is.def.name == QLatin1String("Demo Rail Co"))
            r.Commission = 9.95;
        need(tx::saveTransaction(dm, r, t.pf, is.def.name), QStringLiteral("transaction"));
    }

    void reinvestOption(const QString& pf, const QString& issueName, const QString& option)
    {
        check(tx::setHoldingParameters(dm, pfID(pf), issue(issueName).mlID, option, QString(), QString()),
              QStringLiteral("reinvest option"));
    }

    // Transactions and distributions in date order, so that each distribution
    // meets the holdings of its ex-date and each sale the shares held that day.
    void activity(std::vector<TxPlan> plans, const std::map<std::pair<QString, QString>, QString>& options)
    {
        struct Event {
            Day day;
            int order;  // distributions of a day before its transactions
            const Issue* dsbIssue;
            size_t tx;
        };
        std::vector<Event> events;
        for (const auto& is : issues)
            for (const auto& [d, plan] : is.dsbs)
                events.push_back({d, 0, &is, 0});
        for (size_t i = 0; i < plans.size(); ++i)
            events.push_back({issue(plans[i].issue).pricedOnOrAfter(plans[i].date), 1, nullptr, i});
        std::stable_sort(events.begin(), events.end(),
                         [](const Event& a, const Event& b) { return std::tie(a.day, a.order) < std::tie(b.day, b.order); });
        std::set<std::pair<QString, QString>> optionSet;
        for (const Event& e : events) {
            if (e.dsbIssue) {
                const Issue& is = *e.dsbIssue;
                const DsbPlan& plan = is.dsbs.at(e.day);
                DistributionRec r = dsb::newDistribution(is.mlID, e.day);
                r.RecDate = AddWeekdays(e.day, -1);
                r.PayDate = AddWeekdays(e.day, 2);
                r.Income = plan.income;
                r.CapGain = plan.capGain;
                r.Total = plan.income + plan.capGain;
                r.SplitFactor = plan.split;
                r.ReinvestPri = is.price.at(e.day);
                const dsb::DsbCheck c = dsb::SaveDistribution(dm, r, std::nullopt, quiet);
                check(c.status, QStringLiteral("distribution of ") + is.def.name);
                need(dsb::ReinvestAllPortfolios(dm, is.mlID, dsb::DsbAmounts::of(r), quiet),
                     QStringLiteral("reinvestment"));
            } else {
                const TxPlan& t = plans[e.tx];
                transaction(t);
                const auto key = std::make_pair(t.pf, t.issue);
                if (!optionSet.count(key) && options.count(key)) {
                    reinvestOption(t.pf, t.issue, options.at(key));
                    optionSet.insert(key);
                }
            }
        }
    }

    void portfolios()
    {
        portfolio(QStringLiteral("Sample IRA"), QStringLiteral("Sample Retirement Account"), QStringLiteral("Sample"),
                  QStringLiteral("Pat"), QStringLiteral("IRA-000123"));
        portfolio(QStringLiteral("Demo Joint"), QStringLiteral("Demo Joint Brokerage Account"), QStringLiteral("Demo"),
                  QStringLiteral("Lee"), QStringLiteral("JT-004567"));
        portfolio(QStringLiteral("Sample Trust"), QStringLiteral("Sample Family Trust"), QStringLiteral("Sample"),
                  QStringLiteral("Trust"), QStringLiteral("TR-008910"));

        auto D = [](int y, int m, int d) { return dayFromDate(QDate(y, m, d)); };
        const QString ira = QStringLiteral("Sample IRA"), joint = QStringLiteral("Demo Joint"),
                      trust = QStringLiteral("Sample Trust");
        std::vector<TxPlan> p;
        // The retirement account: yearly contributions, all distributions reinvested.
        for (int y = 2017; y <= 2026; ++y) {
            p.push_back({D(y, 1, 9), ira, "Sample Growth", TxPlan::BuyAmount, 2500});
            p.push_back({D(y, 1, 9), ira, "Demo Bond Index", TxPlan::BuyAmount, 1500});
            p.push_back({D(y, 1, 9), ira, "Sample Value", TxPlan::BuyAmount, 1000});
        }
        p.push_back({D(2017, 1, 9), ira, "Sample Intl Gr", TxPlan::BuyAmount, 4000});
        p.push_back({D(2019, 5, 13), ira, "Sample Intl Gr", TxPlan::SellFraction, 0.5});
        p.push_back({D(2020, 3, 24), ira, "Demo Tech Growth", TxPlan::BuyAmount, 6000});
        p.push_back({D(2024, 11, 18), ira, "Demo Tech Growth", TxPlan::SellFraction, 0.3});
        p.push_back({D(2024, 11, 18), ira, "$Sample MoneyMkt", TxPlan::BuyAmount, 5000});

        // The joint account: stocks (one splits two for one), cash dividends on one,
        // a position closed, capital gains only reinvested in an income fund.
        p.push_back({D(2017, 3, 6), joint, "Sample Tools Co", TxPlan::BuyAmount, 6000});
        p.push_back({D(2018, 8, 20), joint, "Sample Tools Co", TxPlan::BuyAmount, 3000});
        p.push_back({D(2017, 3, 6), joint, "Demo Rail Co", TxPlan::BuyAmount, 5000});
        p.push_back({D(2023, 9, 11), joint, "Demo Rail Co", TxPlan::SellAll, 0});
        p.push_back({D(2017, 2, 1), joint, "$Sample MoneyMkt", TxPlan::BuyAmount, 10000});
        p.push_back({D(2021, 10, 4), joint, "$Sample MoneyMkt", TxPlan::SellShares, 4000});
        p.push_back({D(2018, 1, 16), joint, "Demo Equity Inc", TxPlan::BuyAmount, 8000});
        p.push_back({D(2022, 6, 20), joint, "Demo Equity Inc", TxPlan::BuyAmount, 4000});
        p.push_back({D(2019, 2, 11), joint, "Sample Gold Fund", TxPlan::BuyAmount, 2000});

        // The trust: bonds for income paid out in cash, and one growth fund.
        p.push_back({D(2017, 6, 5), trust, "Demo Corp Bond", TxPlan::BuyAmount, 20000});
        p.push_back({D(2017, 6, 5), trust, "Sample Muni Bond", TxPlan::BuyAmount, 15000});
        p.push_back({D(2017, 6, 5), trust, "Sample Dividend", TxPlan::BuyAmount, 10000});
        p.push_back({D(2021, 12, 6), trust, "Sample Dividend", TxPlan::SellFraction, 0.25});
        p.push_back({D(2023, 2, 6), trust, "Demo High Yield", TxPlan::BuyAmount, 7500});
        p.push_back({D(2025, 4, 7), trust, "Demo Mid Cap Gr", TxPlan::BuyAmount, 5000});

        const std::map<std::pair<QString, QString>, QString> options{
            {{joint, "Demo Rail Co"}, "None"},
            {{joint, "Demo Equity Inc"}, "CapGain"},
            {{trust, "Demo Corp Bond"}, "None"},
            {{trust, "Sample Muni Bond"}, "None"},
            {{trust, "Demo High Yield"}, "None"},
            {{trust, "Sample Dividend"}, "CapGain"},
        };
        activity(p, options);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: orv-mkexample <outdir> [<templatesdir>]\n");
        return 2;
    }
    const QString templates =
        args.size() == 3 ? args[2] : QCoreApplication::applicationDirPath() + QStringLiteral("/DBTemplates");
    // Texts stored in the tables (transaction comments) use the program's US formats.
    initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));

    QTemporaryDir scratch;
    if (!scratch.isValid())
        die(QStringLiteral("cannot create a scratch folder"));
    for (const auto& def : store::tableDefs()) {
        const QString name = store::tableFileName(def.name);
        if (!QFile::copy(QDir(templates).filePath(name), scratch.filePath(name)))
            die(QStringLiteral("cannot copy the template ") + QDir(templates).filePath(name));
        QFile::setPermissions(scratch.filePath(name), QFile::ReadOwner | QFile::WriteOwner);
    }

    {
        ORVDataModule dm;
        check(dm.open(scratch.path()), QStringLiteral("open"));
        Generator g{dm, {}, {}};
        Rng rng(kSeed);
        const std::vector<Day> days = weekdays();
        const std::vector<double> market = marketMoves(days, rng);
        for (const auto& s : issueSpecs()) {
            Issue is;
            is.def = s;
            generate(is, days, market, rng);
            g.issues.push_back(std::move(is));
        }

        Transaction all(dm);
        if (!all.started())
            die(QStringLiteral("cannot start a transaction"));
        g.headings();
        g.allocationTitles();
        g.entries();
        g.prices();
        g.portfolios();
        std::vector<int> ids;
        for (const auto& is : g.issues)
            ids.push_back(is.mlID);
        need(RebuildIssues(dm, ids, g.quiet), QStringLiteral("rebuild"));
        check(all.commit(), QStringLiteral("commit"));
        dm.close();
    }

    const QDir out(args[1]);
    if (!out.mkpath(QStringLiteral(".")))
        die(QStringLiteral("cannot create ") + args[1]);
    for (const auto& def : store::tableDefs()) {
        const QString name = store::tableFileName(def.name);
        check(store::validateTableFile(scratch.filePath(name), def.name), name);
        const QString target = out.filePath(name);
        const QString tmp = target + QStringLiteral(".tmp");
        QFile::remove(tmp);
        if (!QFile::copy(scratch.filePath(name), tmp))
            die(QStringLiteral("cannot write ") + tmp);
        if (std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(target).constData()) != 0)
            die(QStringLiteral("cannot write ") + target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return 0;
}
