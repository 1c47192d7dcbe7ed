#include "gui/select/SelectFunds.h"

#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/select/SelectRules.h"
#include "core/store/DataModule.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"
#include "gui/select/QuickMLReport.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace orv {

namespace {
constexpr int kColumns = 100;
}

// The sheet: view row r is sheet row r + 1; 100 columns; cell texts and marks
// from the window's copy of MLDisplay.
class SelectFundsModel : public QAbstractTableModel {
public:
    SelectFundsModel(const TMLDisplayArray& display, QObject* parent) : QAbstractTableModel(parent), d_(display) {}

    int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : kColumns; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const int row = index.row() + 1, col = index.column();
        const bool inSheet = row <= d_.maxRow() && d_.contains(row, col);
        switch (role) {
        case Qt::DisplayRole:
            return inSheet ? d_.at(row, col).shortName : QString();
        case Qt::BackgroundRole:
            if (inSheet && d_.at(row, col).selected && !d_.at(row, col).shortName.isEmpty())
                return toQColor(appState().Config.MLTableOptionsCurrent.SelectedColor);
            return {};
        case Qt::ForegroundRole:
            if (inSheet && d_.at(row, col).selected && !d_.at(row, col).shortName.isEmpty())
                return toQColor(appState().Config.MLTableOptionsCurrent.SelectedTextColor);
            return {};
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < headings_.size())
            return headings_[section];
        if (o == Qt::Horizontal && role == Qt::FontRole) {
            QFont f = QApplication::font();
            f.setBold(true);
            return f;
        }
        if (o == Qt::Vertical && role == Qt::DisplayRole)
            return section + 1;
        return {};
    }

    void reload(int rowLimit, QStringList headings)
    {
        beginResetModel();
        rows_ = qMax(0, rowLimit - 1);
        headings_ = std::move(headings);
        endResetModel();
    }
    void marksChanged() { emit dataChanged(index(0, 0), index(rows_ - 1, kColumns - 1)); }
    void cellChanged(int row, int col) { emit dataChanged(index(row - 1, col), index(row - 1, col)); }

private:
    const TMLDisplayArray& d_;
    int rows_ = 0;
    QStringList headings_;
};

