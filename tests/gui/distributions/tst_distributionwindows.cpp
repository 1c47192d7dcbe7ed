// Guards the distribution windows against: the main window's Distributions
// command opening the list for a blank cell, a "Linear type" entry or an issue
// without prices (or not opening it otherwise); a refused save closing the dialog
// or storing the record; a duplicate ex-date stored; a cancelled edit changing the
// stored record; the automatic entry not opening after a save with an active
// portfolio, writing other figures than the reinvestment rules give, or writing
// for a skipped portfolio in confirmation mode; deletions that leave the other
// transactions' holdings stale or remove more than that day's distribution
// transactions; Edit and Delete enabled on an empty list; and the progress window
// "Write Distributions To Database" closing at the user's request.
#include <QtTest>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/distributions/Distributions.h"
#include "core/portfolios/HoldingsSummary.h"
#include "core/prices/PriceEntry.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/base/MessageDlg.h"
#include "gui/distributions/DispEnteredDsbs.h"
#include "gui/distributions/DsbAddEdit.h"
#include "gui/distributions/DsbAutoReinvest.h"
#include "gui/distributions/EditDsbs.h"
#include "gui/main/MainWindow.h"

using namespace orv;

namespace {

constexpr Day kMonday = 44998;

QDate qd(Day d) { return dateFromDay(d); }

}  // namespace

