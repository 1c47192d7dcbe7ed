#pragma once
// The grid of the entry-editing windows: a QTableView where Enter moves to the
// next cell (or the next row), also when it ends an edit, and where a pending
// cell edit can be finished (committed or dropped) before the window acts.

#include <QTableView>

namespace orv {

class EntryTableView : public QTableView {
    Q_OBJECT
public:
    enum class EnterMove { NextCell, NextRow };
    explicit EntryTableView(QWidget* parent = nullptr);
    void setEnterMove(EnterMove m) { enterMove_ = m; }
    // Ends an open cell editor: its text is written to the model when commit is
    // true, dropped otherwise. True when no editor was open or the edit ended.
    bool finishEdit(bool commit);
    bool editing() const { return state() == QAbstractItemView::EditingState; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void moveOnEnter();
    EnterMove enterMove_ = EnterMove::NextCell;
};

}  // namespace orv
