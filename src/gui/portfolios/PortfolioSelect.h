#pragma once
// TfrmPortfolioSelect: the compact portfolio chooser of the transaction windows,
// "Auto Search:" above a table of portfolios ("Portfolio", "Account Number").
//
//   TfrmPortfolioSelect w(parent);
//   w.move(...);
//   w.setSearchText(current short name);   // located on show
//   if (w.exec() == QDialog::Accepted) ... w.chosen() (also the Portfolio cursor's record)

#include "core/store/Records.h"

#include <QDialog>
#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace orv {

class TfrmPortfolioSelect : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPortfolioSelect(QWidget* parent = nullptr);

    void setSearchText(const QString& text);
    std::optional<PortfolioRec> chosen() const { return chosen_; }
    std::optional<PortfolioRec> current() const;

    QLineEdit* edAutoSearch = nullptr;
    QTableWidget* grid = nullptr;
    QPushButton* bbtnOK = nullptr;
    QPushButton* bbtnCancel = nullptr;

    // Locates by prefix (ignoring case) in the grid's active column.
    bool autoSearch(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bbtnOKClick();
    std::vector<PortfolioRec> rows_;
    std::optional<PortfolioRec> chosen_;
    bool copying_ = false;
};

}  // namespace orv
