#include "core/store/Table.h"

#include "core/base/Dates.h"
#include "core/store/DataModule.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace orv {

using namespace store;

Table::Table(ORVDataModule& dm, TableId id) : dm_(dm), def_(&tableDef(id)) {}

QString Table::qualifiedName() const { return ORVDataModule::qualified(def_->id); }

Status Table::open()
{
    if (!dm_.isOpen())
        return Message::error(QStringLiteral("Cannot open table %1: the database is not open.").arg(def_->name));
    state_ = TableState::Browse;
    index_ = def_->defaultIndex;
    rangeKeys_.clear();
    rows_.clear();
    pos_ = -1;
    bufLoaded_ = false;
    invalidate(kNoBookmark);  // read on first use: opening all tables stays cheap
    return Status::success();
}

void Table::close()
{
    state_ = TableState::Inactive;
    rows_.clear();
    pos_ = -1;
    bof_ = eof_ = true;
    rangeKeys_.clear();
    bufLoaded_ = false;
    buf_.clear();
}

Status Table::setIndexName(const QString& name)
{
    if (!name.isEmpty() && !def_->index(name))
        return Message::error(QStringLiteral("Index %1 not found in table %2.").arg(name, def_->name));
    const Bookmark keep = (state_ == TableState::Browse) ? bookmark() : kNoBookmark;
    index_ = name;
    rangeKeys_.clear();
    if (active())
        invalidate(keep);  // usually a range follows at once
    return Status::success();
}

Status Table::setRange(const QVariantList& keys)
{
    const IndexDef* ix = def_->index(index_);
    const int n = ix ? int(ix->keys.size()) : 0;
    if (keys.isEmpty() || keys.size() > n)
        return Message::error(
            QStringLiteral("A range on table %1 needs 1 to %2 key values of index %3.").arg(def_->name).arg(n).arg(index_));
    QVariantList conv;
    for (int i = 0; i < keys.size(); ++i) {
        const FieldDef& f = def_->fields[size_t(def_->fieldIndex(ix->keys[size_t(i)].field))];
        QVariant v;
        if (!convert(f, keys[i], &v))
            return Message::error(QStringLiteral("Wrong range value for field %1.").arg(f.name));
        conv << v;
    }
    rangeKeys_ = conv;
    if (active()) {
        requery(kNoBookmark, 0);
        first();
    }
    return Status::success();
}

void Table::cancelRange()
{
    if (rangeKeys_.isEmpty())
        return;
    const Bookmark keep = (state_ == TableState::Browse) ? bookmark() : kNoBookmark;
    rangeKeys_.clear();
    if (active())
        requery(keep, 0);
}

