#include "core/select/QuickReport.h"

#include "core/base/Format.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>
#include <cmath>

namespace orv {

namespace {
QString noData()
{
    return QStringLiteral("No data");
}
}  // namespace

QString QuickMLReportData::headingRight(QuickReportMode mode) const
{
    if (multipleList)
        return {};
    if (holdings.empty())
        return QStringLiteral("None");
    return mode == QuickReportMode::Value ? QStringLiteral("$ Value") : QStringLiteral("share balance");
}

std::vector<QuickReportLine> QuickMLReportData::lines(QuickReportMode mode) const
{
    std::vector<QuickReportLine> out;
    if (multipleList) {
        for (const QString& name : listedPortfolios)
            out.push_back({name.left(12), QString()});
    } else {
        for (const QuickReportHolding& h : holdings)
            out.push_back({h.portfolio.left(12), quickReportAmount(h.shares, lastPriceValue, mode)});
    }
    if (out.empty())
        out.push_back({});
    return out;
}

QString quickReportAmount(double shares, double lastPrice, QuickReportMode mode)
{
    QString text;
    if (std::fabs(shares) < kClosedShares)
        text = QStringLiteral("Closed");
    else if (mode == QuickReportMode::Shares)
        text = fmtPrice4(shares);
    else if (lastPrice > -999999999.999)
        text = fmtMoney(shares * lastPrice);
    else
        text = QStringLiteral("No last price");
    return text.left(20);
}

std::optional<QuickMLReportData> buildQuickMLReport(ORVDataModule& dm, int mlID, const QString& tempPath)
{
    auto entry = store::masterListEntry(dm, mlID);
    if (!entry)
        return std::nullopt;
    QuickMLReportData r;
    r.MLID = mlID;
    r.caption = entry->ShortName.trimmed();
    r.ticker = entry->Ticker.trimmed();
    r.icdi = entry->ICDINumber.trimmed();

    // First and last price records (IndxPri order).
    const QString prices = ORVDataModule::qualified(store::TableId::Prices);
    {
        auto q = dm.query(QStringLiteral("SELECT MIN(Date), MAX(Date) FROM ") + prices + QStringLiteral(" WHERE MLID = ?1"));
        q.bind(1, mlID);
        if (q.next() && !q.isNull(0)) {
            r.beginDate = fmtDate(Day(std::floor(q.real(0) + 1e-9)));
            r.endDate = fmtDate(Day(std::floor(q.real(1) + 1e-9)));
        } else {
            r.beginDate = r.endDate = noData();
        }
    }
    {
        auto q = dm.query(QStringLiteral("SELECT Price FROM ") + prices
                          + QStringLiteral(" WHERE MLID = ?1 ORDER BY Date DESC LIMIT 1"));
        q.bind(1, mlID);
        if (q.next() && !q.isNull(0)) {
            r.lastPriceValue = q.real(0);
            r.lastPrice = fmtPrice(r.lastPriceValue);
        } else {
            r.lastPriceValue = kNoPrice;
            r.lastPrice = noData();
        }
    }
    {
        auto q = dm.query(QStringLiteral("SELECT MAX(ExDate) FROM ")
                          + ORVDataModule::qualified(store::TableId::Distributions) + QStringLiteral(" WHERE MLID = ?1"));
        q.bind(1, mlID);
        if (q.next() && !q.isNull(0))
            r.lastDsbDate = fmtDate(Day(std::floor(q.real(0) + 1e-9)));
        else
            r.lastDsbDate = noData();
    }

    // The "[Pf]Multiple" list file, when it is there.
    if (r.caption.contains(QStringLiteral("[Pf]Multiple"))) {
        QFile f(tempPath + r.caption + QStringLiteral(".TXT"));
        if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            r.multipleList = true;
            QTextStream in(&f);
            while (!in.atEnd()) {
                const QString line = in.readLine().trimmed();
                if (!line.isEmpty())
                    r.listedPortfolios << line;
            }
            return r;
        }
    }

    // Holdings of every portfolio, by portfolio short name.
    auto q = dm.query(QStringLiteral("SELECT p.ShortName, t.Shares FROM ")
                      + ORVDataModule::qualified(store::TableId::TransxSummary) + QStringLiteral(" t JOIN ")
                      + ORVDataModule::qualified(store::TableId::Portfolio)
                      + QStringLiteral(" p ON p.PfID = t.PfID WHERE t.MLID = ?1"));
    q.bind(1, mlID);
    while (q.next())
        r.holdings.push_back({q.text(0).trimmed(), q.isNull(1) ? 0.0 : q.real(1)});
    QCollator collator(formatsLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(r.holdings.begin(), r.holdings.end(), [&](const QuickReportHolding& a, const QuickReportHolding& b) {
        return collator.compare(a.portfolio, b.portfolio) < 0;
    });
    return r;
}

}  // namespace orv
