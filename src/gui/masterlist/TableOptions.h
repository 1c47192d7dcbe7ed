#pragma once
// TfrmEditTableOptions ("Table Options"): the colours and grid lines of the
// Master List sheet ("Master List" page) and of every other grid ("All Other
// Tables" page). "Apply" hands the Master List block to the main window at once;
// "OK" applies and also gives the report block; "Cancel" keeps what was applied.

#include "core/config/ConfigRecord.h"

#include <QColor>
#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QPushButton;
class QTabWidget;

namespace orv {

class TfrmEditTableOptions : public QDialog {
    Q_OBJECT
public:
    TfrmEditTableOptions(const MLTableOptions& ml, const MLTableOptions& mlDefaults,
                         const ReportTableOptions& report, const ReportTableOptions& reportDefaults,
                         QWidget* parent = nullptr);

    // Called by "Apply" and "OK" with the Master List controls.
    std::function<void(const MLTableOptions&)> onApply;
    // The colour chooser (the colour dialog; tests answer it); an invalid colour
    // means the choice was cancelled.
    std::function<QColor(const QColor& initial, const QString& title)> chooseColor;

    MLTableOptions mlOptions() const;
    ReportTableOptions reportOptions() const;

    // Colour panels by field name: "TableColor", "TextColor", "HighlightColor",
    // "HighlightTextColor", "SelectedColor", "SelectedTextColor", "GridColor" on the
    // Master List page; "rpt" + "TableColor", "TextColor", "ActiveRowColor",
    // "ActiveRowTextColor", "ActiveCellColor", "ActiveCellTextColor", "GridColor"
    // on the other page.
    QColor panelColor(const QString& name) const;

public Q_SLOTS:
    void btnApplyClick();
    void btnMLDefaultsClick();
    void btnRptDefaultsClick();

private:
    struct ColourField {
        QString name;
        QFrame* panel = nullptr;
        QPushButton* button = nullptr;
        WinColor value = 0;
    };
    QWidget* buildMLPage();
    QWidget* buildRptPage();
    ColourField* field(const QString& name);
    const ColourField* field(const QString& name) const;
    void addColour(QGridLayout* grid, int row, const QString& name, const QString& caption);
    void setColour(const QString& name, WinColor value);
    void loadML(const MLTableOptions& o);
    void loadRpt(const ReportTableOptions& o);

    MLTableOptions mlDefaults_;
    ReportTableOptions rptDefaults_;
    QList<ColourField> fields_;
    QTabWidget* pages_ = nullptr;
    QCheckBox* cbMLGridVisible_ = nullptr;
    QComboBox* cbxMLGridStyle_ = nullptr;
    QCheckBox* cbDisplayInvStatus_ = nullptr;
    QCheckBox* cbRptGridVisible_ = nullptr;
    QComboBox* cbxRptGridStyle_ = nullptr;
};

}  // namespace orv
