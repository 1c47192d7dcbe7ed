// Guards the portfolio and transaction windows offscreen: the directory's start
// on "Edit Directory" for an empty table and its tab refusals, adding a portfolio
// that becomes the active one, the blank-name refusal of OK, incremental search,
// deleting the last portfolio (no active portfolio left); the entry dialog's price
// on date, completion of amount and shares, money market price, "Usual" stored as
// empty text; the Transactions window's views, single and bulk deletion with
// their questions, the "+" key, "Edit Parameters" without a holding, and the fee
// headings and hide flags; entry for several portfolios with Skip.
#include <QtTest>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/portfolios/ActivePortfolio.h"
#include "core/portfolios/TxRules.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/base/MessageDlg.h"
#include "gui/portfolios/AddEditTx.h"
#include "gui/portfolios/EditTransactions.h"
#include "gui/portfolios/PfDirectory.h"

using namespace orv;

class TestPfWindows : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;

    ORVDataModule& dm() { return *session::dataModule(); }
    int addPf(const QString& name)
    {
        PortfolioRec r;
        r.ShortName = name;
        return int(*store::insertPortfolio(dm(), r));
    }
    int addIssue(const QString& name, const QString& type, std::optional<double> price, Day day)
    {
        MasterListRec r;
        r.ShortName = name;
        r.Type = type;
        r.RowNum = int(store::masterList(dm()).size()) + 1;
        const int id = int(*store::insertMasterList(dm(), r));
        if (price) {
            PriceRec p;
            p.MLID = id;
            p.Date = day;
            p.Price = price;
            store::storePriceRow(dm(), p);
        }
        return id;
    }
    void setCurrent(int mlID)
    {
        const auto e = *store::masterListEntry(dm(), mlID);
        appState().CurMLID = e.MLID;
        appState().CurMLShortName = e.ShortName;
        appState().CurMLType = e.Type;
    }
    static Day friday() { return dayFromDate(QDate(2024, 3, 1)); }
    TransactionRec newRec()
    {
        TransactionRec r;
        r.Date = friday();
        r.BuySell = "Buy";
        r.SharePrice = 0.0;
        r.Type = "Usual";
        return r;
    }
    // Closes the next modal dialog with fn once it is shown.
    void onNextModal(std::function<void(QDialog*)> fn)
    {
        QTimer::singleShot(50, this, [this, fn] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                fn(d);
            else
                onNextModal(fn);
        });
    }

