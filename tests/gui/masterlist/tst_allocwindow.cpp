// Guards the asset allocation window: a new entry shows ten categories with ten
// sub-categories each and a total of 0.00; renaming a category or sub-category
// in the tree stores and shows the text cut to 24 or 16 characters; the percentage
// editor cannot take a value outside 0 to 100 and a refused value leaves the
// stored one; entered percentages are stored per category and the total follows
// them; a percentage still being typed is stored when the window closes.
#include <QtTest>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/masterlist/AllocAssignments.h"
#include "core/masterlist/EntryRules.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/masterlist/AssetAllocation.h"
#include "gui/masterlist/EditTableEntriesView.h"

using namespace orv;

namespace {
// The open editor of a grid (closed ones linger hidden until deleted).
QDoubleSpinBox* openEditor(EntryTableView* view)
{
    for (QDoubleSpinBox* e : view->viewport()->findChildren<QDoubleSpinBox*>())
        if (e->isVisible())
            return e;
    return nullptr;
}
}  // namespace

class TestAllocWindow : public QObject {
    Q_OBJECT
private:
    QTemporaryDir* tmp_ = nullptr;
    ORVDataModule* dm_ = nullptr;
    int ml_ = 0;

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
        MasterListRec r = newEntryDefaults(1, 0);
        r.ShortName = "Growth";
        const Result<int> id = addNewEntry(*dm_, r);
        QVERIFY(id.ok());
        ml_ = id.value();
    }
    void cleanup()
    {
        session::shutdown();
        appState().reset();
        delete tmp_;
    }

    void opensOnFirstCategory()
    {
        TfrmMLEditAllocations w(*dm_, ml_, "Growth");
        QCOMPARE(w.objectName(), QString("frmMLEditAllocations"));
        QCOMPARE(w.windowTitle(), QString("Edit Master List - Asset Allocation"));
        w.show();
        QCOMPARE(w.tvCategories->topLevelItemCount(), 10);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(w.tvCategories->topLevelItem(i)->childCount(), 10);
        QCOMPARE(w.tvCategories->currentItem(), w.tvCategories->topLevelItem(0));
        QCOMPARE(w.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Category 1"));
        QCOMPARE(w.model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Value"));
        QCOMPARE(w.model()->index(0, 0).data().toString(), QString("      Sub-category 1"));
        QCOMPARE(w.pnlTotalCaption->text(), QString("Total "));
        QCOMPARE(w.pnlTotal->text(), QString("0.00  "));
        QCOMPARE(w.pnlCaption->text(), QString("Growth"));
    }

    void renamesCut_data()
    {
        QTest::addColumn<int>("child");  // -1: the category node
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("category") << -1 << "International and emerging markets" << "International and emergi";
        QTest::newRow("sub-category") << 3 << "Small capitalisation value" << "Small capitalisa";
        QTest::newRow("short sub-category") << 0 << "Large" << "Large";
    }
    void renamesCut()
    {
        QFETCH(int, child);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        RecordingMessageSink sink;
        TfrmMLEditAllocations w(*dm_, ml_, "Growth");
        w.show();
        QTreeWidgetItem* cat = w.tvCategories->topLevelItem(2);
        QTreeWidgetItem* item = child < 0 ? cat : cat->child(child);
        w.tvCategories->setCurrentItem(item);
        item->setText(0, typed);  // as an accepted in-place edit does
        QCOMPARE(item->text(0), shown);
        const auto hdrs = allocHdrs(*dm_);
        QCOMPARE(child < 0 ? hdrs[2].Title : hdrs[2].Sub[size_t(child)], shown);
        if (child < 0)
            QCOMPARE(w.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), shown);
        else
            QCOMPARE(w.model()->index(child, 0).data().toString(), subCategoryLabel(shown));
        QVERIFY(sink.shown.isEmpty());
    }

    void percentagesLimitedAndTotalled()
    {
        RecordingMessageSink sink;
        {
            TfrmMLEditAllocations w(*dm_, ml_, "Growth");
            w.show();
            AllocValuesModel* m = w.model();
            // The editor cannot hold more than 100 or less than 0.
            w.OvcTableAssignments->setCurrentIndex(m->index(0, 1));
            w.OvcTableAssignments->edit(m->index(0, 1));
            QDoubleSpinBox* editor = nullptr;
            QTRY_VERIFY((editor = openEditor(w.OvcTableAssignments)) != nullptr);
            QCOMPARE(editor->minimum(), 0.0);
            QCOMPARE(editor->maximum(), 100.0);
            editor->selectAll();
            QTest::keyClicks(editor, "150");
            QVERIFY(editor->value() <= 100.0);
            editor->setValue(33.33);
            QVERIFY(w.OvcTableAssignments->finishEdit(true));
            QVERIFY(m->setData(m->index(1, 1), 12.5));
            QCOMPARE(w.pnlTotal->text(), QString("45.83  "));
            // A value from elsewhere outside the range is refused.
            QVERIFY(!m->setData(m->index(1, 1), 100.5));
            QCOMPARE(sink.texts(), QStringList{"The percentage must be between 0 and 100."});
            QCOMPARE(m->index(1, 1).data(Qt::EditRole).toDouble(), 12.5);
            // Another category has its own values.
            w.tvCategories->setCurrentItem(w.tvCategories->topLevelItem(4)->child(7));
            QCOMPARE(m->category(), 5);
            QCOMPARE(w.pnlTotal->text(), QString("0.00  "));
            QVERIFY(m->setData(m->index(9, 1), 100.0));
            QCOMPARE(w.pnlTotal->text(), QString("100.00  "));
            // A value being typed when the window closes is stored.
            w.OvcTableAssignments->setCurrentIndex(m->index(8, 1));
            w.OvcTableAssignments->edit(m->index(8, 1));
            QTRY_VERIFY((editor = openEditor(w.OvcTableAssignments)) != nullptr);
            editor->setValue(7);
            w.btnExit->click();
        }
        QCOMPARE(allocValues(*dm_, ml_, 1).Pct[0], double(float(33.33)));
        QCOMPARE(allocValues(*dm_, ml_, 1).Pct[1], 12.5);
        QCOMPARE(allocValues(*dm_, ml_, 5).Pct[9], 100.0);
        QCOMPARE(allocValues(*dm_, ml_, 5).Pct[8], 7.0);
        QCOMPARE(allocTotal(allocValues(*dm_, ml_, 2)), 0.0);
    }
};

QTEST_MAIN(TestAllocWindow)
#include "tst_allocwindow.moc"
