#pragma once
// TfrmPfSelectFamily ("Select Portfolio Family"): asks for the characters that
// name a family of portfolios and how they match (starts with, contains, equals).

#include "core/portfolios/PortfolioDirectory.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace orv {

class TfrmPfSelectFamily : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPfSelectFamily(QWidget* parent = nullptr);

    QLineEdit* edtFamily = nullptr;
    QPushButton* btnStartsWith = nullptr;
    QPushButton* btnContains = nullptr;
    QPushButton* btnEquals = nullptr;
    QPushButton* btnCancel = nullptr;

    // The rule of the button that closed the dialog with OK.
    PfFamilyRule rule() const { return rule_; }
    QString text() const;

private:
    PfFamilyRule rule_ = PfFamilyRule::StartsWith;
};

}  // namespace orv
