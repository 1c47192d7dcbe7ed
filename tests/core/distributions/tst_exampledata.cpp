// Guards the example data a new user starts with: table files that do not pass
// the store's validation, missing or thin content (entries, headed columns,
// prices, distributions, allocations, portfolios), holdings that disagree with
// the transactions, adjusted prices that a rebuild would change, reinvestment
// transactions that do not match their distribution, and a first start in an
// empty user folder that does not use the example tables (template warning).
#include "core/base/Format.h"
#include "core/base/Progress.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/distributions/Distributions.h"
#include "core/prices/AdjPrices.h"
#include "core/store/DataFiles.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "core/store/Schema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <map>
#include <set>

using namespace orv;
using namespace orv::store;

namespace {
const QString kExample = QStringLiteral(ORV_BIN_DIR "/Example Data");

qint64 count(ORVDataModule& dm, TableId t)
{
    Query q = dm.query(QStringLiteral("SELECT count(*) FROM %1").arg(ORVDataModule::qualified(t)));
    return q.next() ? q.int64(0) : -1;
}
}  // namespace

class TestExampleData : public QObject {
    Q_OBJECT
private:
    QTemporaryDir tmp_;
    ORVDataModule dm_;

private Q_SLOTS:
    void initTestCase()
    {
        initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(tmp_.isValid());
        // A copy: the tests must not change the built files.
        const QString data = tmp_.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(data));
        for (const auto& def : tableDefs()) {
            const QString name = tableFileName(def.name);
            QVERIFY2(QFile::exists(QDir(kExample).filePath(name)), qPrintable(name));
            QVERIFY(QFile::copy(QDir(kExample).filePath(name), QDir(data).filePath(name)));
            QFile::setPermissions(QDir(data).filePath(name), QFile::ReadOwner | QFile::WriteOwner);
        }
        const Status st = dm_.open(data);
        QVERIFY2(st.ok(), st.ok() ? "" : qPrintable(st.message().text));
    }
    void cleanupTestCase() { dm_.close(); }

    void filesValidate()
    {
        const QDir dir(kExample);
        QCOMPARE(dir.entryList({QStringLiteral("*.FF2")}, QDir::Files).size(), 9);
        for (const auto& def : tableDefs()) {
            const Status st = validateTableFile(dir.filePath(tableFileName(def.name)), def.name);
            QVERIFY2(st.ok(), st.ok() ? "" : qPrintable(st.message().text));
        }
    }

    void contentCounts()
    {
        const auto ml = masterList(dm_);
        QVERIFY(ml.size() >= 25 && ml.size() <= 35);
        QCOMPARE(count(dm_, TableId::AssetAllocValues), qint64(ml.size()) * 10);
        QCOMPARE(count(dm_, TableId::AssetAllocHdrs), qint64(10));
        QCOMPARE(count(dm_, TableId::MasterListColHdrs), qint64(100));
        QVERIFY(count(dm_, TableId::Portfolio) >= 2);
        QVERIFY(count(dm_, TableId::Distributions) >= 200);
        QVERIFY(count(dm_, TableId::Transactions) >= 100);

        // Every type appears; the signed types carry their sign; columns 0 to 4 are used.
        std::set<QString> types;
        std::set<int> cols;
        for (const auto& e : ml) {
            types.insert(e.Type);
            cols.insert(e.ColNum);
            if (e.Type == QLatin1String("Money Market Fund"))
                QVERIFY(e.ShortName.startsWith('$'));
            if (e.Type == QLatin1String("Variable Annuity"))
                QVERIFY(e.ShortName.startsWith('~'));
            if (e.Type == QLatin1String("Linear type"))
                QVERIFY(e.ShortName.startsWith('-'));
            // About ten years of weekday prices each.
            const auto range = GetPriceDateRange(dm_, e.MLID);
            QVERIFY2(range.hasPrices && range.last - range.first > 3600, qPrintable(e.ShortName));
        }
        QCOMPARE(types.size(), size_t(6));
        QCOMPARE(cols, (std::set<int>{0, 1, 2, 3, 4}));
        Query h = dm_.query(QStringLiteral("SELECT Heading FROM %1 WHERE ColNum <= 5 ORDER BY ColNum")
                                .arg(ORVDataModule::qualified(TableId::MasterListColHdrs)));
        while (h.next())
            QVERIFY(!h.text(0).startsWith(QLatin1String("Column")));
        Query t = dm_.query(QStringLiteral("SELECT count(*) FROM %1 WHERE Title NOT LIKE 'Category%'")
                                .arg(ORVDataModule::qualified(TableId::AssetAllocHdrs)));
        QVERIFY(t.next() && t.int64(0) >= 3);
        Query w = dm_.query(QStringLiteral("SELECT count(*) FROM %1 WHERE CAST(Date AS INTEGER) % 7 IN (0, 1)")
                                .arg(ORVDataModule::qualified(TableId::Prices)));
        QVERIFY(w.next() && w.int64(0) == 0);
    }

    void holdingsMatchTransactions()
    {
        std::map<std::pair<int, int>, double> sums;
        for (const auto& t : allTransactions())
            sums[{t.PfID, t.MLID}] += t.BuySell == QLatin1String("Buy") ? t.Shares : -t.Shares;
        int rows = 0;
        for (const auto& pf : portfolios(dm_))
            for (const auto& h : holdingsOf(dm_, pf.PfID)) {
                ++rows;
                QVERIFY(sums.count({h.PfID, h.MLID}));
                QVERIFY(std::fabs(sums[{h.PfID, h.MLID}] - h.Shares) < 1e-6);
            }
        QCOMPARE(size_t(rows), sums.size());
    }

    void shownActivity()
    {
        // Reinvested and cash distributions, a split buy, sales and a closed position.
        int reinvested = 0, cash = 0, splits = 0, sales = 0;
        for (const auto& t : allTransactions()) {
            if (t.Type == QLatin1String("Income") || t.Type == QLatin1String("CapGain"))
                (t.BuySell == QLatin1String("Buy") ? reinvested : cash)++;
            else if (t.Comment.startsWith(QLatin1String("Split factor")))
                ++splits;
            else if (t.BuySell == QLatin1String("Sell"))
                ++sales;
        }
        QVERIFY(reinvested > 20);
        QVERIFY(cash > 20);
        QVERIFY(splits >= 1);
        QVERIFY(sales >= 3);
        bool closed = false;
        for (const auto& pf : portfolios(dm_))
            for (const auto& h : holdingsOf(dm_, pf.PfID))
                closed = closed || std::fabs(h.Shares) < 0.00005;
        QVERIFY(closed);
    }

    void reinvestmentsMatchDistributions()
    {
        // Each distribution transaction is what the automatic entry gives for the
        // holding of its ex-date.
        int checked = 0;
        for (const auto& pf : portfolios(dm_))
            for (const auto& h : holdingsOf(dm_, pf.PfID))
                for (const auto& d : distributionsOf(dm_, h.MLID)) {
                    const auto txs = transactionsOf(dm_, pf.PfID, h.MLID);
                    double before = 0;
                    std::vector<TransactionRec> onDay;
                    for (const auto& t : txs) {
                        if (t.Date == d.ExDate && (!t.Type.isEmpty() || t.Comment.startsWith("Split")))
                            onDay.push_back(t);
                        else if (t.Date <= d.ExDate)
                            before += t.BuySell == QLatin1String("Buy") ? t.Shares : -t.Shares;
                    }
                    const auto expected =
                        dsb::ReinvestmentTransactions(pf.PfID, h.MLID, before, h.Reinvest, dsb::DsbAmounts::of(d));
                    QCOMPARE(onDay.size(), expected.size());
                    for (size_t i = 0; i < onDay.size(); ++i) {
                        QCOMPARE(onDay[i].Shares, expected[i].Shares);
                        QCOMPARE(onDay[i].Amount, expected[i].Amount);
                        QCOMPARE(onDay[i].BuySell, expected[i].BuySell);
                        ++checked;
                    }
                }
        QVERIFY(checked > 40);
    }

    void adjustedPricesAreRebuilt()
    {
        const auto ml = masterList(dm_);
        for (const auto& e : ml) {
            const auto before = pricesOf(dm_, e.MLID);
            NullProgress p;
            QVERIFY(RebuildIssue(dm_, e.MLID, p));
            const auto after = pricesOf(dm_, e.MLID);
            QCOMPARE(after.size(), before.size());
            for (size_t i = 0; i < after.size(); ++i)
                QVERIFY2(std::fabs(after[i].AdjPrice - before[i].AdjPrice) <= 1e-9 * std::fabs(before[i].AdjPrice),
                         qPrintable(e.ShortName));
        }
    }

    void firstStartUsesExampleData()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("program"));
        for (const char* sub : {"DBTemplates", "Example Data"}) {
            const QDir src(QStringLiteral(ORV_BIN_DIR "/") + QLatin1String(sub));
            QVERIFY(QDir().mkpath(program + '/' + QLatin1String(sub)));
            for (const QString& f : src.entryList({QStringLiteral("*.FF2")}, QDir::Files))
                QVERIFY(QFile::copy(src.filePath(f), program + '/' + QLatin1String(sub) + '/' + f));
        }
        qputenv("ORV_USER_PATH", dir.filePath(QStringLiteral("user")).toLocal8Bit());
        appState().reset();
        QList<Message> warnings;
        session::createHandler(program, &warnings);
        QVERIFY(warnings.isEmpty());
        const Result<bool> opened = session::openDataPath();
        QVERIFY(opened.ok());
        QVERIFY2(!opened.value(), "no template table was needed");
        ORVDataModule* dm = session::dataModule();
        QVERIFY(dm);
        QCOMPARE(masterList(*dm).size(), masterList(dm_).size());
        QVERIFY(dm->MLDisplay.contains(1, 0));
        QCOMPARE(dm->MLDisplay.at(1, 0).shortName.trimmed(), masterListEntry(*dm, 1)->ShortName);
        session::shutdown();
        appState().reset();
    }

private:
    std::vector<TransactionRec> allTransactions()
    {
        std::vector<TransactionRec> out;
        for (const auto& pf : portfolios(dm_))
            for (const auto& t : transactionsOfPortfolio(dm_, pf.PfID))
                out.push_back(t);
        return out;
    }
};

QTEST_GUILESS_MAIN(TestExampleData)
#include "tst_exampledata.moc"