Status Table::setFilter(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        filterText_.clear();
        filterSql_.clear();
        filterValue_ = QVariant();
    } else {
        static const QRegularExpression re(
            QStringLiteral(R"re(^\s*(\w+)\s*(<>|<=|>=|=|<|>)\s*(?:"([^"]*)"|'([^']*)'|(-?\d+(?:\.\d+)?))\s*$)re"));
        const auto m = re.match(text);
        const int fi = m.hasMatch() ? def_->fieldIndex(m.captured(1)) : -1;
        if (fi < 0)
            return Message::error(QStringLiteral("Filter \"%1\" is not understood for table %2.").arg(text, def_->name));
        QVariant v = !m.captured(5).isEmpty() ? QVariant(m.captured(5).toDouble())
                     : m.capturedStart(4) >= 0 ? QVariant(m.captured(4))
                                               : QVariant(m.captured(3));
        filterText_ = text;
        filterSql_ = quoteIdent(m.captured(1)) + QLatin1Char(' ') + m.captured(2) + QStringLiteral(" ?");
        filterValue_ = v;
    }
    if (active() && filtered_)
        requery(state_ == TableState::Browse ? bookmark() : kNoBookmark, 0);
    return Status::success();
}

void Table::setOnFilterRecord(std::function<bool(Table&)> hook) { filterHook_ = std::move(hook); }

void Table::setFiltered(bool on)
{
    if (filtered_ == on)
        return;
    const Bookmark keep = (state_ == TableState::Browse) ? bookmark() : kNoBookmark;
    filtered_ = on;
    if (active())
        requery(keep, 0);
}

QString Table::orderBy() const
{
    const IndexDef* ix = def_->index(index_);
    QStringList keys;
    if (ix)
        for (const auto& k : ix->keys)
            keys << quoteIdent(k.field) + (k.descending ? QStringLiteral(" DESC") : QString());
    keys << QStringLiteral("rowid");
    return keys.join(QStringLiteral(", "));
}

void Table::invalidate(Bookmark keep)
{
    stale_ = true;
    staleKeep_ = keep;
}

void Table::ensureFresh()
{
    if (!active() || filtering_)
        return;
    if (stale_) {
        requery(staleKeep_, 0);
        const bool kept = staleKeep_ != kNoBookmark && pos_ >= 0 && rows_[pos_] == staleKeep_;
        if (kept)
            bof_ = eof_ = false;
        else
            bof_ = true;  // on the first record
        return;
    }
    if (seenVersion_ != dm_.tableVersion(def_->id)) {
        const Bookmark keep = (pos_ >= 0 && pos_ < rows_.size()) ? rows_[pos_] : kNoBookmark;
        requery(keep, pos_);
    }
}

void Table::requery(Bookmark keep, int fallbackPos)
{
    stale_ = false;
    seenVersion_ = dm_.tableVersion(def_->id);
    QStringList where;
    QVariantList binds;
    const IndexDef* ix = def_->index(index_);
    for (int i = 0; i < rangeKeys_.size() && ix; ++i) {
        const QString col = quoteIdent(ix->keys[size_t(i)].field);
        if (rangeKeys_[i].isNull()) {
            where << col + QStringLiteral(" IS NULL");
        } else {
            where << col + QStringLiteral(" = ?");
            binds << rangeKeys_[i];
        }
    }
    const bool useHook = filtered_ && filterHook_;
    if (filtered_ && !filterSql_.isEmpty()) {
        where << filterSql_;
        binds << filterValue_;
    }
    QStringList cols{QStringLiteral("rowid")};
    if (useHook)
        for (const auto& f : def_->fields)
            cols << quoteIdent(f.name);
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(cols.join(QStringLiteral(", ")), qualifiedName());
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY ") + orderBy();

    rows_.clear();
    Query q = dm_.query(sql);
    q.bindAll(binds);
    QVariantList saved;
    if (useHook) {
        saved = buf_;
        filtering_ = true;
    }
    while (q.next()) {
        const Bookmark rid = q.int64(0);
        if (useHook) {
            buf_.clear();
            for (size_t i = 0; i < def_->fields.size(); ++i)
                buf_ << fromSql(def_->fields[i], q.value(int(i) + 1));
            if (!filterHook_(*this))
                continue;
        }
        rows_.push_back(rid);
    }
    if (useHook) {
        filtering_ = false;
        buf_ = saved;
    }
    pos_ = -1;
    if (!rows_.isEmpty()) {
        const int at = keep != kNoBookmark ? int(rows_.indexOf(keep)) : -1;
        pos_ = at >= 0 ? at : qBound(0, fallbackPos, int(rows_.size()) - 1);
    }
    bof_ = eof_ = rows_.isEmpty();
    if (state_ == TableState::Browse)
        bufLoaded_ = false;
}

int Table::recordCount()
{
    ensureFresh();
    return int(rows_.size());
}

namespace {
bool leaveEdit(Table& t)
{
    if (t.state() == TableState::Edit || t.state() == TableState::Insert)
        return t.post().ok();
    return true;
}
}  // namespace

void Table::first()
{
    if (!leaveEdit(*this))
        return;
    ensureFresh();
    pos_ = rows_.isEmpty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.isEmpty();
}

void Table::last()
{
    if (!leaveEdit(*this))
        return;
    ensureFresh();
    pos_ = int(rows_.size()) - 1;
    eof_ = true;
    bof_ = rows_.isEmpty();
}

void Table::next()
{
    if (!leaveEdit(*this))
        return;
    ensureFresh();
    if (pos_ >= 0 && pos_ + 1 < rows_.size()) {
        ++pos_;
        bof_ = eof_ = false;
    } else {
        eof_ = true;
    }
}

void Table::prior()
{
    if (!leaveEdit(*this))
        return;
    ensureFresh();
    if (pos_ > 0) {
        --pos_;
        bof_ = eof_ = false;
    } else {
        bof_ = true;
    }
}

bool Table::eof()
{
    ensureFresh();
    return eof_ || rows_.isEmpty();
}

bool Table::bof()
{
    ensureFresh();
    return bof_ || rows_.isEmpty();
}

bool Table::locate(const QString& fields, const QVariantList& values)
{
    if (!active() || !leaveEdit(*this))
        return false;
    ensureFresh();
    const QStringList names = fields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (names.isEmpty() || names.size() != values.size())
        return false;
    QStringList where;
    QVariantList binds;
    for (int i = 0; i < names.size(); ++i) {
        const int fi = def_->fieldIndex(names[i].trimmed());
        if (fi < 0)
            return false;
        const FieldDef& f = def_->fields[size_t(fi)];
        QVariant v;
        if (!convert(f, values[i], &v))
            return false;
        if (v.isNull()) {
            where << quoteIdent(f.name) + QStringLiteral(" IS NULL");
        } else {
            where << quoteIdent(f.name) + QStringLiteral(" = ?");
            binds << v;
        }
    }
    Query q = dm_.query(QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY %3")
                            .arg(qualifiedName(), where.join(QStringLiteral(" AND ")), orderBy()));
    q.bindAll(binds);
    while (q.next()) {
        const int at = int(rows_.indexOf(q.int64(0)));
        if (at >= 0) {
            pos_ = at;
            bof_ = eof_ = false;
            bufLoaded_ = false;
            return true;
        }
    }
    return false;
}

bool Table::loadRow(Bookmark rowid, QVariantList* out) const
{
    out->clear();
    QStringList cols;
    for (const auto& f : def_->fields)
        cols << quoteIdent(f.name);
    Query q = dm_.query(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(cols.join(QStringLiteral(", ")), qualifiedName()));
    q.bind(1, rowid);
    const bool found = q.next();
    for (size_t i = 0; i < def_->fields.size(); ++i)
        *out << (found ? fromSql(def_->fields[i], q.value(int(i))) : QVariant());
    return found;
}

void Table::bufferCurrent()
{
    if (state_ != TableState::Browse)
        return;
    if (postedRow_ == kNoBookmark && (pos_ < 0 || pos_ >= rows_.size())) {
        buf_.clear();
        for (size_t i = 0; i < def_->fields.size(); ++i)
            buf_ << QVariant();
        bufRow_ = kNoBookmark;
        bufLoaded_ = true;
        return;
    }
    const Bookmark target = postedRow_ != kNoBookmark ? postedRow_ : rows_[pos_];
    if (!bufLoaded_ || bufRow_ != target) {
        loadRow(target, &buf_);
        bufRow_ = target;
        bufLoaded_ = true;
    }
}

QVariant Table::value(const QString& field)
{
    if (!active())
        return QVariant();
    if (!filtering_) {
        ensureFresh();
        bufferCurrent();
    }
    const int fi = def_->fieldIndex(field);
    if (fi >= 0)
        return fi < buf_.size() ? buf_[fi] : QVariant();
    for (const auto& lk : def_->lookups) {
        if (lk.name != field)
            continue;
        const QVariant key = value(lk.keyField);
        if (key.isNull())
            return QVariant();
        const TableDef* other = findTableDef(lk.lookupTable);
        Query q = dm_.query(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? ORDER BY rowid LIMIT 1")
                                .arg(quoteIdent(lk.lookupResult), ORVDataModule::qualified(other->id),
                                     quoteIdent(lk.lookupKey)));
        q.bind(1, key);
        return q.next() && !q.isNull(0) ? QVariant(q.text(0)) : QVariant();
    }
    return QVariant();
}

QVariant Table::fromSql(const FieldDef& f, const QVariant& raw) const
{
    if (raw.isNull() || !raw.isValid())
        return QVariant();
    switch (f.type) {
    case FieldType::Integer:
    case FieldType::Word:
    case FieldType::AutoInc: return QVariant(int(raw.toLongLong()));
    case FieldType::Float:
    case FieldType::DateTime: return QVariant(raw.toDouble());
    case FieldType::String: return QVariant(raw.toString());
    case FieldType::Boolean: return QVariant(raw.toLongLong() != 0);
    }
    return raw;
}

bool Table::convert(const FieldDef& f, const QVariant& in, QVariant* out) const
{
    *out = QVariant();
    if (!in.isValid() || in.isNull())
        return true;
    bool ok = true;
    switch (f.type) {
    case FieldType::Integer:
    case FieldType::Word:
    case FieldType::AutoInc: {
        if (in.typeId() == QMetaType::Double || in.typeId() == QMetaType::Float) {
            const double d = in.toDouble();
            if (d != std::floor(d) || std::abs(d) > 9.0e15)
                return false;
            *out = QVariant(qint64(d));
            return true;
        }
        if (in.typeId() == QMetaType::QString && in.toString().trimmed().isEmpty())
            return true;
        const qint64 v = in.toLongLong(&ok);
        if (ok)
            *out = QVariant(v);
        return ok;
    }
    case FieldType::Float: {
        if (in.typeId() == QMetaType::QString && in.toString().trimmed().isEmpty())
            return true;
        const double v = in.toDouble(&ok);
        if (ok && std::isfinite(v))
            *out = QVariant(v);
        return ok && std::isfinite(v);
    }
    case FieldType::DateTime: {
        if (in.typeId() == QMetaType::QDate) {
            if (!in.toDate().isValid())
                return true;
            *out = QVariant(double(dayFromDate(in.toDate())));
            return true;
        }
        if (in.typeId() == QMetaType::QString && in.toString().trimmed().isEmpty())
            return true;
        const double v = in.toDouble(&ok);
        if (ok && std::isfinite(v))
            *out = QVariant(v);
        return ok && std::isfinite(v);
    }
    case FieldType::String: {
        const QString s = in.toString();
        if (!s.isEmpty())
            *out = QVariant(s);
        return true;
    }
    case FieldType::Boolean:
        *out = QVariant(in.toBool());
        return true;
    }
    return false;
}

bool Table::setValue(const QString& field, const QVariant& v)
{
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        return false;
    const int fi = def_->fieldIndex(field);
    if (fi < 0 || def_->fields[size_t(fi)].type == FieldType::AutoInc)
        return false;
    QVariant c;
    if (!convert(def_->fields[size_t(fi)], v, &c))
        return false;
    buf_[fi] = fromSql(def_->fields[size_t(fi)], c);
    return true;
}

Status Table::checkFields() const
{
    for (size_t i = 0; i < def_->fields.size(); ++i) {
        const FieldDef& f = def_->fields[i];
        const QVariant& v = buf_[int(i)];
        if (f.type == FieldType::AutoInc)
            continue;
        if (v.isNull() || (f.type == FieldType::String && v.toString().isEmpty())) {
            if (f.required)
                return Message::error(QStringLiteral("Field '%1' must have a value.").arg(f.name));
            continue;
        }
        if (f.type == FieldType::String && v.toString().size() > f.maxLen)
            return Message::error(
                QStringLiteral("Field '%1' can hold at most %2 characters.").arg(f.name).arg(f.maxLen));
        if (f.type == FieldType::Word && (v.toLongLong() < 0 || v.toLongLong() > 65535))
            return Message::error(QStringLiteral("Field '%1' must be between 0 and 65535.").arg(f.name));
    }
    return Status::success();
}

Status Table::insert()
{
    if (!active())
        return Message::error(QStringLiteral("Table %1 is not open.").arg(def_->name));
    if (state_ != TableState::Browse) {
        const Status st = post();
        if (!st)
            return st;
    }
    buf_.clear();
    for (size_t i = 0; i < def_->fields.size(); ++i)
        buf_ << QVariant();
    editRow_ = kNoBookmark;
    state_ = TableState::Insert;
    return Status::success();
}

Status Table::edit()
{
    if (!active())
        return Message::error(QStringLiteral("Table %1 is not open.").arg(def_->name));
    if (state_ == TableState::Edit || state_ == TableState::Insert)
        return Status::success();
    ensureFresh();
    if (pos_ < 0 || pos_ >= rows_.size())
        return Message::error(QStringLiteral("Cannot edit: table %1 has no current record.").arg(def_->name));
    bufferCurrent();
    if (bufRow_ == kNoBookmark || !loadRow(rows_[pos_], &buf_))
        return Message::error(QStringLiteral("Cannot edit: the record of table %1 no longer exists.").arg(def_->name));
    if (beforeEdit)
        beforeEdit(*this);
    editRow_ = rows_[pos_];
    state_ = TableState::Edit;
    return Status::success();
}

Status Table::post()
{
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        return Message::error(QStringLiteral("Table %1 is not in edit or insert state.").arg(def_->name));
    Transaction tx(dm_);
    if (!tx.started())
        return Message::error(QStringLiteral("Database error: cannot start a transaction on table %1.").arg(def_->name));
    if (beforePost) {
        const Status st = beforePost(*this);
        if (!st)
            return st;
    }
    if (const Status st = checkFields(); !st)
        return st;

    const bool inserting = state_ == TableState::Insert;
    QStringList cols, marks;
    QVariantList binds;
    for (size_t i = 0; i < def_->fields.size(); ++i) {
        const FieldDef& f = def_->fields[i];
        if (f.type == FieldType::AutoInc)
            continue;
        cols << quoteIdent(f.name);
        marks << QStringLiteral("?");
        binds << buf_[int(i)];
    }
    QString sql;
    if (inserting) {
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(qualifiedName(), cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    } else {
        QStringList sets;
        for (const QString& c : cols)
            sets << c + QStringLiteral(" = ?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(qualifiedName(), sets.join(QStringLiteral(", ")));
        binds << editRow_;
    }
    if (const Status st = dm_.exec(sql, binds); !st)
        return st;
    const Bookmark rid = inserting ? dm_.lastInsertRowId() : editRow_;
    dm_.touch(def_->id);

    // Browse state on the posted record, then the after-post rule.
    const TableState savedState = state_;
    const QVariantList savedBuf = buf_;
    const Bookmark savedRow = editRow_;
    state_ = TableState::Browse;
    editRow_ = kNoBookmark;
    bufLoaded_ = false;
    requery(rid, pos_);
    auto restore = [&] {
        state_ = savedState;
        buf_ = savedBuf;
        editRow_ = savedRow;
    };
    if (afterPost) {
        // The rule sees the posted record even when it lies outside the range or filter.
        postedRow_ = rid;
        const Status st = afterPost(*this);
        postedRow_ = kNoBookmark;
        bufLoaded_ = false;
        if (!st) {
            restore();
            return st;  // tx rolls back the write
        }
    }
    if (const Status st = tx.commit(); !st) {
        restore();
        return st;
    }
    return Status::success();
}

void Table::cancel()
{
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        return;
    state_ = TableState::Browse;
    editRow_ = kNoBookmark;
    bufLoaded_ = false;
}

Status Table::deleteRecord()
{
    if (!active())
        return Message::error(QStringLiteral("Table %1 is not open.").arg(def_->name));
    if (state_ == TableState::Insert) {
        cancel();
        return Status::success();
    }
    cancel();
    ensureFresh();
    if (pos_ < 0 || pos_ >= rows_.size())
        return Message::error(QStringLiteral("Cannot delete: table %1 has no current record.").arg(def_->name));
    const Status st = dm_.exec(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(qualifiedName()), {rows_[pos_]});
    if (!st)
        return st;
    dm_.touch(def_->id);
    requery(kNoBookmark, pos_);
    if (!rows_.isEmpty())
        bof_ = eof_ = false;
    return Status::success();
}

Bookmark Table::bookmark()
{
    if (state_ == TableState::Edit)
        return editRow_;
    if (state_ != TableState::Browse)
        return kNoBookmark;
    if (postedRow_ != kNoBookmark)
        return postedRow_;
    if (stale_)
        return staleKeep_;
    ensureFresh();
    return (pos_ >= 0 && pos_ < rows_.size()) ? rows_[pos_] : kNoBookmark;
}

bool Table::gotoBookmark(Bookmark b)
{
    if (!active() || b == kNoBookmark || !leaveEdit(*this))
        return false;
    ensureFresh();
    const int at = int(rows_.indexOf(b));
    if (at < 0)
        return false;
    pos_ = at;
    bof_ = eof_ = false;
    bufLoaded_ = false;
    return true;
}

void Table::refresh()
{
    if (!active() || stale_)
        return;
    requery((pos_ >= 0 && pos_ < rows_.size()) ? rows_[pos_] : kNoBookmark, pos_);
}

}  // namespace orv
