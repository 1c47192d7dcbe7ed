#pragma once
// A cursor over one of the nine tables: a chosen named index, an optional range on
// its leading fields, an optional filter, navigation, field access, editing and
// bookmarks. On every repositioning the row ids of the visible records are read
// in index order; navigation then moves in memory and a record is read on demand.
// After a post or delete (or any write recorded by the data module) the list is
// read again and the cursor stays on the same record.

#include "core/base/Message.h"
#include "core/store/Schema.h"

#include <QVariant>
#include <QVector>
#include <functional>

namespace orv {

class ORVDataModule;

using Bookmark = qint64;  // the record's row id; 0 = none
constexpr Bookmark kNoBookmark = 0;

enum class TableState { Inactive, Browse, Edit, Insert };

class Table {
public:
    Table(ORVDataModule& dm, store::TableId id);
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const store::TableDef& def() const { return *def_; }
    store::TableId id() const { return def_->id; }
    QString tableName() const { return def_->name; }

    // Opening and closing (SetTablesActive does this for the module's tables).
    Status open();  // on the table's default index, first record
    void close();
    bool active() const { return state_ != TableState::Inactive; }
    TableState state() const { return state_; }

    // Index: "" is the primary order (row id). Choosing an index cancels the range
    // and keeps the current record.
    Status setIndexName(const QString& name);
    QString indexName() const { return index_; }

    // Range with equal start and end keys on the leading keys.size() fields of the
    // current index; moves to the first record of the range.
    Status setRange(const QVariantList& keys);
    void cancelRange();
    bool hasRange() const { return !rangeKeys_.isEmpty(); }

    // Filter: the filter text (Field <> "value", also =, <, >, <=, >=) and the
    // record hook both apply while filtered is on.
    Status setFilter(const QString& text);
    QString filter() const { return filterText_; }
    void setOnFilterRecord(std::function<bool(Table&)> hook);
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }

    // Records visible in the current index, range and filter.
    int recordCount();
    bool isEmpty() { return recordCount() == 0; }

    // Navigation. In edit or insert state the record is posted first; when that
    // post is refused the cursor does not move.
    void first();
    void last();
    void next();
    void prior();
    bool eof();
    bool bof();

    // Moves to the first visible record (index order) whose fields, given as a
    // ";"-separated list, equal values exactly (case-sensitive). False leaves the
    // cursor where it was.
    bool locate(const QString& fields, const QVariantList& values);

    // Field access on the current record (or the edit buffer). Unknown or empty
    // fields read as a null QVariant; lookup fields (Transactions.Portfolio,
    // Transactions.MLShortName) are read from their tables.
    QVariant value(const QString& field);
    bool isNull(const QString& field) { return value(field).isNull(); }
    int intValue(const QString& field) { return value(field).toInt(); }
    double floatValue(const QString& field) { return value(field).toDouble(); }
    QString stringValue(const QString& field) { return value(field).toString(); }
    bool boolValue(const QString& field) { return value(field).toBool(); }
    // Sets a field of the edit buffer; false when not in edit or insert state, the
    // field is unknown, is the auto-increment field, or the value does not convert.
    bool setValue(const QString& field, const QVariant& v);

    // Editing. edit() and insert() return a refusal when the state does not allow
    // them (or the table is empty, for edit); post() runs the before-post rule,
    // the required-field and length checks, writes, then the after-post rule, all
    // in one transaction: a refusal leaves the record in its edit or insert state.
    Status insert();
    Status edit();
    Status post();
    void cancel();
    Status deleteRecord();

    Bookmark bookmark();
    bool gotoBookmark(Bookmark b);

    // Sets the engine's next identifier. The next row id is always the highest
    // present + 1, so there is nothing to store; kept for the grid load.
    void setAutoIncCounter(qint64 highest) { autoIncCounter_ = highest; }

    // Reads the visible rows again, staying on the current record when possible.
    void refresh();

    // Table rules (set by the data module).
    std::function<void(Table&)> beforeEdit;
    std::function<Status(Table&)> beforePost;
    std::function<Status(Table&)> afterPost;

    // "schema"."table" as used in SQL.
    QString qualifiedName() const;

private:
    void ensureFresh();
    void invalidate(Bookmark keep);
    void requery(Bookmark keep, int fallbackPos);
    bool loadRow(Bookmark rowid, QVariantList* out) const;
    QVariant fromSql(const store::FieldDef& f, const QVariant& raw) const;
    bool convert(const store::FieldDef& f, const QVariant& in, QVariant* out) const;
    Status checkFields() const;
    QString orderBy() const;
    void bufferCurrent();

    ORVDataModule& dm_;
    const store::TableDef* def_;
    TableState state_ = TableState::Inactive;
    QString index_;
    QVariantList rangeKeys_;
    QString filterText_;
    QString filterSql_;
    QVariant filterValue_;
    std::function<bool(Table&)> filterHook_;
    bool filtered_ = false;
    bool filtering_ = false;  // the filter hook is reading a candidate row

    QVector<Bookmark> rows_;
    int pos_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    quint64 seenVersion_ = 0;
    bool stale_ = false;            // the rows must be read before the next use
    Bookmark staleKeep_ = kNoBookmark;

    QVariantList buf_;  // current record or edit buffer
    Bookmark bufRow_ = kNoBookmark;
    bool bufLoaded_ = false;
    Bookmark editRow_ = kNoBookmark;
    Bookmark postedRow_ = kNoBookmark;  // the record the after-post rule reads
    qint64 autoIncCounter_ = 0;

    friend class ORVDataModule;
};

}  // namespace orv
