#pragma once
// TfrmTextViewerPfValue ("View [Pf] Values"): the rows of PfValue.TXT in a
// read-only table of "Date", "Value" and "Transactions", captioned
// "View Values of: " and the pseudo-issue's name. Width fixed at 363 pixels.

#include "core/select/PfValueText.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace orv {

class TfrmTextViewerPfValue : public QDialog {
    Q_OBJECT
public:
    // Reads `path` (default: TempPath + "PfValue.TXT").
    explicit TfrmTextViewerPfValue(QWidget* parent = nullptr, const QString& path = QString());

    QTableWidget* OvcTablePfValue = nullptr;
    QPushButton* bbtnOK = nullptr;
    const PfValueText& text() const { return text_; }

private:
    PfValueText text_;
};

// TempPath + "PfValue.TXT".
QString pfValueFilePath();

}  // namespace orv
