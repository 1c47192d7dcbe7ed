// Guards the entry-editing windows: New Entry storing the entry with its sign,
// padding and allocation rows on OK, each refusal shown with its exact text while
// nothing is stored and the window stays open, Cancel storing nothing, the post
// rule switched on only while a window exists; Edit Table Entries keeping a
// refused record in edit (and the cursor on it), refusing to close while a record
// is in edit, judging a second rename against the names as they are now (not as
// the sheet was loaded), its two-line headings and "&Delete Record"; Delete Entry
// ticking its steps and removing the rows, Cancel changing nothing; Column
// Headings cutting headings to 16 characters and storing the heading being typed
// when the window closes.
#include <QtTest>
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QLabel>
#include <QSpinBox>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTimer>

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/masterlist/AllocAssignments.h"
#include "core/masterlist/EntryRules.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/base/MessageDlg.h"
#include "gui/masterlist/ColumnHeadings.h"
#include "gui/masterlist/DeleteEntry.h"
#include "gui/masterlist/EditTableEntries.h"
#include "gui/masterlist/EditTableEntriesView.h"
#include "gui/masterlist/NewEntry.h"

using namespace orv;
using store::TableId;

namespace {
int count(ORVDataModule& dm, TableId t, const QString& where = QString())
{
    Query q = dm.query("SELECT count(*) FROM " + ORVDataModule::qualified(t) + (where.isEmpty() ? "" : " WHERE " + where));
    return q.next() ? int(q.int64(0)) : -1;
}
}  // namespace

class TestEntryWindows : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;
    ORVDataModule* dm_ = nullptr;
    int alpha_ = 0, beta_ = 0, cash_ = 0;

    int add(const QString& name, int row, int col, const QString& type = "Mutual Fund")
    {
        MasterListRec r = newEntryDefaults(row, col);
        r.ShortName = name;
        r.Type = type;
        const auto id = store::insertMasterList(*dm_, r);
        if (!id || !CreateAllocationRows(*dm_, int(id.value())))
            qFatal("entry");
        return int(id.value());
    }