private Q_SLOTS:
    void init()
    {
        tmp_ = new QTemporaryDir;
        const QString program = tmp_->filePath("program");
        QDir().mkpath(program + "/DBTemplates");
        const QDir templates(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
        for (const QString& f : templates.entryList({"*.FF2"}))
            QVERIFY(QFile::copy(templates.filePath(f), program + "/DBTemplates/" + f));
        qputenv("ORV_USER_PATH", tmp_->filePath("user").toLocal8Bit());
        appState().reset();
        initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));
        QList<Message> warnings;
        session::createHandler(program, &warnings);
        QVERIFY(session::openDataPath().ok());
        QVERIFY(session::dataModule());
    }
    void cleanup()
    {
        session::shutdown();
        delete tmp_;
        tmp_ = nullptr;
    }

    void directoryEmptyStartsOnEditAndAdds()
    {
        RecordingMessageSink sink;
        TfrmPfDirectory w(TfrmPfDirectory::Mode::Directory);
        QCOMPARE(w.pgcDirectory->currentWidget(), w.tbsEdit);
        QVERIFY(!w.pgcDirectory->isTabVisible(1));
        w.pgcDirectory->setCurrentWidget(w.tbsSelect);  // refused
        QCOMPARE(w.pgcDirectory->currentWidget(), w.tbsEdit);
        QCOMPARE(sink.texts(), QStringList{"You must first enter a valid portfolio name."});
        w.bbtnOKClick();
        QCOMPARE(sink.texts().last(), QString("Short Name must not be blank."));

        w.btnAddClick();
        QCOMPARE(w.editState(), TfrmPfDirectory::EditState::Insert);
        QVERIFY(!w.btnSave->isEnabled());
        QVERIFY(!w.OvcDbTablePfDirectory->isEnabled());
        QLineEdit* sn = w.fields.value("ShortName");
        sn->setFocus();
        QTest::keyClicks(sn, "ira x");
        QCOMPARE(sn->text(), QString("IRAX"));
        QVERIFY(w.btnSave->isEnabled());
        w.pgcDirectory->setCurrentWidget(w.tbsSelect);  // still refused: the table is empty
        QCOMPARE(w.pgcDirectory->currentWidget(), w.tbsEdit);
        w.fields.value("LongName")->setText("Joint");
        w.btnSaveClick();
        QCOMPARE(w.editState(), TfrmPfDirectory::EditState::Browse);
        QCOMPARE(appState().ActivePfShortName, QString("IRAX"));
        QCOMPARE(appState().ActivePfCaption, QString(" IRAX : Joint"));
        QVERIFY(w.stbPanel[1]->text().contains("Active Portfolio:   IRAX : Joint"));
        QCOMPARE(w.rowCount(), 1);

        // Editing a field puts the record in edit state: tab changes are refused.
        QTest::keyClicks(w.fields.value("TaxID"), "9");
        QCOMPARE(w.editState(), TfrmPfDirectory::EditState::Edit);
        w.pgcDirectory->setCurrentWidget(w.tbsSelect);
        QCOMPARE(w.pgcDirectory->currentWidget(), w.tbsEdit);
        QCOMPARE(sink.texts().last(), QString("You must first Post or Cancel your editing changes."));
        // Closing asks to save; Yes posts the edit.
        sink.answers << MR::Yes;
        w.bbtnExit->click();
        QCOMPARE(sink.texts().last(), QString("Save changes before exiting?"));
        QCOMPARE(store::portfolios(dm()).front().TaxID, QString("9"));
    }

    void directorySearchAndDeleteLast()
    {
        addPf("ZED");
        addPf("ABLE");
        addPf("ACE");
        QVERIFY(SelectActivePortfolio(dm(), appState(), "ZED"));
        RecordingMessageSink sink;
        TfrmPfDirectory w(TfrmPfDirectory::Mode::Directory);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.pgcDirectory->currentWidget(), w.tbsSelect);
        w.OvcDbTablePfDirectory->setFocus();
        QTest::keyClicks(w.OvcDbTablePfDirectory, "ab");
        QCOMPARE(w.searchText(), QString("ab"));
        QCOMPARE(w.stbPanel[0]->text(), QString("ab"));
        QCOMPARE(w.OvcDbTablePfDirectory->item(w.OvcDbTablePfDirectory->currentRow(), 1)->text(), QString("ABLE"));
        w.goToRow(2);  // moving otherwise clears the search
        QVERIFY(w.searchText().isEmpty());

        // Delete all three; the last deletion leaves no active portfolio.
        for (int i = 0; i < 3; ++i) {
            sink.answers << MR::OK;
            w.sbtnDeleteClick();
        }
        QCOMPARE(w.rowCount(), 0);
        QCOMPARE(appState().ActivePfID, -1);
        QVERIFY(appState().ActivePfCaption.isEmpty());
        QCOMPARE(sink.texts().count("Delete this portfolio and all associated transactions?"), 3);
    }

    void multipleModeSelections()
    {
        for (const char* n : {"IRA-JOHN", "IRA2", "BROKER"})
            addPf(n);
        appState().CurMLID = -1;
        TfrmPfDirectory w(TfrmPfDirectory::Mode::Multiple);
        QCOMPARE(w.pgcDirectory->currentWidget(), w.tbsMultiple);
        QVERIFY(!w.pgcDirectory->isTabVisible(0) && !w.pgcDirectory->isTabVisible(2));
        QVERIFY(w.btnTxExists->isHidden());  // no current issue
        onNextModal([](QDialog* d) {
            d->findChild<QLineEdit*>("edtFamily")->setText("ira");
            for (auto* b : d->findChildren<QPushButton*>())
                if (b->text() == "&Starts with")
                    b->click();
        });
        w.btnSelectFamily->click();
        QStringList selected;
        for (const auto& p : store::portfolios(dm()))
            if (p.Selected)
                selected << p.ShortName;
        QCOMPARE(selected, (QStringList{"IRA-JOHN", "IRA2"}));
        w.btnClearAll->click();
        for (const auto& p : store::portfolios(dm()))
            QVERIFY(!p.Selected);
    }

    void entryDialogCompletion()
    {
        addPf("IRA");
        addIssue("FUND", "Mutual Fund", 12.5, friday());
        addIssue("CASH", "Money Market Fund", std::nullopt, friday());
        {
            TfrmAddEditTx d;
            d.setRecord(newRec(), "IRA", "FUND");
            QCOMPARE(d.priceOnDateText(), QString("12.500"));
            d.edDate->setDate(QDate(2024, 3, 4));  // no price: N/A, share price kept
            QCOMPARE(d.priceOnDateText(), QString("N/A"));
            QCOMPARE(d.sharePrice(), 0.0);
            d.edDate->setDate(QDate(2024, 3, 1));
            QCOMPARE(d.sharePrice(), 12.5);
            d.enterShares();
            d.edShares->setText("100");
            d.leaveShares();
            QCOMPARE(d.amount(), 1250.0);
            RecordingMessageSink sink;
            d.bbtnSaveClick();
            QCOMPARE(d.result(), int(QDialog::Accepted));
            QVERIFY(sink.texts().isEmpty());
            const TransactionRec saved = d.record();
            QCOMPARE(saved.Type, QString());
            QCOMPARE(saved.Amount, 1250.0);
            QCOMPARE(store::holding(dm(), saved.PfID, saved.MLID)->Shares, 100.0);
        }
        {
            TfrmAddEditTx d;
            d.setRecord(newRec(), "IRA", "FUND");
            d.leaveDate();
            d.enterAmount();
            d.edAmount->setText("1000");
            d.leaveAmount();
            QCOMPARE(d.shares(), 80.0);
        }
        {
            TfrmAddEditTx d;
            d.setRecord(newRec(), "IRA", "CASH");
            QCOMPARE(d.priceOnDateText(), QString("N/A"));
            d.leaveDate();
            QCOMPARE(d.sharePrice(), 1.0);
        }
    }

    void transactionsWindowViewsAndDeletes()
    {
        const int a = addPf("A");
        addPf("B");
        const int f = addIssue("FUND", "Mutual Fund", 10.0, friday());
        addIssue("OTHER", "Mutual Fund", 5.0, friday());
        for (const char* pf : {"A", "B"})
            for (const char* ml : {"FUND", "OTHER"})
                for (int i = 0; i < 2; ++i) {
                    TransactionRec r = newRec();
                    r.Date = friday() - i;
                    r.Shares = 10;
                    r.Amount = 100;
                    QVERIFY(tx::saveTransaction(dm(), r, pf, ml).ok());
                }
        QVERIFY(SelectActivePortfolio(dm(), appState(), "A"));
        setCurrent(f);
        RecordingMessageSink sink;
        TfrmEditTransactions w;
        QCOMPARE(w.view(), tx::TxView::PortfolioIssue);
        QCOMPARE(int(w.rows().size()), 2);
        QCOMPARE(w.rbView[1]->text(), QString("A, FUND"));
        QCOMPARE(w.rbView[2]->text(), QString("All Portfolios, FUND"));
        QCOMPARE(w.lblTotalShares->text(), QString("20.0000"));
        QCOMPARE(w.lblValue->text(), QString("$200.00"));
        QCOMPARE(w.stbPanel[0]->text(), QString("Transactions: 2"));
        QCOMPARE(w.currentRow(), 1);  // the last transaction
        w.setView(tx::TxView::AllAll);
        QCOMPARE(int(w.rows().size()), 8);
        QVERIFY(w.pnlPortfolio->isHidden() && w.pnlSecurity->isHidden());
        w.setView(tx::TxView::PortfolioAll);
        QCOMPARE(int(w.rows().size()), 4);
        QVERIFY(!w.btnPortfolioSummary->isHidden() && w.btnPortfolioSummary->isEnabled());

        // One deletion, answered Yes.
        w.setCurrentRow(0);
        sink.answers << MR::Yes;
        w.deleteTransaction();
        QVERIFY(sink.texts().last().startsWith("Are you sure you want to delete the highlighted transaction on "));
        QCOMPARE(int(w.rows().size()), 3);

        // "+" opens the entry dialog; cancelling it adds nothing.
        onNextModal([](QDialog* d) {
            QCOMPARE(d->windowTitle(), QString("Add Transaction"));
            d->reject();
        });
        QTest::keyClick(w.OvcDbTableTransactions, Qt::Key_Plus);
        QCOMPARE(int(w.rows().size()), 3);

        // All, then Yes: the portfolio's transactions and holdings go, the window closes.
        sink.answers << MR::All << MR::Yes;
        w.deleteTransaction();
        QCOMPARE(sink.texts().last(), QString("Delete  ALL  transactions for portfolio:  A ?"));
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(store::transactionsOfPortfolio(dm(), a).empty());
        QVERIFY(store::holdingsOf(dm(), a).empty());
        QCOMPARE(dm().fftblTransactions().recordCount(), 4);
    }

    void parametersAndFees()
    {
        addPf("A");
        const int f = addIssue("FUND", "Mutual Fund", 10.0, friday());
        QVERIFY(SelectActivePortfolio(dm(), appState(), "A"));
        setCurrent(f);
        RecordingMessageSink sink;
        TfrmEditTransactions w;
        QVERIFY(w.OvcDbTableTransactions->isHidden());  // an empty view hides the grid
        w.editParameters(0);
        QCOMPARE(sink.texts(), QStringList{"No transaction entered yet."});

        appState().Config.HideFee1 = true;
        appState().Config.Fee2Heading = "Load";
        w.toggleHideFee(2);  // shows Fee2
        QVERIFY(!appState().Config.HideFee2);
        QVERIFY(!w.OvcDbTableTransactions->isColumnHidden(TfrmEditTransactions::ColFee2));
        QVERIFY(w.OvcDbTableTransactions->isColumnHidden(TfrmEditTransactions::ColFee1));
        QCOMPARE(w.OvcDbTableTransactions->model()->headerData(TfrmEditTransactions::ColFee2, Qt::Horizontal).toString(),
                 QString("Load"));
        QCOMPARE(w.mmHideFee2->text(), QString("Hide Load field"));
        TfrmAddEditTx d;
        QVERIFY(d.edFee1->isHidden());
        QVERIFY(!d.edFee2->isHidden());
        QCOMPARE(d.lblFee2->text(), QString("Load"));
    }

    void multipleEntrySkipsOne()
    {
        for (const char* n : {"A", "B", "C", "D"})
            addPf(n);
        const int f = addIssue("FUND", "Mutual Fund", 12.5, friday());
        QVERIFY(SelectActivePortfolio(dm(), appState(), "A"));
        setCurrent(f);
        appState().Config.TxInsertMultiplePf = false;
        RecordingMessageSink sink;
        sink.answers << MR::Yes;  // "Enter similar transactions for other portfolios?"
        TfrmEditTransactions w;
        // The modal windows in the order they come: the first entry, the directory,
        // then one entry per selected portfolio (B saved, C skipped, D saved).
        QStringList seen;
        int step = 0;
        QString last;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget* m = QApplication::activeModalWidget();
            if (!m || !m->isVisible())
                return;
            // The entry dialog is shown again for each portfolio: tell the showings apart.
            auto* entry = qobject_cast<TfrmAddEditTx*>(m);
            const QString key = m->objectName() + (entry ? entry->portfolioName() : QString());
            if (key == last)
                return;
            last = key;
            if (auto* d = entry) {
                seen << d->portfolioName() + (d->bbtnAbort->isVisible() ? " multiple" : "");
                if (step == 0) {
                    d->edDate->setDate(QDate(2024, 3, 1));  // price 12.50 on that day
                    d->enterShares();
                    d->edShares->setText("10");
                    d->leaveShares();
                    d->cbMultiple->setChecked(true);
                }
                ++step;
                if (d->portfolioName() == "C") {
                    QCOMPARE(d->bbtnCancel->text(), QString("Skip"));
                    d->bbtnCancel->click();
                } else {
                    d->bbtnSaveClick();
                }
            } else if (auto* dir = qobject_cast<TfrmPfDirectory*>(m)) {
                seen << "directory";
                QCOMPARE(dir->pgcDirectory->currentWidget(), dir->tbsMultiple);
                dir->btnSelectAll->click();
                dir->bbtnOKClick();
            }
        });
        poll.start(30);
        w.addTransaction();
        poll.stop();
        QCOMPARE(seen, (QStringList{"A", "directory", "B multiple", "C multiple", "D multiple"}));
        QCOMPARE(sink.texts(), QStringList{"Enter similar transactions for other portfolios?"});
        QStringList holders;
        for (const auto& h : store::holdersOf(dm(), f)) {
            holders << store::portfolio(dm(), h.PfID)->ShortName;
            QCOMPARE(h.Shares, 10.0);
        }
        holders.sort();
        QCOMPARE(holders, (QStringList{"A", "B", "D"}));
        for (const auto& t : tx::viewRows(dm(), tx::TxView::AllPortfoliosIssue, -1, f)) {
            QCOMPARE(t.Amount, 125.0);
            QCOMPARE(t.Date, friday());
        }
    }
};

QTEST_MAIN(TestPfWindows)
#include "tst_pfwindows.moc"
