#include "gui/select/QuickMLReport.h"

#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/select/SelectRules.h"
#include "core/store/DataModule.h"
#include "core/store/Records.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

TfrmQuickMLReport::TfrmQuickMLReport(ORVDataModule& dm, int mlID, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmQuickMLReport"));
    if (auto d = buildQuickMLReport(dm, mlID, appState().TempPath))
        data_ = *d;
    setWindowTitle(data_.caption);

    auto value = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    lblTicker = value("lblTicker");
    lblICDI = value("lblICDI");
    lblBeginDate = value("lblBeginDate");
    lblEndDate = value("lblEndDate");
    lblLastPrice = value("lblLastPrice");
    lblLastDsbDate = value("lblLastDsbDate");
    lblTicker->setText(data_.ticker);
    lblICDI->setText(data_.icdi);
    lblBeginDate->setText(data_.beginDate);
    lblEndDate->setText(data_.endDate);
    lblLastPrice->setText(data_.lastPrice);
    lblLastDsbDate->setText(data_.lastDsbDate);

    auto* facts = new QFormLayout;
    facts->setLabelAlignment(Qt::AlignRight);
    facts->addRow(QStringLiteral("Ticker:"), lblTicker);
    facts->addRow(QStringLiteral("ICDI #:"), lblICDI);
    facts->addRow(QStringLiteral("Begin Date:"), lblBeginDate);
    facts->addRow(QStringLiteral("End Date:"), lblEndDate);
    facts->addRow(QStringLiteral("Last Price:"), lblLastPrice);
    facts->addRow(QStringLiteral("Last Dsb Date:"), lblLastDsbDate);

    gridPortfolios = new QTableWidget(this);
    gridPortfolios->setObjectName(QStringLiteral("OvcTablePortfolios"));
    gridPortfolios->setColumnCount(2);
    gridPortfolios->verticalHeader()->hide();
    gridPortfolios->verticalHeader()->setDefaultSectionSize(20);
    gridPortfolios->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridPortfolios->setSelectionMode(QAbstractItemView::NoSelection);
    gridPortfolios->setFocusPolicy(Qt::NoFocus);
    gridPortfolios->setColumnWidth(0, 110);
    gridPortfolios->horizontalHeader()->setStretchLastSection(true);
    gridPortfolios->setMinimumHeight(140);
    ApplyReportTableOptions(gridPortfolios);

    btnValueShares = new QPushButton(QStringLiteral("$/shares"), this);
    btnValueShares->setObjectName(QStringLiteral("btnValueShares"));
    btnValueShares->setAutoDefault(false);
    btnValueShares->setVisible(data_.showModeSwitch());
    connect(btnValueShares, &QPushButton::clicked, this, [this] {
        setMode(mode_ == QuickReportMode::Value ? QuickReportMode::Shares : QuickReportMode::Value);
    });
    bbtnOK = new QPushButton(QStringLiteral("OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnOK->setDefault(true);
    connect(bbtnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnValueShares);
    buttons->addStretch(1);
    buttons->addWidget(bbtnOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(facts);
    layout->addWidget(gridPortfolios, 1);
    layout->addLayout(buttons);
    resize(300, 380);

    fillList();
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
    connect(this, &QDialog::finished, this, [this] { SaveWindowPlacement(this, objectName()); });
}

void TfrmQuickMLReport::setMode(QuickReportMode mode)
{
    mode_ = mode;
    fillList();
}

void TfrmQuickMLReport::fillList()
{
    gridPortfolios->setHorizontalHeaderLabels({data_.headingLeft(), data_.headingRight(mode_)});
    const auto rows = data_.lines(mode_);
    gridPortfolios->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        auto* name = new QTableWidgetItem(rows[size_t(r)].portfolio);
        auto* amount = new QTableWidgetItem(rows[size_t(r)].amount);
        amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        gridPortfolios->setItem(r, 0, name);
        gridPortfolios->setItem(r, 1, amount);
    }
}

void showQuickMLReport(QWidget* parent)
{
    ORVDataModule* dm = session::dataModule();
    if (!dm || appState().CurMLID < 0)
        return;
    TfrmQuickMLReport w(*dm, appState().CurMLID, parent);
    w.exec();
}

void showQuickMLReportForCell(QWidget* parent, int col, int row)
{
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    auto e = entryAtCell(*dm, col, row);
    if (!e) {
        MessageDlgCtr(session::blankEntryMessage());
        return;
    }
    AppState& s = appState();
    s.CurMLID = e->MLID;
    s.CurMLShortName = e->ShortName;
    s.CurMLLongName = e->LongName;
    s.CurMLType = e->Type;
    showQuickMLReport(parent);
}

}  // namespace orv
