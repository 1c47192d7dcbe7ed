#pragma once
// The grid of the price entry windows: a read-only text column ("Dates" or
// "Names") and an editable "Prices" column over rows the window holds in memory.
// The active cell stays in the "Prices" column, Enter moves down like the
// down-arrow key, rows can be highlighted by dragging, and a typed value goes
// through the window's acceptance rule: a refused value is not taken and the cell
// shows its previous content again, without a message.

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QProgressBar;
class QStatusBar;

namespace orv {

class TPriceGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Source {
        std::function<int()> count;
        std::function<QString(int)> label;
        std::function<double(int)> price;
        // Takes the typed value into the row; false when the rule refuses it.
        std::function<bool(int, double)> setPrice;
    };
    TPriceGridModel(QString labelHeader, bool labelRight, Source source, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    // The rows changed wholesale (count or contents).
    void reload();

private:
    QString header_;
    bool labelRight_;
    Source src_;
};

class TPriceGrid : public QTableView {
    Q_OBJECT
public:
    explicit TPriceGrid(TPriceGridModel* model, QWidget* parent = nullptr);
    TPriceGridModel* priceModel() const { return model_; }

    // Highlighted rows plus the active row, in row order.
    std::vector<int> highlightedRows() const;
    // Puts the active cell on a row of the "Prices" column.
    void goToRow(int row);
    // Takes the value of an edit in progress.
    void endEdit();

    // The shown text of a price (empty for the empty marker), and the reading of a
    // typed text (nothing for an empty or unreadable text).
    static QString priceText(double v);
    static std::optional<double> readPrice(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    TPriceGridModel* model_;
};

// The two-panel status bar of the price windows, a progress bar in the second panel.
struct PriceStatusBar {
    QStatusBar* bar = nullptr;
    QLabel* panel1 = nullptr;
    QProgressBar* progress = nullptr;
    void build(QWidget* owner, int firstPanelWidth);
    void clear();
};

}  // namespace orv
