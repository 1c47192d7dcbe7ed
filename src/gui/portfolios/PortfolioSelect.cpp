#include "gui/portfolios/PortfolioSelect.h"

#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/store/DataModule.h"
#include "gui/base/TableStyle.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

TfrmPortfolioSelect::TfrmPortfolioSelect(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmPortfolioSelect"));
    setWindowTitle(QStringLiteral("Select Portfolio"));
    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Auto Search:"), this));
    edAutoSearch = new QLineEdit(this);
    edAutoSearch->setObjectName(QStringLiteral("edAutoSearch"));
    top->addWidget(edAutoSearch);
    v->addLayout(top);
    grid = new QTableWidget(this);
    grid->setObjectName(QStringLiteral("OvcTablePortfolios"));
    grid->setColumnCount(2);
    grid->setHorizontalHeaderLabels({QStringLiteral("Portfolio"), QStringLiteral("Account Number")});
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setColumnWidth(0, 110);
    ApplyReportTableOptions(grid);
    v->addWidget(grid);
    auto* h = new QHBoxLayout;
    h->addStretch();
    bbtnOK = new QPushButton(QStringLiteral("&OK"), this);
    bbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbtnOK->setDefault(true);
    h->addWidget(bbtnOK);
    h->addWidget(bbtnCancel);
    v->addLayout(h);
    resize(300, 260);

    if (ORVDataModule* dm = session::dataModule())
        rows_ = store::portfolios(*dm);
    grid->setRowCount(int(rows_.size()));
    for (int i = 0; i < int(rows_.size()); ++i) {
        grid->setItem(i, 0, new QTableWidgetItem(rows_[size_t(i)].ShortName));
        grid->setItem(i, 1, new QTableWidgetItem(rows_[size_t(i)].AccountNumber));
    }
    connect(edAutoSearch, &QLineEdit::textEdited, this, [this](const QString& t) { autoSearch(t); });
    connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int col) {
        if (copying_ || !grid->hasFocus() || row < 0 || col < 0)
            return;
        edAutoSearch->setText(grid->item(row, col)->text());
    });
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this] { bbtnOKClick(); });
    connect(bbtnOK, &QPushButton::clicked, this, &TfrmPortfolioSelect::bbtnOKClick);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    edAutoSearch->installEventFilter(this);
}

void TfrmPortfolioSelect::setSearchText(const QString& text) { edAutoSearch->setText(text); }

std::optional<PortfolioRec> TfrmPortfolioSelect::current() const
{
    const int r = grid->currentRow();
    if (r < 0 || r >= int(rows_.size()))
        return std::nullopt;
    return rows_[size_t(r)];
}

bool TfrmPortfolioSelect::autoSearch(const QString& text)
{
    const int col = grid->currentColumn() == 1 ? 1 : 0;
    for (int i = 0; i < int(rows_.size()); ++i) {
        const QString v = col == 1 ? rows_[size_t(i)].AccountNumber : rows_[size_t(i)].ShortName;
        if (v.startsWith(text, Qt::CaseInsensitive)) {
            copying_ = true;
            grid->setCurrentCell(i, col);
            copying_ = false;
            return true;
        }
    }
    return false;
}

void TfrmPortfolioSelect::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QString wanted = edAutoSearch->text().trimmed();
    copying_ = true;
    grid->setCurrentCell(rows_.empty() ? -1 : 0, 0);
    for (int i = 0; i < int(rows_.size()); ++i)
        if (rows_[size_t(i)].ShortName == wanted)
            grid->setCurrentCell(i, 0);
    copying_ = false;
    edAutoSearch->setFocus();
    edAutoSearch->selectAll();
}

bool TfrmPortfolioSelect::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edAutoSearch && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const int r = qBound(0, grid->currentRow() + (key == Qt::Key_Up ? -1 : 1), grid->rowCount() - 1);
            grid->setFocus();
            grid->setCurrentCell(r, qMax(0, grid->currentColumn()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmPortfolioSelect::bbtnOKClick()
{
    chosen_ = current();
    if (!chosen_)
        return;
    if (ORVDataModule* dm = session::dataModule())
        dm->fftblPortfolio().locate(QStringLiteral("PfID"), {chosen_->PfID});
    accept();
}

}  // namespace orv
