#include "gui/masterlist/EditTableEntriesView.h"

#include <QApplication>
#include <QKeyEvent>

namespace orv {

EntryTableView::EntryTableView(QWidget* parent) : QTableView(parent) {}

bool EntryTableView::finishEdit(bool commit)
{
    if (!editing())
        return true;
    // The open editor is a child of the viewport: the one with the focus, else
    // the visible one (the window may not be active).
    QWidget* editor = QApplication::focusWidget();
    while (editor && editor->parentWidget() != viewport())
        editor = editor->parentWidget();
    if (!editor) {
        for (QWidget* w : viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible())
                editor = w;
    }
    if (!editor)
        return false;
    if (commit)
        commitData(editor);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void EntryTableView::moveOnEnter()
{
    const QModelIndex cur = currentIndex();
    if (!cur.isValid())
        return;
    int row = cur.row();
    int col = cur.column();
    if (enterMove_ == EnterMove::NextRow) {
        if (row + 1 < model()->rowCount())
            ++row;
    } else {
        // Next visible column, then the first one of the next row.
        do {
            ++col;
        } while (col < model()->columnCount() && isColumnHidden(col));
        if (col >= model()->columnCount()) {
            if (row + 1 >= model()->rowCount())
                return;
            ++row;
            col = 0;
            while (col < model()->columnCount() && isColumnHidden(col))
                ++col;
        }
    }
    setCurrentIndex(model()->index(row, col));
}

void EntryTableView::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !editing()) {
        moveOnEnter();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void EntryTableView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Enter in an editor ends the edit and moves on like Enter in the grid.
    const bool enter = hint == QAbstractItemDelegate::SubmitModelCache;
    QTableView::closeEditor(editor, enter ? QAbstractItemDelegate::NoHint : hint);
    if (enter)
        moveOnEnter();
}

}  // namespace orv
