// Guards orvane-cli dsb list/add/delete against: a refusal of the dialog's checks
// (weekend ex-date, ex-date after the last price, record date after the ex-date,
// zero total or reinvest price, duplicate ex-date, Linear type, unknown name, bad
// options) reported as success or changing the data; a split saved without its
// computed total; adjusted prices not rebuilt after add or delete;
// --reinvest-portfolios writing other transactions than the automatic entry;
// delete --with-transactions removing more than that day's Income and CapGain
// transactions or leaving holdings stale; and list not showing newest first.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "core/base/Progress.h"
#include "core/portfolios/HoldingsSummary.h"
#include "core/prices/AdjPrices.h"
#include "core/store/DataFiles.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "core/store/Schema.h"

using namespace orv;

namespace {

struct Run {
    int rc = -1;
    QString out, err;
};

constexpr Day kMonday = 44998;  // 2023-03-13

QString iso(Day d) { return dateFromDay(d).toString(Qt::ISODate); }

}  // namespace

class TestCliDsb : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;
    QString data_;
    int fund_ = 0, pf_ = 0;

    Run cli(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORV_USER_PATH", tmp_->filePath("user"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ORV_BIN_DIR "/orvane-cli"),
                QStringList{"--user-path", tmp_->filePath("user"), "--data-path", data_} + args);
        if (!p.waitForFinished(60000))
            qFatal("orvane-cli did not finish");
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    template <typename F>
    void withData(F f)
    {
        ORVDataModule dm;
        QVERIFY(dm.open(data_).ok());
        f(dm);
        dm.close();
    }

