#pragma once
// Shared by the data store tests: a temporary folder with template tables written
// from the schema and a data path made from them, and short ways to add rows.
#include "core/store/DataFiles.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "core/store/Schema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace orvtest {

struct StoreFolders {
    QTemporaryDir tmp;
    QString templates;
    QString data;

    StoreFolders()
    {
        templates = tmp.filePath(QStringLiteral("DBTemplates"));
        data = tmp.filePath(QStringLiteral("Data"));
        QDir().mkpath(templates);
        QDir().mkpath(data);
        // Templates are written once per test process and copied (tests may spoil their copy).
        static QTemporaryDir shared;
        static bool written = false;
        for (const auto& def : orv::store::tableDefs()) {
            const QString name = orv::store::tableFileName(def.name);
            if (!written) {
                const orv::Status st = orv::store::createTableFile(QDir(shared.path()).filePath(name), def);
                if (!st)
                    qFatal("cannot write template %s: %s", qPrintable(def.name), qPrintable(st.message().text));
            }
            if (!QFile::copy(QDir(shared.path()).filePath(name), QDir(templates).filePath(name)))
                qFatal("cannot copy template %s", qPrintable(name));
        }
        written = true;
        const auto made = orv::store::createMissingTables(data, templates);
        if (!made)
            qFatal("cannot make the data path: %s", qPrintable(made.message().text));
    }
    QString dataFile(const QString& table) const { return QDir(data).filePath(orv::store::tableFileName(table)); }
};

// An open data module on a fresh data path.
struct OpenStore {
    StoreFolders folders;
    orv::ORVDataModule dm;
    OpenStore()
    {
        const orv::Status st = dm.open(folders.data);
        if (!st)
            qFatal("cannot open the data path: %s", qPrintable(st.message().text));
    }
};

inline orv::MasterListRec mlEntry(const QString& name, int row, int col, const QString& type = QStringLiteral("Mutual Fund"))
{
    orv::MasterListRec r;
    r.ShortName = name;
    r.Type = type;
    r.RowNum = row;
    r.ColNum = col;
    return r;
}

inline qint64 addML(orv::ORVDataModule& dm, const QString& name, int row, int col,
                    const QString& type = QStringLiteral("Mutual Fund"))
{
    const auto r = orv::store::insertMasterList(dm, mlEntry(name, row, col, type));
    if (!r)
        qFatal("insert failed: %s", qPrintable(r.message().text));
    return r.value();
}

inline qint64 addTx(orv::ORVDataModule& dm, int pf, int ml, orv::Day date, const QString& buySell, double shares,
                    const QString& comment = QString())
{
    orv::TransactionRec t;
    t.PfID = pf;
    t.MLID = ml;
    t.Date = date;
    t.BuySell = buySell;
    t.Shares = shares;
    t.Amount = shares * 10;
    t.Type = QStringLiteral("Usual");
    t.Comment = comment;
    const auto r = orv::store::insertTransaction(dm, t);
    if (!r)
        qFatal("insert failed: %s", qPrintable(r.message().text));
    return r.value();
}

}  // namespace orvtest
