#include "gui/base/TextViewerPfValue.h"

#include "core/config/AppState.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

namespace {
constexpr int kViewerWidth = 363;
}

QString pfValueFilePath()
{
    return appState().TempPath + QStringLiteral("PfValue.TXT");
}

TfrmTextViewerPfValue::TfrmTextViewerPfValue(QWidget* parent, const QString& path) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTextViewerPfValue"));
    setWindowTitle(QStringLiteral("View [Pf] Values"));
    if (auto t = readPfValueFile(path.isEmpty() ? pfValueFilePath() : path)) {
        text_ = *t;
        setWindowTitle(text_.caption());
    }

    OvcTablePfValue = new QTableWidget(this);
    OvcTablePfValue->setObjectName(QStringLiteral("OvcTablePfValue"));
    OvcTablePfValue->setColumnCount(3);
    OvcTablePfValue->setHorizontalHeaderLabels(
        {QStringLiteral("Date"), QStringLiteral("Value"), QStringLiteral("Transactions")});
    OvcTablePfValue->verticalHeader()->hide();
    OvcTablePfValue->verticalHeader()->setDefaultSectionSize(20);
    OvcTablePfValue->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OvcTablePfValue->setSelectionMode(QAbstractItemView::SingleSelection);
    OvcTablePfValue->setColumnWidth(0, 80);
    OvcTablePfValue->setColumnWidth(1, 110);
    OvcTablePfValue->horizontalHeader()->setStretchLastSection(true);
    ApplyReportTableOptions(OvcTablePfValue);
    OvcTablePfValue->setRowCount(int(text_.rows.size()));
    for (int r = 0; r < int(text_.rows.size()); ++r)
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(text_.rows[size_t(r)][size_t(c)]);
            if (c < 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            OvcTablePfValue->setItem(r, c, item);
        }

    bbtnOK = new QPushButton(QStringLiteral("OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnOK->setDefault(true);
    connect(bbtnOK, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bbtnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(OvcTablePfValue, 1);
    layout->addLayout(buttons);

    resize(kViewerWidth, 400);
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
    setFixedWidth(kViewerWidth);  // the height stays free
    connect(this, &QDialog::finished, this, [this] { SaveWindowPlacement(this, objectName()); });
}

}  // namespace orv
