#pragma once
// A fresh data path for the selection and progress window tests: the user folder
// and a program folder with the template tables in a temporary folder, the
// session opened on it, and small writers for entries, prices, portfolios and
// holdings.

#include <QtTest>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"

namespace orv::testing {

class DataPathFixture {
public:
    // Opens a fresh data path; check ok() afterwards.
    DataPathFixture()
    {
        programPath_ = tmp_.filePath(QStringLiteral("program"));
        QDir().mkpath(programPath_ + QStringLiteral("/DBTemplates"));
        const QDir templates(QStringLiteral(ORV_BIN_DIR "/DBTemplates"));
        for (const QString& f : templates.entryList({QStringLiteral("*.FF2")}))
            QFile::copy(templates.filePath(f), programPath_ + QStringLiteral("/DBTemplates/") + f);
        qputenv("ORV_USER_PATH", tmp_.filePath(QStringLiteral("user")).toLocal8Bit());
        appState().reset();
        initSharedFormats(QLocale(QLocale::English, QLocale::UnitedStates));
        session::createHandler(programPath_, nullptr);
        auto opened = session::openDataPath();
        ok_ = opened.ok() && session::dataModule();
    }
    ~DataPathFixture()
    {
        session::shutdown();
        appState().reset();
    }
    bool ok() const { return ok_; }
    ORVDataModule& dm() const { return *session::dataModule(); }
    QString tempPath() const { return appState().TempPath; }

    int addEntry(const QString& name, int col, int row, const QString& ticker = {}, const QString& icdi = {},
                 const QString& cusip = {}, const QString& type = QStringLiteral("Mutual fund"))
    {
        MasterListRec r;
        r.ShortName = name;
        r.LongName = name + QStringLiteral(" long");
        r.Type = type;
        r.Ticker = ticker;
        r.ICDINumber = icdi;
        r.CUSIP = cusip;
        r.ColNum = col;
        r.RowNum = row;
        auto id = store::insertMasterList(dm(), r);
        if (!id.ok())
            qWarning() << "insertMasterList" << id.message().text;
        return id.ok() ? int(id.value()) : -1;
    }
    int addPortfolio(const QString& name)
    {
        PortfolioRec p;
        p.ShortName = name;
        p.LongName = name + QStringLiteral(" long");
        auto id = store::insertPortfolio(dm(), p);
        if (!id.ok())
            qWarning() << "insertPortfolio" << id.message().text;
        return id.ok() ? int(id.value()) : -1;
    }
    void addHolding(int pfID, int mlID, double shares)
    {
        TransxSummaryRec h;
        h.PfID = pfID;
        h.MLID = mlID;
        h.Shares = shares;
        auto id = store::insertRow(dm(), store::TableId::TransxSummary, store::toFields(h));
        if (!id.ok())
            qWarning() << "insert TransxSummary" << id.message().text;
    }
    void addPrice(int mlID, Day day, double price)
    {
        PriceRec p;
        p.MLID = mlID;
        p.Date = day;
        p.Price = price;
        p.AdjPrice = price;
        auto st = store::storePriceRow(dm(), p);
        if (!st.ok())
            qWarning() << "storePriceRow" << st.message().text;
    }
    void addDistribution(int mlID, Day exDate, double total)
    {
        DistributionRec d;
        d.MLID = mlID;
        d.ExDate = d.RecDate = d.PayDate = exDate;
        d.Total = d.Income = total;
        auto id = store::insertDistribution(dm(), d);
        if (!id.ok())
            qWarning() << "insertDistribution" << id.message().text;
    }

private:
    QTemporaryDir tmp_;
    QString programPath_;
    bool ok_ = false;
};

}  // namespace orv::testing
