// Guards the report status window and its progress adapter: a Cancel pressed
// during a running computation must stop it at its next test of the flag (and
// a rebuild of many issues must stop between issues), a window shown again
// must start with the flag cleared (else every later run stops at once), a
// close must be refused while MayClose is false and must reset the bar, and
// the status bar must have its two panels.
#include <QtTest>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "../../core/select/SelectFixture.h"
#include "core/prices/AdjPrices.h"
#include "gui/base/GuiProgress.h"
#include "gui/base/ReportStatus.h"

using namespace orv;

class TestReportStatus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { destroyReportStatus(); }

    void createdOnceWithItsControls()
    {
        TfrmReportStatus& w = frmReportStatus();
        QCOMPARE(&frmReportStatus(), &w);
        QCOMPARE(w.windowTitle(), QStringLiteral("Report Status"));
        QCOMPARE(w.objectName(), QStringLiteral("frmReportStatus"));
        QVERIFY(w.MayClose);
        QVERIFY(!w.Cancelled);
        QCOMPARE(w.btnCancel->text(), QStringLiteral("Cancel"));
        QCOMPARE(w.panel(0)->width(), 179);
        QCOMPARE(w.panel(1)->width(), 50);
        QVERIFY(!w.panel(2));
        w.setPanelText(1, QStringLiteral("3/10"));
        QCOMPARE(w.panelText(1), QStringLiteral("3/10"));
    }

    // Cancel is pressed (as a queued click, the way a user's click arrives)
    // while unit 3 runs; the loop must see it at the test after that unit.
    void cancelStopsAtNextTest_data()
    {
        QTest::addColumn<int>("cancelDuring");
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("expectDone");
        QTest::newRow("in the middle") << 3 << 10 << 4;
        QTest::newRow("first unit") << 0 << 10 << 1;
        QTest::newRow("never") << -1 << 10 << 10;
    }
    void cancelStopsAtNextTest()
    {
        QFETCH(int, cancelDuring);
        QFETCH(int, units);
        QFETCH(int, expectDone);
        TfrmReportStatus& w = frmReportStatus();
        w.start(QStringLiteral("Working on:  test"), units);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        GuiProgress progress(w);
        progress.setRange(units);
        int done = 0;
        for (int i = 0; i < units; ++i) {
            if (i == cancelDuring)
                QMetaObject::invokeMethod(w.btnCancel, "click", Qt::QueuedConnection);
            ++done;
            progress.step();
            if (progress.cancelled())
                break;
        }
        QCOMPARE(done, expectDone);
        QCOMPARE(w.ProgressBar->value(), expectDone);
        QCOMPARE(w.lblStatus->text(), QStringLiteral("Working on:  test"));
        w.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.ProgressBar->value(), 0);
    }

    void reopeningClearsCancel()
    {
        TfrmReportStatus& w = frmReportStatus();
        w.start(QStringLiteral("first"), 5);
        w.btnCancel->click();
        QVERIFY(w.Cancelled);
        w.close();
        QVERIFY(w.Cancelled);  // stays set for the caller to read after the close
        w.start(QStringLiteral("second"), 5);
        QVERIFY(!w.Cancelled);
        GuiProgress progress(w);
        progress.step();
        QVERIFY(!progress.cancelled());
        w.close();
    }

    void closeOnlyWhileMayClose()
    {
        TfrmReportStatus& w = frmReportStatus();
        w.start(QStringLiteral("busy"), 4);
        w.ProgressBar->setValue(2);
        w.MayClose = false;
        w.close();
        QVERIFY(w.isVisible());
        QCOMPARE(w.ProgressBar->value(), 2);
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        w.MayClose = true;
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.ProgressBar->value(), 0);
    }

    // A real core pass: RebuildIssues tests the flag between issues, so a
    // Cancel during the second issue leaves the rest untouched.
    void cancelStopsRebuildOfIssues()
    {
        testing::DataPathFixture fx;
        QVERIFY(fx.ok());
        std::vector<int> ids;
        for (int i = 0; i < 5; ++i) {
            const int id = fx.addEntry(QStringLiteral("Fund %1").arg(i), 0, i + 1);
            QVERIFY(id > 0);
            const Day monday = dayFromDate(QDate(2026, 1, 5));
            fx.addPrice(id, monday, 10.0);
            fx.addPrice(id, monday + 4, 11.0);  // Friday: three holes between
            ids.push_back(id);
        }
        TfrmReportStatus& w = frmReportStatus();
        w.start(QStringLiteral("Rebuilding"), 0);
        GuiProgress gui(w);
        // Presses Cancel once the second issue has begun stepping.
        struct Spy final : Progress {
            GuiProgress& inner;
            TfrmReportStatus& w;
            int statusCount = 0;
            Spy(GuiProgress& g, TfrmReportStatus& win) : inner(g), w(win) {}
            void setRange(int m) override { inner.setRange(m); }
            void setStatus(const QString& t) override
            {
                if (!t.isEmpty() && ++statusCount == 2)
                    QMetaObject::invokeMethod(w.btnCancel, "click", Qt::QueuedConnection);
                inner.setStatus(t);
            }
            void step(int by) override { inner.step(by); }
            bool cancelled() const override { return inner.cancelled(); }
        } spy(gui, w);
        auto done = RebuildIssues(fx.dm(), ids, spy);
        QVERIFY(done.ok());
        QVERIFY2(done.value() < 5, qPrintable(QString::number(done.value())));
        QVERIFY(done.value() >= 1);
        // The issues after the stop keep their holes.
        QCOMPARE(int(store::pricesOf(fx.dm(), ids.back()).size()), 2);
        QCOMPARE(int(store::pricesOf(fx.dm(), ids.front()).size()), 5);
        w.close();
    }

    void adapterOnAnyBar()
    {
        QProgressBar bar;
        QLabel label;
        bool stop = false;
        GuiProgress p(&bar, &label, [&stop] { return stop; });
        p.setRange(3);
        p.setStatus(QStringLiteral("Loading"));
        p.step();
        p.step(5);  // never past the end
        QCOMPARE(bar.value(), 3);
        QCOMPARE(label.text(), QStringLiteral("Loading"));
        QVERIFY(!p.cancelled());
        stop = true;
        QVERIFY(p.cancelled());
        GuiProgress bare(nullptr);
        bare.step();  // no bar, no label: nothing to do, no crash
        QVERIFY(!bare.cancelled());
    }
};

QTEST_MAIN(TestReportStatus)
#include "tst_reportstatus.moc"
