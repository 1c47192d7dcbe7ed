#pragma once
// TfrmInputNumber ("Input Number"): a caption (default "Try a different IRR")
// and one number with one decimal (picture "###,###.#"); "OK" returns Accepted
// and the caller reads value().

#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace orv {

class TfrmInputNumber : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInputNumber(QWidget* parent = nullptr);

    QLabel* lblCaption = nullptr;
    QDoubleSpinBox* edtNumber = nullptr;
    QPushButton* bbtnOK = nullptr;
    QPushButton* bbtnCancel = nullptr;

    void setCaptionText(const QString& text);
    void setValue(double v);
    double value() const;
};

}  // namespace orv
