// Guards the portfolio, transaction and holdings verbs of orvane-cli: refusals
// that must go to standard error with a non-zero exit and change nothing
// (duplicate or blank names, unknown portfolio or security, Linear type, an issue
// without prices, a bad Buy/Sell), the share price filled from the price on the
// date, "Usual" stored as empty text, the holdings summary following adds and
// deletes, the bulk deletions and the delete cascade of a portfolio.
#include "core/store/DataModule.h"
#include "core/store/Records.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "EmptyUserFolder.h"
#include <QtTest>

using namespace orv;

namespace {

struct Run {
    int code = -1;
    QString out, err;
    // The output lines (tabs at the end of a line are kept).
    QStringList lines() const
    {
        QStringList l = out.split('\n');
        if (!l.isEmpty() && l.last().isEmpty())
            l.removeLast();
        return l;
    }
};

class CliFolder {
public:
    QTemporaryDir tmp;
    CliFolder() { prepareEmptyUserFolder(tmp.path()); }

    Run run(const QStringList& args) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORV_USER_PATH"), tmp.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ORV_BIN_DIR "/orvane-cli"), args);
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    // The data folder the CLI made on its first run.
    QString dataPath() const { return QDir(tmp.path()).filePath(QStringLiteral("DataTables")); }

    // Writes Master List entries and prices directly (the CLI has no verb for them).
    void seed()
    {
        const Run first = run({"portfolio", "list"});
        QCOMPARE(first.code, 0);
        ORVDataModule dm;
        QVERIFY2(dm.open(dataPath()).ok(), qPrintable(dataPath()));
        const QList<QPair<QString, QString>> entries{
            {"FUND", "Mutual Fund"}, {"MMF", "Money Market Fund"}, {"-LIN", "Linear type"}, {"NOPRICE", "Stock"}};
        int row = 1;
        for (const auto& [name, type] : entries) {
            MasterListRec r;
            r.ShortName = name;
            r.Type = type;
            r.RowNum = row++;
            const auto id = store::insertMasterList(dm, r);
            QVERIFY(id.ok());
            if (name == "NOPRICE")
                continue;
            PriceRec p;
            p.MLID = int(*id);
            p.Date = dayFromDate(QDate(2024, 3, 1));
            p.Price = name == "MMF" ? 1.0 : 12.5;
            QVERIFY(store::storePriceRow(dm, p).ok());
        }
        dm.close();
    }
};

}  // namespace

class TestPortfolioCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void portfolioAddListDelete()
    {
        CliFolder f;
        QCOMPARE(f.run({"portfolio", "add", "ira-john", "--long", "John IRA", "--account", "A-1"}).code, 0);
        QCOMPARE(f.run({"portfolio", "add", "IRA2"}).code, 0);
        const Run dup = f.run({"portfolio", "add", "ira2"});
        QVERIFY(dup.code != 0);
        QVERIFY2(dup.err.contains("A portfolio named IRA2 already exists."), qPrintable(dup.err));
        const Run blank = f.run({"portfolio", "add", "  "});
        QVERIFY(blank.code != 0);
        QVERIFY(blank.err.contains("Short Name must not be blank."));
        const Run list = f.run({"portfolio", "list", "--tsv"});
        QCOMPARE(list.code, 0);
        const QStringList lines = list.lines();
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].startsWith("IRA-JOHN\tJohn IRA\t\tA-1"));
        QVERIFY(lines[2].startsWith("IRA2\t"));
        const Run missing = f.run({"portfolio", "delete", "NOPE"});
        QVERIFY(missing.code != 0);
        QVERIFY(missing.err.contains("Portfolio NOPE not found."));
        QCOMPARE(f.run({"portfolio", "delete", "ira2"}).code, 0);
        QCOMPARE(f.run({"portfolio", "list", "--tsv"}).lines().size(), 2);
    }

    void txAdd_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("refusal");  // empty: added
        QTest::addColumn<QString>("listed");   // the tx list --tsv line without its sequence
        QTest::newRow("price from date, amount completed")
            << QStringList{"IRA", "FUND", "2024-03-01", "Buy", "100", "0"} << ""
            << "IRA\tFUND\t2024-03-01\tBuy\t100\t1250\t12.5\t0\t0\t0\tUsual\t";
        QTest::newRow("shares completed from amount")
            << QStringList{"IRA", "FUND", "2024-03-01", "buy", "0", "1000", "--comment", "x"} << ""
            << "IRA\tFUND\t2024-03-01\tBuy\t80\t1000\t12.5\t0\t0\t0\tUsual\tx";
        QTest::newRow("money market without price on the date")
            << QStringList{"IRA", "MMF", "2024-03-04", "Sell", "0", "50", "--type", "income"} << ""
            << "IRA\tMMF\t2024-03-04\tSell\t50\t50\t1\t0\t0\t0\tIncome\t";
        QTest::newRow("given price kept") << QStringList{"IRA", "FUND", "2024-03-01", "Buy", "10", "130", "--price",
                                                         "13", "--commission", "4.95"}
                                          << "" << "IRA\tFUND\t2024-03-01\tBuy\t10\t130\t13\t4.95\t0\t0\tUsual\t";
        QTest::newRow("linear type") << QStringList{"IRA", "-LIN", "2024-03-01", "Buy", "1", "1"}
                                     << "No transactions allowed for Linear Type." << "";
        QTest::newRow("no price at all") << QStringList{"IRA", "NOPRICE", "2024-03-01", "Buy", "1", "1"}
                                         << "A closing price must first be entered." << "";
        QTest::newRow("unknown portfolio") << QStringList{"NOPE", "FUND", "2024-03-01", "Buy", "1", "1"}
                                           << "Portfolio NOPE not found." << "";
        QTest::newRow("bad side") << QStringList{"IRA", "FUND", "2024-03-01", "Hold", "1", "1"}
                                  << "Buy/Sell must be \"Buy\" or \"Sell\"." << "";
        QTest::newRow("bad date") << QStringList{"IRA", "FUND", "03/01/2024", "Buy", "1", "1"}
                                  << "DATE must be given as yyyy-mm-dd" << "";
    }
    void txAdd()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, refusal);
        QFETCH(QString, listed);
        CliFolder f;
        f.seed();
        QCOMPARE(f.run({"portfolio", "add", "IRA"}).code, 0);
        const Run r = f.run(QStringList{"tx", "add"} + args);
        if (!refusal.isEmpty()) {
            QVERIFY(r.code != 0);
            QVERIFY2(r.err.contains(refusal), qPrintable(r.err));
            QCOMPARE(f.run({"tx", "list", "--tsv"}).lines().size(), 1);  // header only
            QCOMPARE(f.run({"holdings", "--tsv"}).lines().size(), 1);
            return;
        }
        QCOMPARE(r.code, 0);
        const QStringList lines = f.run({"tx", "list", "--tsv"}).lines();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1].section('\t', 1), listed);
        // Stored as empty text in the table.
        ORVDataModule dm;
        QVERIFY(dm.open(f.dataPath()).ok());
        Query q = dm.query(QStringLiteral("SELECT Type FROM %1").arg(ORVDataModule::qualified(store::TableId::Transactions)));
        QVERIFY(q.next());
        QCOMPARE(q.text(0), args.contains("income") ? QString("Income") : QString());
    }

    void holdingsFollowAndBulkDelete()
    {
        CliFolder f;
        f.seed();
        for (const char* p : {"A", "B"})
            QCOMPARE(f.run({"portfolio", "add", p}).code, 0);
        for (const char* p : {"A", "B"})
            for (const char* ml : {"FUND", "MMF"}) {
                QCOMPARE(f.run({"tx", "add", p, ml, "2024-03-01", "Buy", "100", "0"}).code, 0);
                QCOMPARE(f.run({"tx", "add", p, ml, "2024-03-01", "Sell", "40", "0"}).code, 0);
            }
        Run h = f.run({"holdings", "A", "--tsv"});
        QCOMPARE(h.code, 0);
        QCOMPARE(h.lines().mid(1), (QStringList{"A\tFUND\t60\tAll\t\t", "A\tMMF\t60\tAll\t\t"}));

        QCOMPARE(f.run({"holding", "set", "A", "FUND", "--reinvest", "capgain", "--account", "X1"}).code, 0);
        const Run bad = f.run({"holding", "set", "A", "NOPRICE", "--phone", "1"});
        QVERIFY(bad.code != 0);
        QVERIFY(bad.err.contains("No transaction entered yet."));
        QVERIFY(f.run({"holding", "set", "A", "FUND", "--reinvest", "Some"}).code != 0);
        h = f.run({"holdings", "A", "--tsv"});
        QVERIFY2(h.out.contains("A\tFUND\t60\tCapGain\tX1\t"), qPrintable(h.out));

        // One transaction by its sequence: the holding follows.
        const QStringList rows = f.run({"tx", "list", "--portfolio", "A", "--security", "FUND", "--tsv"})
                                     .lines();
        QCOMPARE(rows.size(), 3);
        QCOMPARE(f.run({"tx", "delete", rows[2].section('\t', 0, 0)}).code, 0);
        QVERIFY(f.run({"holdings", "A", "--tsv"}).out.contains("A\tFUND\t100\tCapGain\tX1\t"));
        QVERIFY(f.run({"tx", "delete", rows[2].section('\t', 0, 0)}).code != 0);

        // All of one issue in every portfolio.
        QCOMPARE(f.run({"tx", "delete", "--all", "--security", "MMF"}).code, 0);
        QCOMPARE(f.run({"holdings", "--tsv"}).lines().mid(1),
                 (QStringList{"A\tFUND\t100\tCapGain\tX1\t", "B\tFUND\t60\tAll\t\t"}));
        // Deleting a portfolio takes its transactions and holdings along.
        QCOMPARE(f.run({"portfolio", "delete", "B"}).code, 0);
        QCOMPARE(f.run({"tx", "list", "--tsv"}).lines().size(), 2);
        QCOMPARE(f.run({"tx", "delete", "--all"}).code, 0);
        QCOMPARE(f.run({"holdings", "--tsv"}).lines().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPortfolioCli)
#include "tst_portfoliocli.moc"
