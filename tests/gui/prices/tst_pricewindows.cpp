// Guards the price entry windows against: a typed price not reaching the
// database on Save (or a refused one being taken), holes not filled after Save,
// Delete leaving the highlighted prices, the later distributions or the data-range
// label behind, the date windows accepting a weekend date, "$" entries not
// written as 1.0, the column switch taking an empty column, and the progress
// window "Write Prices To Database" closing at the user's request instead of
// recording a stop, and "Reset Adjusted Prices" running without a selection,
// not repairing the selected issues, or not stopping after the issue in progress.
#include <QtTest>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/prices/PriceEntry.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/base/MessageDlg.h"
#include "gui/prices/DispEnteredPrices.h"
#include "gui/prices/PriceGrid.h"
#include "gui/prices/PricesDateWindows.h"
#include "gui/prices/PricesOneFund.h"
#include "gui/prices/ResetAdjPrices.h"
#include <QListWidget>
#include <QTimer>

using namespace orv;

namespace {

Day d(int y, int m, int dd) { return dayFromDate(QDate(y, m, dd)); }

int rowOf(const std::vector<prices::YearRow>& rows, Day day)
{
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].date == day)
            return int(i);
    return -1;
}

}  // namespace

class TestPriceWindows : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;
    int fund_ = 0, cash_ = 0, line_ = 0;

    ORVDataModule& dm() { return *session::dataModule(); }

    int addEntry(const QString& name, const QString& type, int row, int col)
    {
        MasterListRec e;
        e.ShortName = name;
        e.Type = type;
        e.RowNum = row;
        e.ColNum = col;
        const auto r = store::insertMasterList(dm(), e);
        if (!r)
            qFatal("insert failed: %s", qPrintable(r.message().text));
        return int(*r);
    }
    void setCurrent(int mlID)
    {
        const auto e = store::masterListEntry(dm(), mlID);
        appState().CurMLID = mlID;
        appState().CurMLShortName = e->ShortName;
        appState().CurMLType = e->Type;
    }
    void storePrices(int mlID, const std::vector<std::pair<Day, double>>& ps)
    {
        NullProgress bar;
        QVERIFY(prices::StorePricesAndUpdate(dm(), mlID, ps, bar).ok());
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
        session::createHandler(program, nullptr);
        initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(session::openDataPath().ok());
        QVERIFY(session::dataModule());
        fund_ = addEntry("Fund", "Mutual Fund", 1, 0);
        cash_ = addEntry("$Cash", "Money Market Fund", 2, 0);
        line_ = addEntry("-Line", "Linear type", 1, 1);
    }
    void cleanup()
    {
        session::shutdown();
        appState().reset();
        delete tmp_;
    }

    // Typing a price (through the cell editor) and saving stores it and fills holes;
    // a refused value is not taken.
    void oneFundEnterAndSave()
    {
        RecordingMessageSink sink;
        setCurrent(fund_);
        TfrmPricesOneFund w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Edit Prices"));
        QCOMPARE(w.width(), 520);
        QCOMPARE(w.lblDataRange->text(), QStringLiteral("No data entered."));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.OvcNumericFieldYearEntry->setValue(2024);
        w.btnDisplayPricesForYear->click();
        QCOMPARE(int(w.rows().size()), 262);
        QCOMPARE(w.grid->priceModel()->rowCount(), 262);
        QVERIFY(w.rows()[4].text.startsWith("Fri  "));  // 2024-01-05

        const int mon = rowOf(w.rows(), d(2024, 1, 8));
        w.grid->goToRow(mon);
        w.grid->setFocus();
        QTest::keyClick(w.grid, '1');  // any key opens the cell editor with it
        QVERIFY(QApplication::focusWidget() != w.grid);
        QTest::keyClicks(QApplication::focusWidget(), "0.5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(w.rows()[size_t(mon)].price, 10.5);
        QTRY_COMPARE(w.grid->currentIndex().row(), mon + 1);  // Enter moves down
        QVERIFY(w.changed());

        auto* model = w.grid->priceModel();
        const int thu = rowOf(w.rows(), d(2024, 1, 11));
        QVERIFY(!model->setData(model->index(thu, 1), 0.0, Qt::EditRole));  // refused for a fund
        QVERIFY(prices::isNoPrice(w.rows()[size_t(thu)].price));
        QVERIFY(model->setData(model->index(thu, 1), 12.0, Qt::EditRole));
        QCOMPARE(model->data(model->index(thu, 1), Qt::DisplayRole).toString(), QStringLiteral("12.000000"));

        w.bbtnSavePrices->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.lblDataRange->text(), QStringLiteral("Prices exist from:  1/8/2024  to  1/11/2024"));
        const auto all = store::pricesOf(dm(), fund_);
        QCOMPARE(int(all.size()), 4);
        QCOMPARE(*all[0].Price, 10.5);
        QVERIFY(!all[1].Price.has_value());
        QCOMPARE(all[2].AdjPrice, 10.5);
        QCOMPARE(*all[3].Price, 12.0);
        QVERIFY(sink.shown.isEmpty());
    }

    // Display of another year asks to save the changed one.
    void oneFundAsksBeforeLeavingYear()
    {
        RecordingMessageSink sink;
        sink.answers = {MR::Yes};
        setCurrent(fund_);
        TfrmPricesOneFund w;
        w.OvcNumericFieldYearEntry->setValue(2024);
        w.btnDisplayPricesForYearClick();
        auto* model = w.grid->priceModel();
        QVERIFY(model->setData(model->index(rowOf(w.rows(), d(2024, 3, 4)), 1), 7.0, Qt::EditRole));
        w.OvcNumericFieldYearEntry->setValue(2023);
        w.btnDisplayPricesForYearClick();
        QCOMPARE(sink.texts(), QStringList{"Save changes for 2024"});
        QCOMPARE(*store::priceOn(dm(), fund_, d(2024, 3, 4))->Price, 7.0);
        QCOMPARE(w.shownYear(), 2023);
        QVERIFY(!w.changed());
    }

    // Delete of the highlighted rows and the active row, with the cascade to the
    // distributions after the new last price.
    void oneFundDeleteHighlighted()
    {
        storePrices(fund_, {{d(2024, 1, 8), 10.0}, {d(2024, 1, 9), 11.0}, {d(2024, 1, 10), 12.0}, {d(2024, 1, 11), 13.0}});
        DistributionRec dsb;
        dsb.MLID = fund_;
        dsb.ExDate = dsb.RecDate = dsb.PayDate = d(2024, 1, 10);
        dsb.Total = dsb.Income = 1;
        dsb.ReinvestPri = 10;
        dsb.SplitFactor = 1;
        QVERIFY(store::insertDistribution(dm(), dsb).ok());

        RecordingMessageSink sink;
        sink.answers = {MR::Yes};
        setCurrent(fund_);
        TfrmPricesOneFund w;
        w.OvcNumericFieldYearEntry->setValue(2024);
        w.btnDisplayPricesForYearClick();
        const int wed = rowOf(w.rows(), d(2024, 1, 10));
        w.grid->goToRow(wed + 1);  // active row: Thursday
        w.grid->selectionModel()->select(w.grid->priceModel()->index(wed, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(w.grid->highlightedRows(), (std::vector<int>{wed, wed + 1}));
        w.btnDeleteRecordsClick();
        QCOMPARE(sink.texts(), QStringList{prices::deleteConfirmText()});
        QVERIFY(prices::isNoPrice(w.rows()[size_t(wed)].price));
        const auto all = store::pricesOf(dm(), fund_);
        QCOMPARE(int(all.size()), 2);
        QCOMPARE(all[1].AdjPrice, 11.0);
        QCOMPARE(store::distributionsOf(dm(), fund_).size(), size_t(0));
        QCOMPARE(w.lblDataRange->text(), QStringLiteral("Prices exist from:  1/8/2024  to  1/9/2024"));
        QVERIFY(w.isVisible() == false || w.result() != int(QDialog::Accepted));  // the window stays open

        // Answering No deletes nothing.
        sink.answers = {MR::No};
        w.grid->goToRow(rowOf(w.rows(), d(2024, 1, 8)));
        w.btnDeleteRecordsClick();
        QCOMPARE(int(store::pricesOf(dm(), fund_).size()), 2);
    }

    void dateWindowRefusesWeekend()
    {
        RecordingMessageSink sink;
        TfrmPricesAllFundsAlpha w;
        QCOMPARE(w.width(), 560);
        QVERIFY(!isWeekend(w.shownDate()));  // displayed on creation
        QVERIFY(w.grid->isEnabled());
        const Day before = w.shownDate();
        w.setCalendarDay(d(2024, 1, 13));  // a Saturday
        w.btnDisplayPricesForDateClick();
        QCOMPARE(sink.texts(), QStringList{"No Data on Saturday or Sunday"});
        QCOMPARE(sink.shown.first().type, MsgType::Custom);
        QCOMPARE(w.shownDate(), before);
    }

    // Alphabetical save writes the typed price and 1.0 for "$" entries, then closes.
    void alphaSaveWritesDollarRows()
    {
        RecordingMessageSink sink;
        TfrmPricesAllFundsAlpha w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Edit Prices - Alphabetical Display"));
        QCOMPARE(w.rows()[0].shortName, QStringLiteral("$Cash"));
        QCOMPARE(w.rows()[1].shortName, QStringLiteral("-Line"));
        w.setCalendarDay(d(2024, 1, 8));
        w.btnDisplayPricesForDateClick();
        QCOMPARE(w.pnlSelectedDate->text(), QLocale().toString(QDate(2024, 1, 8), QLocale::LongFormat));
        auto* model = w.grid->priceModel();
        QVERIFY(model->setData(model->index(2, 1), 10.0, Qt::EditRole));   // Fund
        QVERIFY(model->setData(model->index(1, 1), -3.0, Qt::EditRole));   // Linear: negatives taken
        QVERIFY(!model->setData(model->index(0, 1), 0.98, Qt::EditRole));  // money market: refused
        w.bbtnSavePrices->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(w.frmDispEnteredPrices);
        QVERIFY(!w.frmDispEnteredPrices->isVisible());
        QCOMPARE(*store::priceOn(dm(), cash_, d(2024, 1, 8))->Price, 1.0);
        QCOMPARE(*store::priceOn(dm(), fund_, d(2024, 1, 8))->Price, 10.0);
        QCOMPARE(*store::priceOn(dm(), line_, d(2024, 1, 8))->Price, -3.0);
        QVERIFY(sink.shown.isEmpty());
    }

    // Column window: save keeps the window open and reloads; an empty column is
    // refused; delete removes the highlighted price.
    void columnWindow()
    {
        storePrices(fund_, {{d(2024, 1, 8), 10.0}});
        RecordingMessageSink sink;
        TfrmPricesActiveColumn w(0);
        QCOMPARE(w.windowTitle(), QStringLiteral("Edit Prices - By Master List Column"));
        QCOMPARE(w.cbMLColumns->count(), 100);
        QCOMPARE(w.cbMLColumns->currentIndex(), 0);
        QCOMPARE(int(w.rows().size()), 2);
        w.setCalendarDay(d(2024, 1, 9));
        w.btnDisplayPricesForDateClick();
        auto* model = w.grid->priceModel();
        QVERIFY(model->setData(model->index(0, 1), 11.0, Qt::EditRole));
        w.bbtnSavePrices->click();
        QVERIFY(w.result() != int(QDialog::Accepted));
        QCOMPARE(w.rows()[0].loadedPrice, 11.0);
        QCOMPARE(w.rows()[1].price, 1.0);  // "$" row written and shown again
        QCOMPARE(*store::priceOn(dm(), fund_, d(2024, 1, 9))->Price, 11.0);

        w.cbMLColumnsChange(7);
        QCOMPARE(sink.texts(), QStringList{"No entries in that column."});
        QCOMPARE(w.column(), 0);
        QCOMPARE(w.cbMLColumns->currentIndex(), 0);

        sink.answers = {MR::Yes};
        w.grid->goToRow(0);
        w.btnDeleteRecordsClick();
        QVERIFY(prices::isNoPrice(w.rows()[0].price));
        QCOMPARE(int(store::pricesOf(dm(), fund_).size()), 1);  // Monday left, Tuesday gone

        w.cbMLColumnsChange(1);
        QCOMPARE(w.column(), 1);
        QCOMPARE(int(w.rows().size()), 1);
        QCOMPARE(w.rows()[0].shortName, QStringLiteral("-Line"));
    }

    void resetAdjPrices()
    {
        // Stale adjusted prices on every issue; Fund and -Line selected.
        storePrices(fund_, {{d(2024, 1, 8), 10.0}, {d(2024, 1, 10), 12.0}});
        storePrices(line_, {{d(2024, 1, 8), 5.0}});
        storePrices(cash_, {{d(2024, 1, 8), 1.0}});
        const QString prices = ORVDataModule::qualified(store::TableId::Prices);
        QVERIFY(dm().exec(QStringLiteral("UPDATE %1 SET AdjPrice = 0").arg(prices)).ok());
        dm().touch(store::TableId::Prices);

        RecordingMessageSink sink;
        TfrmResetAdjPrices w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Reset Adjusted Prices"));
        w.bbtnOKClick();  // nothing selected yet
        QCOMPARE(sink.texts(), QStringList{"No Issues Selected!"});
        QVERIFY(!w.fillSelectedList());
        QCOMPARE(sink.texts().last(), QStringLiteral("No securities selected!"));
        QCOMPARE(sink.shown.last().type, MsgType::Error);

        QVERIFY(dm().exec(QStringLiteral("UPDATE %1 SET Selected = 1 WHERE MLID IN (?, ?)")
                              .arg(ORVDataModule::qualified(store::TableId::MasterList)),
                          {fund_, line_})
                    .ok());
        dm().touch(store::TableId::MasterList);
        QVERIFY(w.fillSelectedList());
        QCOMPARE(w.lbSelectedFunds->count(), 2);
        w.bbtnOKClick();
        QCOMPARE(w.issuesDone(), 2);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(store::priceOn(dm(), fund_, d(2024, 1, 9))->AdjPrice, 10.0);
        QCOMPARE(store::priceOn(dm(), line_, d(2024, 1, 8))->AdjPrice, 5.0);
        QCOMPARE(store::priceOn(dm(), cash_, d(2024, 1, 8))->AdjPrice, 0.0);  // not selected
    }

    // Stop during a run: "Stopping...", the issue in progress is finished, the
    // rest is left.
    void resetAdjPricesStop()
    {
        storePrices(fund_, {{d(2024, 1, 8), 10.0}});
        storePrices(cash_, {{d(2024, 1, 8), 1.0}});
        storePrices(line_, {{d(2024, 1, 8), 5.0}});
        QVERIFY(dm().exec(QStringLiteral("UPDATE %1 SET AdjPrice = 0").arg(ORVDataModule::qualified(store::TableId::Prices)))
                    .ok());
        QVERIFY(dm().exec(QStringLiteral("UPDATE %1 SET Selected = 1").arg(ORVDataModule::qualified(store::TableId::MasterList)))
                    .ok());
        dm().touch(store::TableId::Prices);
        dm().touch(store::TableId::MasterList);
        RecordingMessageSink sink;
        TfrmResetAdjPrices w;
        w.show();
        QVERIFY(w.fillSelectedList());
        QCOMPARE(w.lbSelectedFunds->count(), 3);
        QString captionDuringRun;
        QTimer::singleShot(0, &w, [&] {
            captionDuringRun = w.bbtnCancel->text();
            w.bbtnCancel->click();
        });
        w.bbtnOKClick();
        QCOMPARE(captionDuringRun, QStringLiteral("Stop"));
        QVERIFY(!w.lblStopping->isHidden());
        QCOMPARE(w.lblStopping->text(), QStringLiteral("Stopping..."));
        QCOMPARE(w.issuesDone(), 1);
        int repaired = 0;
        for (int id : {fund_, cash_, line_})
            repaired += store::priceOn(dm(), id, d(2024, 1, 8))->AdjPrice != 0.0 ? 1 : 0;
        QCOMPARE(repaired, 1);
        QVERIFY(!w.isVisible());
        QVERIFY(sink.shown.isEmpty());
    }

    void progressWindowRefusesClose()
    {
        TfrmDispEnteredPrices w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Write Prices To Database"));
        w.start();
        QCOMPARE(w.pnlName->text(), QStringLiteral("Name"));
        QVERIFY(!w.StopRequested);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QVERIFY(w.StopRequested);
        w.reject();  // Esc
        QVERIFY(w.isVisible());
        w.finish();
        QVERIFY(!w.isVisible());
        w.start();
        QVERIFY(!w.StopRequested);
        w.finish();
    }
};

QTEST_MAIN(TestPriceWindows)
#include "tst_pricewindows.moc"