private Q_SLOTS:
    void init()
    {
        tmp_ = new QTemporaryDir;
        const QString programPath = tmp_->filePath("program");
        QDir().mkpath(programPath + "/DBTemplates");
        const QDir templates(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
        for (const QString& f : templates.entryList({"*.FF2"}))
            QVERIFY(QFile::copy(templates.filePath(f), programPath + "/DBTemplates/" + f));
        qputenv("ORV_USER_PATH", tmp_->filePath("user").toLocal8Bit());
        appState().reset();
        initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));
        session::createHandler(programPath, nullptr);
        QVERIFY(session::openDataPath().ok());
        dm_ = session::dataModule();
        QVERIFY(dm_);
        alpha_ = add("Alpha", 1, 0);
        beta_ = add("Beta", 2, 0);
        cash_ = add("$Cash", 1, 1, "Money Market Fund");
        fillMLDisplay(*dm_, dm_->MLDisplay);
    }
    void cleanup()
    {
        session::shutdown();
        appState().reset();
        delete tmp_;
    }

    // ---- New Entry

    void newEntry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("icdi");
        QTest::addColumn<QString>("message");  // empty: stored
        QTest::addColumn<QString>("stored");
        QTest::newRow("money market") << "Reserve" << "Money Market Fund" << "12" << "" << "$Reserve";
        QTest::newRow("annuity keeps its sign") << "~Ann" << "Variable Annuity" << "1234567" << "" << "~Ann";
        QTest::newRow("linear") << "Line" << "Linear type" << "" << "" << "-Line";
        QTest::newRow("blank") << "   " << "Stock" << "" << "Short Name must not be blank." << "";
        QTest::newRow("[Pf]") << "[Pf]Mine" << "Stock" << "" << "[Pf] sequence not allowed." << "";
        QTest::newRow("duplicate in other case") << "bETA" << "Index" << ""
                                                 << "Short Name is already on the Master List." << "";
        QTest::newRow("duplicate once the sign is added") << "cash" << "Money Market Fund" << ""
                                                          << "Short Name is already on the Master List." << "";
    }
    void newEntry()
    {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, icdi);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        RecordingMessageSink sink;
        QVERIFY(!dm_->MLValidationOn);
        {
            TfrmMLEditNewEntry w(*dm_, 3, 2);
            QCOMPARE(w.objectName(), QString("frmMLEditNewEntry"));
            QCOMPARE(w.windowTitle(), QString("Edit Master List - New Entry"));
            QVERIFY(dm_->MLValidationOn);
            w.show();
            QCOMPARE(w.edMovAveDaily1->value(), 200);
            QCOMPARE(w.edMovAveWeekly2->value(), 20);
            QCOMPARE(w.cbxType->currentText(), QString("Mutual Fund"));
            w.edShortName->setText(name);
            w.cbxType->setCurrentText(type);
            w.edICDINumber->setText(icdi);
            w.edMovAveDaily2->setValue(50);
            w.edLongName->setFocus();
            w.bbtnOK->click();
            if (message.isEmpty()) {
                QVERIFY2(sink.shown.isEmpty(), qPrintable(sink.texts().join('|')));
                QCOMPARE(w.result(), int(QDialog::Accepted));
                const auto e = store::masterListEntry(*dm_, w.newMLID());
                QVERIFY(e);
                QCOMPARE(e->ShortName, stored);
                QCOMPARE(e->ICDINumber, padICDINumber(icdi));
                QCOMPARE(e->MovAveDaily2, 50);
                QCOMPARE(e->RowNum, 3);
                QCOMPARE(e->ColNum, 2);
                QCOMPARE(count(*dm_, TableId::AssetAllocValues, QString("MLID = %1").arg(w.newMLID())), 10);
            } else {
                QCOMPARE(sink.texts(), QStringList{message});
                QVERIFY(w.isVisible());
                QCOMPARE(w.newMLID(), -1);
                QCOMPARE(count(*dm_, TableId::MasterList), 3);
                if (name.trimmed().isEmpty())
                    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.edShortName));
            }
        }
        QVERIFY(!dm_->MLValidationOn);
    }

    void newEntryCancel()
    {
        RecordingMessageSink sink;
        TfrmMLEditNewEntry w(*dm_, 3, 2);
        w.show();
        w.edShortName->setText("Unsaved");
        w.bbtnCancel->click();
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(count(*dm_, TableId::MasterList), 3);
        QVERIFY(sink.shown.isEmpty());
    }

    // ---- Edit Table Entries

    void tableEntriesLayout()
    {
        TfrmMLEditTableEntries w(*dm_, beta_);
        QCOMPARE(w.windowTitle(), QString("Edit Master List - Table Entries"));
        QVERIFY(dm_->MLValidationOn);
        QCOMPARE(dm_->fftblMasterList().indexName(), QString("IndxShortName"));
        MLEntriesModel* m = w.model();
        QCOMPARE(m->rowCount(), 3);
        // Short-name order, opened on the entry of the active cell.
        QCOMPARE(m->index(0, 0).data().toString(), QString("$Cash"));
        QCOMPARE(w.OvcTableMasterList->currentIndex().row(), 2);
        QCOMPARE(m->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Daily\nMovAve #1"));
        QCOMPARE(m->headerData(9, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Weekly\nMovAve #2"));
        QCOMPARE(m->headerData(6, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
        QCOMPARE(m->headerData(7, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        for (int c = 10; c < m->columnCount(); ++c)
            QVERIFY(w.OvcTableMasterList->isColumnHidden(c));
    }

    void refusedPostKeepsEditAndRefusesClose()
    {
        RecordingMessageSink sink;
        TfrmMLEditTableEntries w(*dm_, beta_);
        w.show();
        MLEntriesModel* m = w.model();
        const int betaRow = m->rowOfMLID(beta_);
        QVERIFY(m->setData(m->index(betaRow, 0), " alpha "));
        QCOMPARE(m->editRow(), betaRow);
        // Leaving the row posts; the refusal keeps the record in edit and the cursor on it.
        w.OvcTableMasterList->setCurrentIndex(m->index(m->rowOfMLID(alpha_), 0));
        QCOMPARE(sink.texts(), QStringList{"alpha already used by another entry.\r\rTry again."});
        QCOMPARE(m->editRow(), betaRow);
        QCOMPARE(dm_->fftblMasterList().state(), TableState::Edit);
        QTRY_COMPARE(w.OvcTableMasterList->currentIndex().row(), betaRow);
        // Closing is refused once, with the edit cancelled.
        sink.shown.clear();
        w.reject();
        QVERIFY(w.isVisible());
        QCOMPARE(sink.texts(), QStringList{"Edit cancelled for this entry.\r\rTry again or leave unchanged before exiting."});
        QCOMPARE(dm_->fftblMasterList().state(), TableState::Browse);
        QCOMPARE(store::masterListEntry(*dm_, beta_)->ShortName, QString("Beta"));
        w.reject();
        QVERIFY(!w.isVisible());
    }

    void postRuleMessages_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("type change") << 2 << "Stock" << "Type change not allowed.\r\rTry again.";
        QTest::newRow("[Pf]") << 0 << "$[Pf]x" << "Cannot edit [Pf] entry or use [Pf] in edits.\r\rTry again.";
        QTest::newRow("blank") << 0 << "" << "Short Name must not be blank.\r\rTry again.";
    }
    void postRuleMessages()
    {
        QFETCH(int, column);
        QFETCH(QString, value);
        QFETCH(QString, message);
        RecordingMessageSink sink;
        TfrmMLEditTableEntries w(*dm_, cash_);
        w.show();
        MLEntriesModel* m = w.model();
        QVERIFY(m->setData(m->index(m->rowOfMLID(cash_), column), value));
        w.bbtnOK->click();
        QCOMPARE(sink.texts(), QStringList{message});
        QVERIFY(w.isVisible());
        w.bbtnCancel->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(store::masterListEntry(*dm_, cash_)->Type, QString("Money Market Fund"));
        QCOMPARE(store::masterListEntry(*dm_, cash_)->ShortName, QString("$Cash"));
    }

    void renamesJudgedAgainstCurrentNames()
    {
        RecordingMessageSink sink;
        {
            TfrmMLEditTableEntries w(*dm_, beta_);
            w.show();
            MLEntriesModel* m = w.model();
            QVERIFY(m->setData(m->index(m->rowOfMLID(beta_), 0), "Gamma"));
            QVERIFY(m->postEdit());
            // The new name is taken, the old one is free.
            QVERIFY(m->setData(m->index(m->rowOfMLID(alpha_), 0), "GAMMA"));
            QVERIFY(!m->postEdit());
            QCOMPARE(sink.texts(), QStringList{"GAMMA already used by another entry.\r\rTry again."});
            m->cancelEdit();
            QVERIFY(m->setData(m->index(m->rowOfMLID(alpha_), 0), "Beta"));
            QVERIFY(m->setData(m->index(m->rowOfMLID(alpha_), 6), 150));
            w.bbtnOK->click();
            QCOMPARE(w.result(), int(QDialog::Accepted));
        }
        QCOMPARE(sink.shown.size(), 1);
        QCOMPARE(store::masterListEntry(*dm_, beta_)->ShortName, QString("Gamma"));
        QCOMPARE(store::masterListEntry(*dm_, alpha_)->ShortName, QString("Beta"));
        QCOMPARE(store::masterListEntry(*dm_, alpha_)->MovAveDaily1, 150);
        QVERIFY(!dm_->MLValidationOn);
        QCOMPARE(dm_->fftblMasterList().indexName(), QString("IndxColRow"));
    }

    void deleteRecord()
    {
        RecordingMessageSink sink;
        TfrmMLEditTableEntries w(*dm_, alpha_);
        w.show();
        QTimer clicker;
        QString seen;
        connect(&clicker, &QTimer::timeout, this, [&] {
            if (auto* d = qobject_cast<TfrmMLDeleteEntry*>(QApplication::activeModalWidget())) {
                seen = d->lblDelete->text();
                d->bbtnOK->click();
            }
        });
        clicker.start(20);
        MLEntriesModel* m = w.model();
        QVERIFY(m->setData(m->index(m->rowOfMLID(alpha_), 1), "pending long name"));
        w.bbtnDeleteRecord->click();
        QCOMPARE(seen, QString("Delete   Alpha   and all associated"));
        QCOMPARE(appState().CurMLID, alpha_);
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->rowOfMLID(alpha_), -1);
        QVERIFY(!store::masterListEntry(*dm_, alpha_));
        QCOMPARE(count(*dm_, TableId::AssetAllocValues, QString("MLID = %1").arg(alpha_)), 0);
        QVERIFY(sink.shown.isEmpty());
    }

    // ---- Delete Entry

    void deleteEntryWindow()
    {
        for (int d = 0; d < 4; ++d) {
            PriceRec p;
            p.MLID = beta_;
            p.Date = 45300 + d;
            p.Price = 10;
            QVERIFY(store::storePriceRow(*dm_, p).ok());
        }
        TransactionRec t;
        t.PfID = 1;
        t.MLID = beta_;
        t.Date = 45301;
        t.BuySell = "Buy";
        t.Shares = 3;
        t.Amount = 30;
        t.Type = "Usual";
        QVERIFY(store::insertTransaction(*dm_, t).ok());
        {
            TfrmMLDeleteEntry w(*dm_, beta_);
            w.show();
            QVERIFY(w.lblTickPrices->isHidden());
            w.bbtnCancel->click();
        }
        QCOMPARE(count(*dm_, TableId::Prices, QString("MLID = %1").arg(beta_)), 4);
        TfrmMLDeleteEntry w(*dm_, beta_);
        QCOMPARE(w.windowTitle(), QString("Edit Master List - Delete Entry"));
        QCOMPARE(w.lblAssociated->text(), QString("closing prices, distributions, and transactions?"));
        w.show();
        w.bbtnOK->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(!w.lblTickPrices->isHidden());
        QVERIFY(!w.lblTickDistributions->isHidden());
        QVERIFY(!w.lblTickTransactions->isHidden());
        QCOMPARE(w.ProgressBar->maximum(), 1);
        QCOMPARE(w.ProgressBar->value(), 1);
        for (TableId table : {TableId::MasterList, TableId::Prices, TableId::Transactions, TableId::AssetAllocValues})
            QCOMPARE(count(*dm_, table, QString("MLID = %1").arg(beta_)), 0);
        QCOMPARE(count(*dm_, TableId::MasterList), 2);
    }

    // ---- Column Headings

    void columnHeadings()
    {
        for (int c = 1; c <= 100; ++c)
            QVERIFY(setColumnHeading(*dm_, c, QString("Column %1").arg(c)).ok());
        TfrmMLEditColHd w(*dm_);
        QCOMPARE(w.windowTitle(), QString("Edit Master List - Column Headings"));
        QCOMPARE(w.lblCaption->text(), QString("Type in the desired heading for each column."));
        w.show();
        ColHdrsModel* m = w.model();
        QCOMPARE(m->rowCount(), 100);
        QCOMPARE(w.OvcTableColHdrs->currentIndex(), m->index(0, 1));
        QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(m->setData(m->index(2, 1), "Aggressive growth funds"));
        QCOMPARE(m->index(2, 1).data().toString(), QString("Aggressive growt"));
        // A heading still being typed is stored when the window closes.
        w.OvcTableColHdrs->setCurrentIndex(m->index(4, 1));
        w.OvcTableColHdrs->edit(m->index(4, 1));
        QLineEdit* editor = nullptr;
        QTRY_VERIFY((editor = w.OvcTableColHdrs->viewport()->findChild<QLineEdit*>()) != nullptr);
        QCOMPARE(editor->maxLength(), 16);
        editor->setText("Income");
        w.bbtnOK->click();
        Query q = dm_->query("SELECT ColNum, Heading FROM " + ORVDataModule::qualified(TableId::MasterListColHdrs) +
                             " WHERE ColNum IN (3, 5) ORDER BY ColNum");
        QVERIFY(q.next());
        QCOMPARE(q.text(1), QString("Aggressive growt"));
        QVERIFY(q.next());
        QCOMPARE(q.text(1), QString("Income"));
    }
};

QTEST_MAIN(TestEntryWindows)
#include "tst_entrywindows.moc"
