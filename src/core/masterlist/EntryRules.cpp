// New entries, the table editor's columns and the column headings.
#include "core/masterlist/EntryRules.h"

#include "core/base/TBXSubs.h"
#include "core/masterlist/AllocAssignments.h"
#include "core/store/DataModule.h"

namespace orv {

namespace {

Message beeping(MsgType type, const QString& text)
{
    Message m{type, text, Btn::OK, true};
    return m;
}

}  // namespace

const QStringList& issueTypes()
{
    static const QStringList types{QStringLiteral("Mutual Fund"),       QStringLiteral("Stock"),
                                   QStringLiteral("Variable Annuity"),  QStringLiteral("Money Market Fund"),
                                   QStringLiteral("Index"),             QStringLiteral("Linear type")};
    return types;
}

MasterListRec newEntryDefaults(int rowNum, int colNum)
{
    MasterListRec r;
    r.Type = QStringLiteral("Mutual Fund");
    r.MovAveDaily1 = 200;
    r.MovAveDaily2 = 100;
    r.MovAveWeekly1 = 39;
    r.MovAveWeekly2 = 20;
    r.Selected = false;
    r.RowNum = rowNum;
    r.ColNum = colNum;
    return r;
}

QString prefixedShortName(const QString& name, const QString& type)
{
    // Checked in this order; only the first matching type puts its sign in front.
    if (type == QLatin1String("Money Market Fund")) {
        if (!name.startsWith(QLatin1Char('$')))
            return QLatin1Char('$') + name;
    } else if (type == QLatin1String("Linear type")) {
        if (!name.startsWith(QLatin1Char('-')))
            return QLatin1Char('-') + name;
    } else if (type == QLatin1String("Variable Annuity")) {
        if (!name.startsWith(QLatin1Char('~')))
            return QLatin1Char('~') + name;
    }
    return name;
}

QString padICDINumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QString();
    return (QStringLiteral("00000") + t).right(kICDILen);
}

bool nameOnSheet(const QString& name, const TMLDisplayArray& display)
{
    const QString upper = name.trimmed().toUpper();
    for (int r = 0; r <= display.maxRow(); ++r)
        for (int c = 0; c <= display.maxCol(); ++c)
            if (display.at(r, c).shortName.trimmed().toUpper() == upper)
                return true;
    return false;
}

Message blankCellMessage()
{
    return beeping(MsgType::Custom, QStringLiteral("First place the highlight over a blank area on the Master List."));
}
Message blankShortNameMessage() { return beeping(MsgType::Warning, QStringLiteral("Short Name must not be blank.")); }
Message pfNotAllowedMessage() { return beeping(MsgType::Warning, QStringLiteral("[Pf] sequence not allowed.")); }
Message nameOnListMessage()
{
    return beeping(MsgType::Warning, QStringLiteral("Short Name is already on the Master List."));
}

Result<MasterListRec> prepareNewEntry(const MasterListRec& typed, const TMLDisplayArray& display)
{
    MasterListRec r = typed;
    const QString name = typed.ShortName.trimmed();
    if (name.isEmpty())
        return blankShortNameMessage();
    if (name.left(4) == QLatin1String("[Pf]"))
        return pfNotAllowedMessage();
    // The sign may make the name one character longer than the field holds; the
    // stored (cut) name is the one checked for uniqueness.
    r.ShortName = prefixedShortName(name, typed.Type.trimmed()).left(kShortNameLen);
    r.ICDINumber = padICDINumber(typed.ICDINumber);
    if (nameOnSheet(r.ShortName, display))
        return nameOnListMessage();
    return r;
}