TfrmSelectFunds::TfrmSelectFunds(QWidget* parent) : QDialog(parent), dm_(session::dataModule())
{
    setObjectName(QStringLiteral("frmSelectFunds"));
    setWindowTitle(QStringLiteral("Select Funds"));

    // The main sheet's cells (the main window keeps MLDisplay filled; fill our
    // copy ourselves when it is not).
    QStringList headings;
    for (int c = 0; c < kColumns; ++c)
        headings << QString();
    if (dm_) {
        if (dm_->MLDisplay.maxRow() >= 0)
            display_ = dm_->MLDisplay;
        else
            fillMLDisplay(*dm_, display_);
        auto q = dm_->query(QStringLiteral("SELECT ColNum, Heading FROM ")
                            + ORVDataModule::qualified(store::TableId::MasterListColHdrs));
        while (q.next()) {
            const int c = int(q.int64(0)) - 1;
            if (c >= 0 && c < kColumns)
                headings[c] = q.text(1).trimmed();
        }
    }
    const int maxRow = display_.maxRow() >= 0 ? display_.maxRow() : 5;

    model_ = new SelectFundsModel(display_, this);
    model_->reload(maxRow + 11, headings);

    OvcTableSelect = new QTableView(this);
    OvcTableSelect->setObjectName(QStringLiteral("OvcTableSelect"));
    OvcTableSelect->setModel(model_);
    OvcTableSelect->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OvcTableSelect->setSelectionMode(QAbstractItemView::SingleSelection);
    OvcTableSelect->setSelectionBehavior(QAbstractItemView::SelectItems);
    OvcTableSelect->verticalHeader()->hide();
    OvcTableSelect->verticalHeader()->setDefaultSectionSize(20);
    OvcTableSelect->horizontalHeader()->setHighlightSections(false);
    OvcTableSelect->horizontalHeader()->setSectionsClickable(true);
    const auto& widths = appState().Config.MLColWidths;
    for (int c = 0; c < kColumns; ++c)
        OvcTableSelect->setColumnWidth(c, widths[size_t(c)] > 0 ? widths[size_t(c)] : 80);
    ApplyTableOptions(OvcTableSelect, appState().Config.MLTableOptionsCurrent);
    OvcTableSelect->installEventFilter(this);
    OvcTableSelect->viewport()->installEventFilter(this);
    connect(OvcTableSelect, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { toggleCell(i.row() + 1, i.column()); });
    connect(OvcTableSelect, &QTableView::pressed, this, [this](const QModelIndex& i) {
        lastRow_ = i.row() + 1;
        lastCol_ = i.column();
    });
    connect(OvcTableSelect->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int col) { selectHeadingColumn(col); });
    connect(OvcTableSelect->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) {
                if (i.isValid()) {
                    lastRow_ = i.row() + 1;
                    lastCol_ = i.column();
                }
                refreshStatus();
            });

    auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    bbtnSelectAll = button(QStringLiteral("&Select All"), "bbtnSelectAll");
    bbtnClearAll = button(QStringLiteral("&Clear All"), "bbtnClearAll");
    bbtnOpenAccounts = button(QStringLiteral("&Open Accounts"), "bbtnOpenAccounts");
    bbtnAllInvestments = button(QStringLiteral("All &Investments"), "bbtnAllInvestments");
    bbtnOK = button(QStringLiteral("OK"), "bbtnOK");
    bbtnCancel = button(QStringLiteral("Cancel"), "bbtnCancel");
    connect(bbtnSelectAll, &QPushButton::clicked, this, [this] { bbtnSelectAllClick(); });
    connect(bbtnClearAll, &QPushButton::clicked, this, [this] { bbtnClearAllClick(); });
    connect(bbtnOpenAccounts, &QPushButton::clicked, this, [this] { bbtnOpenAccountsClick(); });
    connect(bbtnAllInvestments, &QPushButton::clicked, this, [this] { bbtnAllInvestmentsClick(); });
    connect(bbtnOK, &QPushButton::clicked, this, [this] { bbtnOKClick(); });
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    stbSelect = new QStatusBar(this);
    stbSelect->setObjectName(QStringLiteral("stbSelect"));
    stbSelect->setSizeGripEnabled(true);
    const int widths3[3] = {100, 110, 0};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(stbSelect);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        if (widths3[i] > 0)
            panels_[i]->setFixedWidth(widths3[i]);
        stbSelect->addWidget(panels_[i], i == 2 ? 1 : 0);
    }
    panels_[2]->setText(QStringLiteral("Double-Click Mouse or Press Enter to Select"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bbtnSelectAll);
    buttons->addWidget(bbtnClearAll);
    buttons->addWidget(bbtnOpenAccounts);
    buttons->addWidget(bbtnAllInvestments);
    buttons->addStretch(1);
    buttons->addWidget(bbtnOK);
    buttons->addWidget(bbtnCancel);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    body->addWidget(OvcTableSelect, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(body, 1);
    layout->addWidget(stbSelect);
    resize(720, 460);

    setActiveCell(1, 0);
    refreshStatus();
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

TfrmSelectFunds::~TfrmSelectFunds() = default;

void TfrmSelectFunds::setSingleSelect(bool on)
{
    singleSelect_ = on;
}

void TfrmSelectFunds::setMultiPortfolio(bool on)
{
    multiPortfolio_ = on;
    refreshStatus();
}

void TfrmSelectFunds::hideAccountButtons()
{
    bbtnOpenAccounts->hide();
    bbtnAllInvestments->hide();
}

void TfrmSelectFunds::setStatusPrompt(const QString& text)
{
    panels_[2]->setText(text);
}

QString TfrmSelectFunds::statusText(int panel) const
{
    return panel >= 0 && panel < 3 ? panels_[panel]->text() : QString();
}

std::vector<int> TfrmSelectFunds::selectedMLIDs() const
{
    return dm_ ? orv::selectedMLIDs(*dm_) : std::vector<int>{};
}

std::optional<int> TfrmSelectFunds::selectedMLID() const
{
    const auto ids = selectedMLIDs();
    if (ids.empty())
        return std::nullopt;
    return ids.front();
}

int TfrmSelectFunds::activeRow() const
{
    const QModelIndex i = OvcTableSelect->currentIndex();
    return i.isValid() ? i.row() + 1 : 1;
}

int TfrmSelectFunds::activeCol() const
{
    const QModelIndex i = OvcTableSelect->currentIndex();
    return i.isValid() ? i.column() : 0;
}

void TfrmSelectFunds::setActiveCell(int row, int col)
{
    const QModelIndex i = model_->index(row - 1, col);
    if (i.isValid())
        OvcTableSelect->setCurrentIndex(i);
}

void TfrmSelectFunds::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
    bbtnClearAllClick();
    OvcTableSelect->setFocus();
}

void TfrmSelectFunds::closeEvent(QCloseEvent* event)
{
    SaveWindowPlacement(this, objectName());
    QDialog::closeEvent(event);
}

bool TfrmSelectFunds::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == OvcTableSelect && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            lastRow_ = activeRow();
            lastCol_ = activeCol();
            toggleCell(activeRow(), activeCol());
            return true;
        }
    }
    if (watched == OvcTableSelect->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() == Qt::RightButton) {
            const QModelIndex i = OvcTableSelect->indexAt(m->position().toPoint());
            if (i.isValid())
                showQuickMLReportForCell(this, i.column(), i.row() + 1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmSelectFunds::toggleCell(int row, int col)
{
    if (!dm_)
        return;
    auto toggled = toggleSelectedAt(*dm_, col, row);
    if (!toggled.ok()) {
        showError(toggled.message().text);
        return;
    }
    if (!toggled.value())
        return;  // a blank cell: nothing changes
    if (display_.contains(row, col))
        display_.at(row, col).selected = *toggled.value();
    model_->cellChanged(row, col);
    if (singleSelect_) {
        accept();
        return;
    }
    if (row < model_->rowCount())
        setActiveCell(row + 1, col);
}

void TfrmSelectFunds::selectHeadingColumn(int col)
{
    if (singleSelect_ || !dm_)
        return;
    auto n = selectColumn(*dm_, col);
    if (!n.ok())
        showError(n.message().text);
    refreshMarks();
}

void TfrmSelectFunds::bbtnSelectAllClick()
{
    if (!dm_)
        return;
    Status st = setAllSelected(*dm_, true);
    if (!st.ok())
        showError(st.message().text);
    refreshMarks();
}

void TfrmSelectFunds::bbtnClearAllClick()
{
    if (!dm_)
        return;
    Status st = setAllSelected(*dm_, false);
    if (!st.ok())
        showError(st.message().text);
    refreshMarks();
}

void TfrmSelectFunds::bbtnOpenAccountsClick()
{
    selectHeld(true);
}

void TfrmSelectFunds::bbtnAllInvestmentsClick()
{
    selectHeld(false);
}

void TfrmSelectFunds::selectHeld(bool openOnly)
{
    if (!dm_)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (multiPortfolio_) {
        for (const PfName& pf : selectedPortfolioNames(*dm_)) {
            panels_[1]->setText(pf.ShortName);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            auto n = selectHeldEntries(*dm_, pf.PfID, openOnly);
            if (!n.ok()) {
                QApplication::restoreOverrideCursor();
                showError(n.message().text);
                QApplication::setOverrideCursor(Qt::WaitCursor);
                break;
            }
        }
        panels_[1]->clear();
    } else if (appState().ActivePfID != -1) {
        auto n = selectHeldEntries(*dm_, appState().ActivePfID, openOnly);
        if (!n.ok()) {
            QApplication::restoreOverrideCursor();
            showError(n.message().text);
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    QApplication::restoreOverrideCursor();
    refreshMarks();
}

void TfrmSelectFunds::bbtnOKClick()
{
    if (singleSelect_ && dm_) {
        // The entry at the cell clicked last becomes the choice.
        auto toggled = toggleSelectedAt(*dm_, lastCol_, lastRow_);
        if (!toggled.ok()) {
            showError(toggled.message().text);
            return;
        }
    }
    SaveWindowPlacement(this, objectName());
    accept();
}

void TfrmSelectFunds::refreshMarks()
{
    if (dm_)
        refreshSelectedFlags(*dm_, display_);
    model_->marksChanged();
}

void TfrmSelectFunds::refreshStatus()
{
    panels_[0]->setText(colRowText(activeCol(), activeRow()));
    panels_[1]->setText(multiPortfolio_ ? QString() : appState().ActivePfShortName.trimmed());
}

void TfrmSelectFunds::showError(const QString& text)
{
    MessageDlgCtr(Message::error(text));
}

}  // namespace orv
