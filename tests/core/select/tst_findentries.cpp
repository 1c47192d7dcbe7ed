// Guards the Find window's data: the entry count rule (nine entries refused
// with its message, ten allowed), the sort by each field with the locale's
// case-insensitive comparison and blanks first (a case-sensitive or byte-wise
// sort would put "alpha" after "Zeta"), stable order among equal values, the
// cut of each field to its record length, and the location of an entry's cell
// by its short name.
#include <QtTest>

#include "SelectFixture.h"
#include "core/select/FindEntries.h"

using namespace orv;

namespace {
TMLEntry E(const char* name, const char* ticker = "", const char* icdi = "", const char* cusip = "")
{
    return {QString::fromUtf8(name), QString::fromUtf8(ticker), QString::fromUtf8(icdi), QString::fromUtf8(cusip)};
}
QStringList names(const TMLEntryArray& a)
{
    QStringList out;
    for (const TMLEntry& e : a)
        out << e.ShortName;
    return out;
}
}  // namespace

class TestFindEntries : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sortByField_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("expected");
        // Input order: Zeta, alpha, Beta, $Money, Gamma, beta2
        QTest::newRow("name, case-insensitive") << int(FindField::Name)
                                                << QStringList{"$Money", "alpha", "Beta", "beta2", "Gamma", "Zeta"};
        QTest::newRow("ticker, blanks first") << int(FindField::Ticker)
                                              << QStringList{"alpha", "Gamma", "$Money", "beta2", "Beta", "Zeta"};
        QTest::newRow("ICDI, blanks first, ties stay") << int(FindField::ICDINumber)
                                                       << QStringList{"Zeta", "Beta", "$Money", "alpha", "beta2", "Gamma"};
        QTest::newRow("CUSIP") << int(FindField::CUSIP)
                               << QStringList{"alpha", "Gamma", "beta2", "Zeta", "Beta", "$Money"};
    }
    void sortByField()
    {
        QFETCH(int, field);
        QFETCH(QStringList, expected);
        TMLEntryArray a{E("Zeta", "ZZZ", "", "a1"),   E("alpha", "", "123", ""),  E("Beta", "xyz", "", "B9"),
                        E("$Money", "mmm", "055", "C1"), E("Gamma", "", "999", ""), E("beta2", "Nop", "123", "")};
        sortMLEntryArray(a, FindField(field), QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(names(a), expected);
    }

    void findNeedsTenEntries_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("empty") << 0 << false;
        QTest::newRow("nine") << 9 << false;
        QTest::newRow("ten") << 10 << true;
        QTest::newRow("eleven") << 11 << true;
    }
    void findNeedsTenEntries()
    {
        QFETCH(int, entries);
        QFETCH(bool, allowed);
        testing::DataPathFixture fx;
        QVERIFY(fx.ok());
        for (int i = 0; i < entries; ++i)
            QVERIFY(fx.addEntry(QStringLiteral("Fund %1").arg(i), i % 3, i / 3 + 1) > 0);
        Status st = canOpenFind(fx.dm());
        QCOMPARE(st.ok(), allowed);
        if (!allowed) {
            QCOMPARE(st.message().text, QStringLiteral("Feature meant for large number of Master List entries."));
            QCOMPARE(st.message().type, MsgType::Information);
            QVERIFY(st.message().beep);
        }
    }

    void loadCutsAndLocates()
    {
        testing::DataPathFixture fx;
        QVERIFY(fx.ok());
        QVERIFY(fx.addEntry(QStringLiteral("Second"), 1, 1, QStringLiteral("SEC"), QStringLiteral("12345"),
                            QStringLiteral("123456789012")) > 0);
        QVERIFY(fx.addEntry(QStringLiteral("First"), 0, 3, QStringLiteral("FIRSTXXX")) > 0);
        QVERIFY(fx.addEntry(QStringLiteral("Sixteen chars ab"), 2, 7) > 0);
        const TMLEntryArray a = loadMLEntryArray(fx.dm());
        QCOMPARE(names(a), (QStringList{"First", "Second", "Sixteen chars ab"}));  // table order: column, row
        QCOMPARE(a[1].CUSIP, QStringLiteral("123456789012"));
        QCOMPARE(a[0].Ticker, QStringLiteral("FIRSTXXX"));

        auto cell = locateEntryCell(fx.dm(), QStringLiteral("Second"));
        QVERIFY(cell);
        QCOMPARE(cell->row, 1);
        QCOMPARE(cell->col, 1);
        cell = locateEntryCell(fx.dm(), QStringLiteral("Sixteen chars ab"));
        QVERIFY(cell);
        QCOMPARE(cell->row, 7);
        QCOMPARE(cell->col, 2);
        QVERIFY(!locateEntryCell(fx.dm(), QStringLiteral("Nobody")));
        QVERIFY(!locateEntryCell(fx.dm(), QString()));
    }
};

QTEST_GUILESS_MAIN(TestFindEntries)
#include "tst_findentries.moc"