Result<int> insertNewEntry(ORVDataModule& dm, const MasterListRec& prepared)
{
    if (store::countInRange(dm, store::TableId::MasterList, QStringLiteral("IndxColRow"),
                            {prepared.ColNum, prepared.RowNum}) > 0)
        return blankCellMessage();

    Transaction tx(dm);
    if (!tx.started())
        return Message::error(QStringLiteral("Database error: the transaction could not be started."));
    MasterListRec r = prepared;
    r.MLID = 0;
    const Result<qint64> id = store::insertMasterList(dm, r);
    if (!id)
        return id.message();
    if (const Status st = CreateAllocationRows(dm, int(id.value())); !st)
        return st.message();
    if (const Status st = tx.commit(); !st)
        return st.message();
    return int(id.value());
}

Result<int> addNewEntry(ORVDataModule& dm, const MasterListRec& typed)
{
    const Result<MasterListRec> prepared = prepareNewEntry(typed, dm.MLDisplay);
    if (!prepared)
        return prepared.message();
    return insertNewEntry(dm, prepared.value());
}

// ---------------------------------------------------------------- table editor

const QVector<EntryColumn>& tableEntryColumns()
{
    static const QVector<EntryColumn> cols{
        {QStringLiteral("ShortName"), QStringLiteral("Short Name"), kShortNameLen},
        {QStringLiteral("LongName"), QStringLiteral("Long Name"), kLongNameLen},
        {QStringLiteral("Type"), QStringLiteral("Type"), 0},
        {QStringLiteral("Ticker"), QStringLiteral("Ticker"), kTickerLen},
        {QStringLiteral("ICDINumber"), QStringLiteral("ICDI Number"), kICDITypedLen},
        {QStringLiteral("CUSIP"), QStringLiteral("CUSIP"), kCUSIPLen},
        {QStringLiteral("MovAveDaily1"), QStringLiteral("Daily~MovAve #1"), 0},
        {QStringLiteral("MovAveDaily2"), QStringLiteral("Daily~MovAve #2"), 0},
        {QStringLiteral("MovAveWeekly1"), QStringLiteral("Weekly~MovAve #1"), 0},
        {QStringLiteral("MovAveWeekly2"), QStringLiteral("Weekly~MovAve #2"), 0},
    };
    return cols;
}

QString twoLineHeading(const QString& heading)
{
    QString s = heading;
    ReplaceChar(s, QLatin1Char('~'), QLatin1Char('\r'));
    return s;
}

Message emptyTableMessage()
{
    return beeping(MsgType::Warning, QStringLiteral("Can't edit an empty table.  Choose New Entry."));
}
Message editCancelledMessage()
{
    return Message::info(QStringLiteral("Edit cancelled for this entry.\r\rTry again or leave unchanged before exiting."));
}
Message blankDeleteMessage() { return beeping(MsgType::Custom, QStringLiteral("Can't delete a blank entry.")); }

// ---------------------------------------------------------------- column headings

Status setColumnHeading(ORVDataModule& dm, int colNum, const QString& text)
{
    if (colNum < 1 || colNum > kHeadingCount)
        return Message::error(QStringLiteral("There is no column %1.").arg(colNum));
    const QString heading = text.left(kHeadingLen);
    bool found = false;
    qint64 rowid = 0;
    {
        Query q = dm.query(QStringLiteral("SELECT rowid FROM %1 WHERE ColNum = ? ORDER BY rowid")
                               .arg(ORVDataModule::qualified(store::TableId::MasterListColHdrs)));
        q.bind(1, colNum);
        found = q.next();
        rowid = found ? q.int64(0) : 0;
        if (q.failed())
            return Message::error(QStringLiteral("Database error: ") + q.error());
    }
    if (found)
        return store::updateRow(dm, store::TableId::MasterListColHdrs, rowid, {{QStringLiteral("Heading"), heading}});
    const Result<qint64> id = store::insertRow(dm, store::TableId::MasterListColHdrs,
                                               {{QStringLiteral("ColNum"), colNum}, {QStringLiteral("Heading"), heading}});
    return id ? Status::success() : Status(id.message());
}

}  // namespace orv