class TestDistributionWindows : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;
    QString program_;
    int fund_ = 0, pfA_ = 0, pfB_ = 0;

    ORVDataModule& dm() { return *session::dataModule(); }

    int addEntry(const QString& name, const QString& type, int row, int col)
    {
        MasterListRec e;
        e.ShortName = name;
        e.LongName = name + " long name";
        e.Type = type;
        e.RowNum = row;
        e.ColNum = col;
        const auto r = store::insertMasterList(dm(), e);
        if (!r)
            qFatal("insert failed: %s", qPrintable(r.message().text));
        return int(*r);
    }
    void addPrices(int mlID)
    {
        std::vector<std::pair<Day, double>> ps;
        for (int w = 0; w < 4; ++w)
            for (int d = 0; d < 5; ++d)
                ps.emplace_back(kMonday + 7 * w + d, 25.0);
        NullProgress bar;
        QVERIFY(prices::StorePricesAndUpdate(dm(), mlID, ps, bar).ok());
    }
    int addPf(const QString& name)
    {
        PortfolioRec r;
        r.ShortName = name;
        r.LongName = name + " account";
        return int(*store::insertPortfolio(dm(), r));
    }
    void buy(int pf, int ml, Day day, double shares, const QString& type = "Usual")
    {
        TransactionRec t;
        t.PfID = pf;
        t.MLID = ml;
        t.Date = day;
        t.BuySell = "Buy";
        t.Shares = shares;
        t.Amount = shares * 25;
        t.Type = type;
        QVERIFY(store::insertTransaction(dm(), t).ok());
        QVERIFY(UpdateHoldingsSummary(dm(), pf, ml).ok());
    }
    void setCurrent(int mlID)
    {
        const auto e = store::masterListEntry(dm(), mlID);
        appState().CurMLID = mlID;
        appState().CurMLShortName = e->ShortName;
        appState().CurMLLongName = e->LongName;
        appState().CurMLType = e->Type;
    }
    void makeProgram()
    {
        program_ = tmp_->filePath("program");
        QDir().mkpath(program_ + "/DBTemplates");
        const QDir templates(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
        for (const QString& f : templates.entryList({"*.FF2"}))
            QVERIFY(QFile::copy(templates.filePath(f), program_ + "/DBTemplates/" + f));
        qputenv("ORV_USER_PATH", tmp_->filePath("user").toLocal8Bit());
    }
    // A fund with four weeks of prices held by A (200 shares, reinvest "CapGain")
    // and B (100 shares), the current issue.
    void fixture()
    {
        fund_ = addEntry("Fund", "Mutual Fund", 1, 0);
        addPrices(fund_);
        pfA_ = addPf("A");
        pfB_ = addPf("B");
        buy(pfA_, fund_, kMonday, 200);
        buy(pfB_, fund_, kMonday, 100);
        QVERIFY(dm().exec("UPDATE " + ORVDataModule::qualified(store::TableId::TransxSummary) +
                          " SET Reinvest = 'CapGain' WHERE PfID = ?",
                          {pfA_}));
        dm().touchAll();
        setCurrent(fund_);
    }
    // Fills the dialog's fields.
    static void fill(TfrmDsbAddEdit& d, Day ex, double total, double income, double capGain, double price,
                     double split)
    {
        d.edExDate->setDate(qd(ex));
        d.edRecDate->setDate(qd(ex));
        d.edPayDate->setDate(qd(ex));
        d.edTotal->setValue(total);
        d.edIncome->setValue(income);
        d.edCapGain->setValue(capGain);
        d.edReinvestPri->setValue(price);
        d.edSplitFactor->setValue(split);
    }
    std::vector<TransactionRec> dsbTx(int pf)
    {
        std::vector<TransactionRec> out;
        for (const auto& t : store::transactionsOf(dm(), pf, fund_))
            if (t.Date != kMonday)
                out.push_back(t);
        return out;
    }

private Q_SLOTS:
    void init()
    {
        tmp_ = new QTemporaryDir;
        appState().reset();
        initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));
        makeProgram();
    }
    void cleanup()
    {
        TfrmEditDsbs::prepareAddEdit() = nullptr;
        TfrmDsbAddEdit::prepareAutoReinvest() = nullptr;
        session::shutdown();
        appState().reset();
        delete tmp_;
    }

    void mainCommand_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank cell") << 5 << "No data on blank entry.";
        QTest::newRow("linear type") << 2 << "No distributions for Linear Type.";
        QTest::newRow("no price") << 3 << "A closing price must first be entered.";
        QTest::newRow("priced fund") << 1 << QString();
    }
    void mainCommand()
    {
        QFETCH(int, row);
        QFETCH(QString, message);
        MainWindowOptions o;
        o.programPath = program_;
        o.splashMinimumMs = 0;
        o.showSplash = false;
        RecordingMessageSink sink;
        QStringList opened;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened << d->objectName();
                d->reject();
            }
        });
        closer.start(20);
        TfrmMain w(o);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::qWait(100);
        QVERIFY(session::dataModule());
        const int f = addEntry("Fund", "Mutual Fund", 1, 0);
        addPrices(f);
        const int l = addEntry("-Line", "Linear type", 2, 0);
        addPrices(l);
        addEntry("Bare", "Mutual Fund", 3, 0);
        w.LoadGrid();
        QTest::qWait(50);
        sink.shown.clear();
        opened.clear();

        QAction* a = w.action("mmDistributions");
        QVERIFY(a);
        QVERIFY(a->isEnabled());
        w.setActiveCell(row, 0);
        a->trigger();
        QTest::qWait(100);
        if (message.isEmpty()) {
            QVERIFY2(sink.texts().isEmpty(), qPrintable(sink.texts().join('|')));
            QCOMPARE(opened, QStringList{"frmEditDsbs"});
            QCOMPARE(appState().CurMLID, f);
        } else {
            QCOMPARE(sink.texts(), QStringList{message});
            QCOMPARE(sink.shown.first().type, MsgType::Warning);
            QVERIFY(opened.isEmpty());
        }
    }

    void addRefusedThenSavedWithAutomaticEntry()
    {
        session::createHandler(program_, nullptr);
        QVERIFY(session::openDataPath().ok());
        fixture();
        appState().ActivePfID = pfA_;
        RecordingMessageSink sink;
        TfrmEditDsbs w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Edit Distributions"));
        QCOMPARE(w.width(), 598);
        QCOMPARE(w.pnlName->text(), QStringLiteral("Fund long name"));
        QVERIFY(!w.btnEditDsb->isEnabled());
        QVERIFY(!w.bbtnDeleteDsb->isEnabled());

        bool dialogStayedOpen = false;
        QString caption, priceText;
        int written = -1;
        TfrmDsbAddEdit::prepareAutoReinvest() = [&](TfrmDsbAutoReinvest& ar) {
            QTimer::singleShot(0, &ar, [&ar, &written] {
                QCOMPARE(ar.windowTitle(), QStringLiteral("Automatic Transaction Entry"));
                QCOMPARE(ar.pnlIncome->text(), QStringLiteral("0.50000 "));
                QVERIFY(ar.rbAutomatic->isChecked());
                ar.bbtnOk->click();
                written = ar.written();
            });
        };
        TfrmEditDsbs::prepareAddEdit() = [&](TfrmDsbAddEdit& d) {
            QTimer::singleShot(0, &d, [&] {
                caption = d.windowTitle();
                // A Sunday is refused, the dialog stays open.
                fill(d, kMonday + 13, 1.75, 0.5, 1.25, 25, 0);
                d.bbtnSave->click();
                dialogStayedOpen = d.isVisible();
                d.edExDate->setDate(qd(kMonday + 14));
                d.OvcDbCalendar->setSelectedDate(qd(kMonday + 14));
                priceText = d.lblPriceOnDate->text();
                d.bbtnSave->click();
            });
        };
        w.bbtnAddDisbribution->click();
        QCOMPARE(caption, QStringLiteral("Add Distribution: Fund long name"));
        QVERIFY(dialogStayedOpen);
        QCOMPARE(priceText, QStringLiteral("25.000"));
        QCOMPARE(sink.texts(), QStringList{"Ex-Date cannot be a Saturday or Sunday."});
        QVERIFY(sink.shown.first().type == MsgType::Warning);

        const auto stored = store::distributionsOf(dm(), fund_);
        QCOMPARE(stored.size(), size_t(1));
        QCOMPARE(stored[0].ExDate, kMonday + 14);
        QCOMPARE(w.rows().size(), size_t(1));
        QCOMPARE(w.currentRow(), 0);
        QVERIFY(w.btnEditDsb->isEnabled());
        QCOMPARE(written, 4);

        // A: 200 shares, "CapGain": income in cash, capital gain bought.
        const auto a = dsbTx(pfA_);
        QCOMPARE(a.size(), size_t(2));
        QCOMPARE(a[0].BuySell, QStringLiteral("Sell"));
        QCOMPARE(a[0].Amount, 100.0);
        QCOMPARE(a[1].Shares, 10.0);
        QCOMPARE(a[1].Amount, 250.0);
        QCOMPARE(store::holding(dm(), pfA_, fund_)->Shares, 210.0);
        // B: "All": both bought.
        QCOMPARE(store::holding(dm(), pfB_, fund_)->Shares, 107.0);
    }

    void confirmModeSkipsAndAccepts()
    {
        session::createHandler(program_, nullptr);
        QVERIFY(session::openDataPath().ok());
        fixture();
        RecordingMessageSink sink;
        TfrmDsbAutoReinvest ar({kMonday + 14, 1.0, 0, 20.0, 0});
        QStringList seen;
        QTimer::singleShot(0, &ar, [&] {
            ar.rbConfirm->setChecked(true);
            ar.bbtnOk->click();
            QVERIFY(ar.bbtnOk->isHidden());
            QVERIFY(!ar.btnAccept->isHidden());
            QVERIFY(ar.btnAccept->isDefault());
            seen << ar.stbPortfolioText->text();
            ar.btnSkip->click();
            seen << ar.stbPortfolioText->text();
            QCOMPARE(ar.currentPfID(), pfB_);
            ar.btnAccept->click();
        });
        QCOMPARE(ar.exec(), int(QDialog::Accepted));
        QCOMPARE(seen, (QStringList{" A : A account", " B : B account"}));
        QVERIFY(dsbTx(pfA_).empty());
        const auto b = dsbTx(pfB_);
        QCOMPARE(b.size(), size_t(1));
        QCOMPARE(b[0].Shares, 5.0);
        QCOMPARE(b[0].Type, QStringLiteral("Income"));
        QCOMPARE(b[0].Comment, QStringLiteral("Dsb: 1.00000/sh  Reinv: 20.000/sh"));
    }

    void duplicateAndCancelledEdit()
    {
        session::createHandler(program_, nullptr);
        QVERIFY(session::openDataPath().ok());
        fixture();
        NullProgress p;
        DistributionRec r = dsb::newDistribution(fund_, kMonday + 7);
        r.Total = r.Income = 0.3;
        r.ReinvestPri = 25;
        QVERIFY(dsb::SaveDistribution(dm(), r, std::nullopt, p).ok());
        RecordingMessageSink sink;
        TfrmEditDsbs w;
        w.show();

        // Adding on the same ex-date: refused, nothing stored, then cancelled.
        bool open = false;
        TfrmEditDsbs::prepareAddEdit() = [&](TfrmDsbAddEdit& d) {
            QTimer::singleShot(0, &d, [&] {
                fill(d, kMonday + 7, 2.0, 2.0, 0, 25, 0);
                d.bbtnSave->click();
                open = d.isVisible();
                d.bbtnCancel->click();
            });
        };
        w.bbtnAddDisbribution->click();
        QVERIFY(open);
        QCOMPARE(sink.texts(), QStringList{"Disbritubion already exists for Ex-Date."});
        QCOMPARE(store::distributionsOf(dm(), fund_).size(), size_t(1));
        QCOMPARE(store::distributionsOf(dm(), fund_)[0].Total, 0.3);

        // Editing, changing the total and cancelling keeps the stored values.
        QString caption;
        TfrmEditDsbs::prepareAddEdit() = [&](TfrmDsbAddEdit& d) {
            QTimer::singleShot(0, &d, [&] {
                caption = d.windowTitle();
                QCOMPARE(d.edTotal->value(), 0.3);
                d.edTotal->setValue(9.0);
                d.bbtnCancel->click();
            });
        };
        w.btnEditDsb->click();
        QCOMPARE(caption, QStringLiteral("Edit Distribution: Fund long name"));
        QCOMPARE(store::distributionsOf(dm(), fund_)[0].Total, 0.3);
        // No active portfolio: a save does not open the automatic entry.
        bool autoOpened = false;
        TfrmDsbAddEdit::prepareAutoReinvest() = [&](TfrmDsbAutoReinvest& ar) {
            autoOpened = true;
            QTimer::singleShot(0, &ar, [&ar] { ar.reject(); });
        };
        TfrmEditDsbs::prepareAddEdit() = [&](TfrmDsbAddEdit& d) {
            QTimer::singleShot(0, &d, [&] {
                d.edTotal->setValue(0.4);
                d.edIncome->setValue(0.4);
                d.bbtnSave->click();
            });
        };
        w.btnEditDsb->click();
        QVERIFY(!autoOpened);
        QCOMPARE(store::distributionsOf(dm(), fund_)[0].Total, 0.4);
    }

    void deleteOneAndAll()
    {
        session::createHandler(program_, nullptr);
        QVERIFY(session::openDataPath().ok());
        fixture();
        NullProgress p;
        for (Day ex : {kMonday + 7, kMonday + 14}) {
            DistributionRec r = dsb::newDistribution(fund_, ex);
            r.Total = r.Income = 0.5;
            r.ReinvestPri = 25;
            QVERIFY(dsb::SaveDistribution(dm(), r, std::nullopt, p).ok());
            QVERIFY(dsb::ReinvestAllPortfolios(dm(), fund_, dsb::DsbAmounts::of(r), p).ok());
        }
        buy(pfB_, fund_, kMonday + 14, 1);  // a usual buy on the ex-date stays
        RecordingMessageSink sink;
        TfrmEditDsbs w;
        w.show();
        QCOMPARE(w.currentRow(), 1);  // opens on the newest

        sink.answers = {MR::Yes, MR::Yes};
        w.bbtnDeleteDsbClick();
        QCOMPARE(sink.texts(), (QStringList{"Are you sure you want to delete this distribution?",
                                            "Delete corresponding transactions on " + fmtDate(kMonday + 14) + "?"}));
        QCOMPARE(store::distributionsOf(dm(), fund_).size(), size_t(1));
        QCOMPARE(w.rows().size(), size_t(1));
        // A: 200 + cash (0 shares) twice, the second deleted; B: 100 + 2 (first) + 1 usual.
        QCOMPARE(store::transactionsOf(dm(), pfA_, fund_).size(), size_t(2));
        QCOMPARE(store::holding(dm(), pfB_, fund_)->Shares, 103.0);

        sink.shown.clear();
        sink.answers = {MR::Yes, MR::No};
        w.btnDeleteAllDsbsClick();
        QCOMPARE(sink.texts(), (QStringList{"Are you sure you want to delete ALL distributions?",
                                            "Delete all corresponding transactions?", "All done!"}));
        QVERIFY(store::distributionsOf(dm(), fund_).empty());
        QCOMPARE(store::holding(dm(), pfB_, fund_)->Shares, 103.0);  // transactions kept
        QVERIFY(!w.btnEditDsb->isEnabled());
        QVERIFY(w.btnDeleteAllDsbs->isEnabled());
        QVERIFY(w.DBNavigator1->isEnabled());
    }

    void writeWindowRefusesToClose()
    {
        TfrmDispEnteredDsbs w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Write Distributions To Database"));
        w.start();
        QVERIFY(w.isVisible());
        w.close();
        QVERIFY(w.isVisible());
        QVERIFY(w.StopRequested);
        QCOMPARE(w.stbText->text(), QStringLiteral("Please wait..."));
        w.start();
        QVERIFY(!w.StopRequested);
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QVERIFY(w.StopRequested);
        w.finish();
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestDistributionWindows)
#include "tst_distributionwindows.moc"