private Q_SLOTS:
    void init()
    {
        tmp_ = new QTemporaryDir;
        data_ = tmp_->filePath("data");
        QVERIFY(QDir().mkpath(data_));
        const QDir templates(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
        for (const QString& f : templates.entryList({"*.FF2"})) {
            QVERIFY(QFile::copy(templates.filePath(f), data_ + '/' + f));
            QFile::setPermissions(data_ + '/' + f, QFile::ReadOwner | QFile::WriteOwner);
        }
        withData([this](ORVDataModule& dm) {
            MasterListRec e;
            e.ShortName = "Fund";
            e.Type = "Mutual Fund";
            fund_ = int(*store::insertMasterList(dm, e));
            e.ShortName = "-Line";
            e.Type = "Linear type";
            e.RowNum = 2;
            const int line = int(*store::insertMasterList(dm, e));
            for (int ml : {fund_, line})
                for (int w = 0; w < 4; ++w)
                    for (int d = 0; d < 5; ++d)
                        QVERIFY(StorePrice(dm, ml, 25.0, kMonday + 7 * w + d).ok());
            NullProgress p;
            QVERIFY(RebuildIssue(dm, fund_, p).ok());
            PortfolioRec pf;
            pf.ShortName = "P";
            pf_ = int(*store::insertPortfolio(dm, pf));
            TransactionRec t;
            t.PfID = pf_;
            t.MLID = fund_;
            t.Date = kMonday;
            t.BuySell = "Buy";
            t.Shares = 200;
            t.Amount = 5000;
            t.Type = "Usual";
            QVERIFY(store::insertTransaction(dm, t).ok());
            QVERIFY(UpdateHoldingsSummary(dm, pf_, fund_).ok());
        });
    }
    void cleanup() { delete tmp_; }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        const QString ok = iso(kMonday + 7);
        QTest::newRow("sunday") << QStringList{"Fund", iso(kMonday + 6), "--reinvest-price", "25", "--total", "1"}
                                << "Ex-Date cannot be a Saturday or Sunday.";
        QTest::newRow("record after ex")
            << QStringList{"Fund", ok, "--reinvest-price", "25", "--total", "1", "--record-date", iso(kMonday + 8)}
            << "Record Date cannot be later than the Ex-Date.";
        QTest::newRow("after last price") << QStringList{"Fund", iso(kMonday + 28), "--reinvest-price", "25", "--total", "1"}
                                          << "Ex-Date cannot be after date of last price: ";
        QTest::newRow("zero total") << QStringList{"Fund", ok, "--reinvest-price", "25", "--total", "0"}
                                    << "Total distribution must be greater than zero.";
        QTest::newRow("split without price") << QStringList{"Fund", ok, "--reinvest-price", "0", "--split", "2"}
                                             << "Reinvest price cannot be zero.";
        QTest::newRow("linear type") << QStringList{"-Line", ok, "--reinvest-price", "25", "--total", "1"}
                                     << "No distributions for Linear Type.";
        QTest::newRow("unknown") << QStringList{"Nope", ok, "--reinvest-price", "25", "--total", "1"} << "not found";
        QTest::newRow("split and total") << QStringList{"Fund", ok, "--reinvest-price", "25", "--total", "1", "--split", "2"}
                                         << "usage:";
        QTest::newRow("bad date") << QStringList{"Fund", "13/03/2023", "--reinvest-price", "25", "--total", "1"}
                                  << "yyyy-mm-dd";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        const Run r = cli(QStringList{"dsb", "add"} + args);
        QVERIFY(r.rc != 0);
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
        withData([this](ORVDataModule& dm) { QVERIFY(store::distributionsOf(dm, fund_).empty()); });
    }

    void addListDelete()
    {
        // A split: total computed, adjusted prices halved before the ex-date.
        Run r = cli({"dsb", "add", "Fund", iso(kMonday + 14), "--reinvest-price", "25", "--split", "2",
                     "--reinvest-portfolios"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        QVERIFY(r.out.contains("Entered 1 transaction(s)"));
        // Income and capital gain, entered in the portfolio (reinvest "All").
        r = cli({"dsb", "add", "Fund", iso(kMonday + 21), "--reinvest-price", "25", "--total", "1.75", "--income",
                 "0.5", "--capgain", "1.25", "--reinvest-portfolios"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        r = cli({"dsb", "add", "Fund", iso(kMonday + 21), "--reinvest-price", "25", "--total", "3"});
        QVERIFY(r.rc != 0);
        QVERIFY(r.err.contains("Disbritubion already exists for Ex-Date."));

        r = cli({"dsb", "list", "Fund", "--tsv"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        const QStringList lines = r.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].startsWith(iso(kMonday + 21) + '\t'));
        QCOMPARE(lines[2].split('\t').value(3), QStringLiteral("25"));  // the split's total

        withData([this](ORVDataModule& dm) {
            // 200 -> split +200 -> income 400*0.5/25 = 8, gain 400*1.25/25 = 20.
            QCOMPARE(store::holding(dm, pf_, fund_)->Shares, 428.0);
            for (const auto& p : store::pricesOf(dm, fund_))
                if (p.Date < kMonday + 14)
                    QVERIFY(std::fabs(p.AdjPrice - 12.5 * 25 / 26.75) < 1e-9);
            // A usual buy on the later ex-date, which a delete must keep.
            TransactionRec t;
            t.PfID = pf_;
            t.MLID = fund_;
            t.Date = kMonday + 21;
            t.BuySell = "Buy";
            t.Shares = 1;
            t.Amount = 25;
            t.Type = "Usual";
            QVERIFY(store::insertTransaction(dm, t).ok());
            QVERIFY(UpdateHoldingsSummary(dm, pf_, fund_).ok());
        });

        r = cli({"dsb", "delete", "Fund", iso(kMonday + 22)});
        QVERIFY(r.rc != 0);
        r = cli({"dsb", "delete", "Fund", iso(kMonday + 21), "--with-transactions"});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        QVERIFY(r.out.contains("Deleted 2 transaction(s)"));
        withData([this](ORVDataModule& dm) {
            QCOMPARE(store::distributionsOf(dm, fund_).size(), size_t(1));
            QCOMPARE(store::holding(dm, pf_, fund_)->Shares, 401.0);
            for (const auto& p : store::pricesOf(dm, fund_))
                QCOMPARE(p.AdjPrice, p.Date < kMonday + 14 ? 12.5 : 25.0);
        });
        // Without the flag the split's buy stays.
        r = cli({"dsb", "delete", "Fund", iso(kMonday + 14)});
        QVERIFY2(r.rc == 0, qPrintable(r.err));
        withData([this](ORVDataModule& dm) {
            QVERIFY(store::distributionsOf(dm, fund_).empty());
            QCOMPARE(store::holding(dm, pf_, fund_)->Shares, 401.0);
        });
    }
};

QTEST_GUILESS_MAIN(TestCliDsb)
#include "tst_dsb.moc"
