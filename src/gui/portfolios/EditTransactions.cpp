#include "gui/portfolios/EditTransactions.h"

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/portfolios/ActivePortfolio.h"
#include "core/portfolios/PortfolioDirectory.h"
#include "core/store/DataModule.h"
#include "gui/base/GuiProgress.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"
#include "gui/portfolios/AddEditTx.h"
#include "gui/portfolios/PfDirectory.h"
#include "gui/portfolios/PortfolioSelect.h"
#include "gui/portfolios/SinglePfIssueParameters.h"
#include "gui/select/MasterListSelectSingle.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {

using tx::TxView;

// The rows of the current view for the read-only grid.
class TxTableModel : public QAbstractTableModel {
public:
    std::vector<tx::TxRow> rows;
    QString fee1 = QStringLiteral("Fee1"), fee2 = QStringLiteral("Fee2");
    QString pricePattern;

    void setRows(std::vector<tx::TxRow> r)
    {
        beginResetModel();
        rows = std::move(r);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : TfrmEditTransactions::ColCount;
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* names[] = {"Portfolio", "Security", "Date",       "Buy/Sell", "Shares",  "Amount",
                                      "Share Price", "Commission", "",       "",         "Type",    "Comment"};
        if (section == TfrmEditTransactions::ColFee1)
            return fee1;
        if (section == TfrmEditTransactions::ColFee2)
            return fee2;
        return QString::fromLatin1(names[section]);
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= int(rows.size()))
            return {};
        const tx::TxRow& r = rows[size_t(index.row())];
        const int c = index.column();
        if (role == Qt::TextAlignmentRole)
            return c >= TfrmEditTransactions::ColShares && c <= TfrmEditTransactions::ColFee2
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        static const QString shares = QStringLiteral("#,###,###,##0.###0");
        static const QString money = QStringLiteral("#,###,###,##0.#0");
        static const QString price = QStringLiteral("#,###,###,##0.##0");
        switch (c) {
        case TfrmEditTransactions::ColPortfolio: return r.Portfolio;
        case TfrmEditTransactions::ColSecurity: return r.MLShortName;
        case TfrmEditTransactions::ColDate: return fmtDate(r.Date);
        case TfrmEditTransactions::ColBuySell: return r.BuySell;
        case TfrmEditTransactions::ColShares: return fmtNumber(r.Shares, shares);
        case TfrmEditTransactions::ColAmount: return fmtNumber(r.Amount, money);
        case TfrmEditTransactions::ColSharePrice:
            return r.SharePrice ? fmtNumber(*r.SharePrice, pricePattern.isEmpty() ? price : pricePattern) : QString();
        case TfrmEditTransactions::ColCommission: return fmtNumber(r.Commission, money);
        case TfrmEditTransactions::ColFee1: return fmtNumber(r.Fee1, money);
        case TfrmEditTransactions::ColFee2: return fmtNumber(r.Fee2, money);
        case TfrmEditTransactions::ColType: return tx::shownType(r.Type);
        case TfrmEditTransactions::ColComment: return r.Comment;
        }
        return {};
    }
};

namespace {
ORVDataModule* dataModule() { return session::dataModule(); }
constexpr int kWidthOffset = 2;  // TxColWidths: PfID and MLID come first
}  // namespace

TfrmEditTransactions::TfrmEditTransactions(QWidget* parent) : QDialog(parent), model_(std::make_unique<TxTableModel>())
{
    setObjectName(QStringLiteral("frmEditTransactions"));
    setWindowTitle(QStringLiteral("Transactions"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    defaultDate_ = tx::defaultTxDate(today());

    auto* menuBar = new QMenuBar(this);
    buildMenus(menuBar);

    OvcDbTableTransactions = new QTableView(this);
    OvcDbTableTransactions->setObjectName(QStringLiteral("OvcDbTableTransactions"));
    OvcDbTableTransactions->setModel(model_.get());
    OvcDbTableTransactions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OvcDbTableTransactions->setSelectionBehavior(QAbstractItemView::SelectRows);
    OvcDbTableTransactions->setSelectionMode(QAbstractItemView::SingleSelection);
    OvcDbTableTransactions->verticalHeader()->hide();
    OvcDbTableTransactions->verticalHeader()->setDefaultSectionSize(OvcDbTableTransactions->fontMetrics().height() + 6);
    OvcDbTableTransactions->setContextMenuPolicy(Qt::CustomContextMenu);
    OvcDbTableTransactions->installEventFilter(this);
    ApplyReportTableOptions(OvcDbTableTransactions);
    const auto& widths = appState().Config.TxColWidths;
    // Stored widths, but never narrower than the heading (or a date) needs.
    const QFontMetrics fm = OvcDbTableTransactions->horizontalHeader()->fontMetrics();
    for (int c = 0; c < ColCount; ++c) {
        int need = fm.horizontalAdvance(model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()) + 16;
        if (c == ColDate)
            need = std::max(need, OvcDbTableTransactions->fontMetrics().horizontalAdvance(fmtDate(today())) + 12);
        OvcDbTableTransactions->setColumnWidth(c, qBound(need, int(widths[size_t(c + kWidthOffset)]), 600));
    }

    rgDisplayOptions = new QGroupBox(QStringLiteral("Display Options"), this);
    rgDisplayOptions->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* rg = new QGridLayout(rgDisplayOptions);
    for (int i = 0; i < 4; ++i) {
        rbView[i] = new QRadioButton(rgDisplayOptions);
        rg->addWidget(rbView[i], i % 2, i / 2);
        connect(rbView[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && int(view_) != i)
                setView(TxView(i));
        });
    }

    auto* change = new QGroupBox(QStringLiteral("Change Display Options"), this);
    change->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* ch = new QGridLayout(change);
    const auto panel = [this, ch](QWidget*& pnl, QLabel*& lbl, QToolButton*& btn, const QString& hint, int row) {
        pnl = new QWidget(this);
        auto* h = new QHBoxLayout(pnl);
        h->setContentsMargins(0, 0, 0, 0);
        lbl = new QLabel(pnl);
        lbl->setFrameShape(QFrame::StyledPanel);
        lbl->setMinimumWidth(120);
        lbl->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        btn = new QToolButton(pnl);
        btn->setText(QStringLiteral("..."));
        btn->setToolTip(hint);
        h->addWidget(lbl, 1);
        h->addWidget(btn);
        ch->addWidget(pnl, row, 0);
    };
    panel(pnlPortfolio, lblPortfolio, btnChangePortfolio, QStringLiteral("Change Portfolio"), 0);
    panel(pnlSecurity, lblMLName, btnChangeSecurity, QStringLiteral("Change Security"), 1);
    lblPortfolio->setObjectName(QStringLiteral("lblPortfolio"));
    lblMLName->setObjectName(QStringLiteral("lblMLName"));
    connect(btnChangePortfolio, &QToolButton::clicked, this, &TfrmEditTransactions::changePortfolio);
    connect(btnChangeSecurity, &QToolButton::clicked, this, &TfrmEditTransactions::changeSecurity);

    pnlHolding = new QWidget(this);
    auto* hg = new QGridLayout(pnlHolding);
    hg->setContentsMargins(0, 0, 0, 0);
    lblAccount = new QLabel(pnlHolding);
    lblPhone = new QLabel(pnlHolding);
    lblReinvest = new QLabel(pnlHolding);
    hg->addWidget(new QLabel(QStringLiteral("Account #:"), pnlHolding), 0, 0);
    hg->addWidget(lblAccount, 0, 1);
    hg->addWidget(new QLabel(QStringLiteral("Phone:"), pnlHolding), 1, 0);
    hg->addWidget(lblPhone, 1, 1);
    hg->addWidget(new QLabel(QStringLiteral("Reinvest:"), pnlHolding), 2, 0);
    hg->addWidget(lblReinvest, 2, 1);
    pnlTotals = new QWidget(this);
    auto* tg = new QGridLayout(pnlTotals);
    tg->setContentsMargins(0, 0, 0, 0);
    lblTotalShares = new QLabel(pnlTotals);
    lblTotalShares->setObjectName(QStringLiteral("lblTotalShares"));
    lblValueCaption = new QLabel(pnlTotals);
    lblValue = new QLabel(pnlTotals);
    lblValue->setObjectName(QStringLiteral("lblValue"));
    tg->addWidget(new QLabel(QStringLiteral("Total Shares:"), pnlTotals), 0, 0);
    tg->addWidget(lblTotalShares, 0, 1, Qt::AlignRight);
    tg->addWidget(lblValueCaption, 1, 0);
    tg->addWidget(lblValue, 1, 1, Qt::AlignRight);

    btnAdd = new QPushButton(QStringLiteral("&Add Transaction"), this);
    btnAdd->setToolTip(QStringLiteral("Add record to database"));
    btnDelete = new QPushButton(QStringLiteral("&Delete Transaction"), this);
    btnDelete->setToolTip(QStringLiteral("Delete highlighted record"));
    btnEdit = new QPushButton(QStringLiteral("Ed&it Transaction"), this);
    btnEdit->setToolTip(QStringLiteral("You may also edit certain entries by double-clicking on them."));
    btnPortfolioSummary = new QPushButton(QStringLiteral("Portfolio Su&mmary"), this);
    btnExit = new QPushButton(QStringLiteral("E&xit"), this);
    for (auto* b : {btnAdd, btnDelete, btnEdit, btnPortfolioSummary, btnExit})
        b->setAutoDefault(false);
    connect(btnAdd, &QPushButton::clicked, this, &TfrmEditTransactions::addTransaction);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmEditTransactions::deleteTransaction);
    connect(btnEdit, &QPushButton::clicked, this, &TfrmEditTransactions::editTransaction);
    connect(btnExit, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnPortfolioSummary, &QPushButton::clicked, this, [this] {
        const qint64 seq = currentRow() >= 0 ? rows()[size_t(currentRow())].Sequence : -1;
        if (openPortfolioSummary)
            openPortfolioSummary();
        rebuild(seq);
    });

    auto* nav = new QHBoxLayout;
    const QList<QPair<QString, int>> navs{{"|<", 0}, {"<", 1}, {">", 2}, {">|", 3}};
    for (const auto& [text, which] : navs) {
        auto* b = new QToolButton(this);
        b->setText(text);
        nav->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, which = which] {
            const int n = int(rows().size());
            const int r = currentRow();
            setCurrentRow(which == 0 ? 0 : which == 1 ? r - 1 : which == 2 ? r + 1 : n - 1);
            OvcDbTableTransactions->setFocus();
        });
    }
    ProgressBar = new QProgressBar(this);
    ProgressBar->hide();

    stbTransactions = new QStatusBar(this);
    stbTransactions->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        stbPanel[i] = new QLabel(this);
        stbTransactions->addWidget(stbPanel[i], i);
    }
    stbPanel[0]->setMinimumWidth(160);

    auto* right = new QVBoxLayout;
    right->addWidget(btnAdd);
    right->addWidget(btnDelete);
    right->addWidget(btnEdit);
    right->addWidget(btnPortfolioSummary);
    right->addWidget(btnExit);
    right->addLayout(nav);
    right->addStretch();
    auto* topRow = new QHBoxLayout;
    topRow->addWidget(rgDisplayOptions, 2);
    topRow->addWidget(change, 1);
    auto* info = new QHBoxLayout;
    info->addWidget(pnlHolding);
    info->addStretch();
    info->addWidget(pnlTotals);
    auto* left = new QVBoxLayout;
    left->addLayout(topRow);
    left->addLayout(info);
    // The grid sits in a holder that keeps its place while an empty view hides it.
    auto* gridHolder = new QWidget(this);
    gridHolder->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* gh = new QVBoxLayout(gridHolder);
    gh->setContentsMargins(0, 0, 0, 0);
    gh->addWidget(OvcDbTableTransactions);
    left->addWidget(gridHolder, 1);
    left->addWidget(ProgressBar);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right);
    auto* v = new QVBoxLayout(this);
    v->setMenuBar(menuBar);
    v->addLayout(body, 1);
    v->addWidget(stbTransactions);
    resize(900, 520);

    connect(OvcDbTableTransactions, &QTableView::doubleClicked, this, &TfrmEditTransactions::editTransaction);
    connect(OvcDbTableTransactions, &QTableView::customContextMenuRequested, this,
            &TfrmEditTransactions::gridContextMenu);

    applyFeeSettings();
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
    rbView[int(view_)]->setChecked(true);
    rebuild();
}

TfrmEditTransactions::~TfrmEditTransactions() = default;

void TfrmEditTransactions::buildMenus(QMenuBar* bar)
{
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    QAction* close = file->addAction(QStringLiteral("&Close"), this, &QDialog::reject);
    close->setShortcut(Qt::Key_Escape);
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("Change &Portfolio"), this, &TfrmEditTransactions::changePortfolio);
    edit->addAction(QStringLiteral("Change &Security"), this, &TfrmEditTransactions::changeSecurity);
    edit->addAction(QStringLiteral("Edit Selected Transaction"), this, &TfrmEditTransactions::editTransaction)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    edit->addAction(QStringLiteral("Add Transaction"), this, &TfrmEditTransactions::addTransaction)
        ->setShortcut(Qt::Key_Insert);
    edit->addAction(QStringLiteral("Delete Transaction"), this, &TfrmEditTransactions::deleteTransaction)
        ->setShortcut(Qt::Key_Delete);
    edit->addSeparator();
    edit->addAction(QStringLiteral("&Account Number"), this, [this] { editParameters(0); });
    edit->addAction(QStringLiteral("P&hone Number"), this, [this] { editParameters(1); });
    edit->addAction(QStringLiteral("&Reinvest Option"), this, [this] { editParameters(2); });
    edit->addSeparator();
    mmFee1Heading = edit->addAction(QString(), this, [this] { editFeeHeading(1); });
    mmFee2Heading = edit->addAction(QString(), this, [this] { editFeeHeading(2); });
    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    mmHideFee1 = view->addAction(QString(), this, [this] { toggleHideFee(1); });
    mmHideFee2 = view->addAction(QString(), this, [this] { toggleHideFee(2); });
    mmHideFee1->setCheckable(true);
    mmHideFee2->setCheckable(true);
    view->addAction(QStringLiteral("Portfolio Summary"), this, [this] { btnPortfolioSummary->click(); });
}

void TfrmEditTransactions::applyFeeSettings()
{
    const ConfigRecord& c = appState().Config;
    // The first fee heading's menu text carries the "&1" accelerator.
    mmFee1Heading->setText(QString(c.Fee1Heading).replace(QStringLiteral("1"), QStringLiteral("&1")) +
                           QStringLiteral(" Heading"));
    mmFee2Heading->setText(QString(c.Fee2Heading).replace(QStringLiteral("2"), QStringLiteral("&2")) +
                           QStringLiteral(" Heading"));
    mmHideFee1->setText(tx::hideFeeMenuCaption(c.Fee1Heading));
    mmHideFee2->setText(tx::hideFeeMenuCaption(c.Fee2Heading));
    mmHideFee1->setChecked(c.HideFee1);
    mmHideFee2->setChecked(c.HideFee2);
    model_->fee1 = c.Fee1Heading;
    model_->fee2 = c.Fee2Heading;
    emit model_->headerDataChanged(Qt::Horizontal, ColFee1, ColFee2);
    OvcDbTableTransactions->setColumnHidden(ColFee1, c.HideFee1);
    OvcDbTableTransactions->setColumnHidden(ColFee2, c.HideFee2);
}

const std::vector<tx::TxRow>& TfrmEditTransactions::rows() const { return model_->rows; }

int TfrmEditTransactions::currentRow() const
{
    const QModelIndex i = OvcDbTableTransactions->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void TfrmEditTransactions::setCurrentRow(int row)
{
    if (rows().empty())
        return;
    row = qBound(0, row, int(rows().size()) - 1);
    const int col = qMax(0, OvcDbTableTransactions->currentIndex().column());
    OvcDbTableTransactions->setCurrentIndex(model_->index(row, col));
    OvcDbTableTransactions->scrollTo(model_->index(row, col));
}

void TfrmEditTransactions::setView(TxView v)
{
    view_ = v;
    if (!rbView[int(v)]->isChecked())
        rbView[int(v)]->setChecked(true);
    rebuild();
}

void TfrmEditTransactions::rebuild(qint64 goToSequence)
{
    ORVDataModule* dm = dataModule();
    if (!dm)
        return;
    const AppState& s = appState();
    const QStringList texts = tx::viewOptionTexts(s.ActivePfShortName, s.CurMLShortName);
    for (int i = 0; i < 4; ++i)
        rbView[i]->setText(texts[i]);
    lblPortfolio->setText(s.ActivePfShortName.trimmed());
    lblMLName->setText(s.CurMLShortName.trimmed());
    model_->pricePattern = s.CurMLType.trimmed() == QLatin1String("Variable Annuity") &&
                                   (view_ == TxView::PortfolioIssue || view_ == TxView::AllPortfoliosIssue)
                               ? QStringLiteral("###,##0.#####0")
                               : QString();
    model_->setRows(tx::viewRows(*dm, view_, s.ActivePfID, s.CurMLID));
    const tx::TxViewControls c = tx::viewControls(view_);
    pnlPortfolio->setVisible(c.portfolioPanel);
    pnlSecurity->setVisible(c.securityPanel);
    btnPortfolioSummary->setEnabled(c.portfolioSummary);
    const tx::TxTotals t = tx::viewTotals(*dm, view_, s.ActivePfID, s.CurMLID);
    pnlHolding->setVisible(c.holdingPanels && t.hasHolding);
    lblAccount->setText(t.AccountNumber);
    lblPhone->setText(t.Phone);
    lblReinvest->setText(t.Reinvest);
    pnlTotals->setVisible(c.totals && t.hasHolding);
    lblTotalShares->setText(t.sharesText());
    lblValueCaption->setVisible(t.hasPrice);
    lblValue->setVisible(t.hasPrice);
    if (t.hasPrice) {
        lblValueCaption->setText(t.valueLabel());
        lblValue->setText(t.valueText());
    }
    OvcDbTableTransactions->setVisible(!rows().empty());
    btnEdit->setEnabled(!rows().empty());
    btnDelete->setEnabled(!rows().empty());
    stbPanel[0]->setText(QStringLiteral("Transactions: ") + fmtNumber(double(rows().size()), QStringLiteral("###,###,###")));
    stbPanel[1]->setText(view_ == TxView::PortfolioAll || view_ == TxView::PortfolioIssue ? s.ActivePfCaption
                                                                                           : QString());
    int target = int(rows().size()) - 1;
    if (goToSequence >= 0)
        for (int i = 0; i < int(rows().size()); ++i)
            if (rows()[size_t(i)].Sequence == goToSequence)
                target = i;
    setCurrentRow(target);
}

void TfrmEditTransactions::storeColumnWidths()
{
    auto& widths = appState().Config.TxColWidths;
    for (int c = 0; c < ColCount; ++c)
        if (!OvcDbTableTransactions->isColumnHidden(c))
            widths[size_t(c + kWidthOffset)] = OvcDbTableTransactions->columnWidth(c);
}

void TfrmEditTransactions::addTransaction()
{
    storeColumnWidths();
    const AppState& s = appState();
    QString pf = s.ActivePfShortName.trimmed(), ml = s.CurMLShortName.trimmed();
    if (const int r = currentRow(); r >= 0) {
        pf = rows()[size_t(r)].Portfolio;
        ml = rows()[size_t(r)].MLShortName;
    }
    TransactionRec rec;
    rec.Date = defaultDate_;
    rec.BuySell = QStringLiteral("Buy");
    rec.SharePrice = 0.0;
    rec.Type = QStringLiteral("Usual");
    TfrmAddEditTx dlg(this);
    dlg.setWindowTitle(QStringLiteral("Add Transaction"));
    dlg.setRecord(rec, pf, ml);
    const tx::TxViewControls c = tx::viewControls(view_);
    dlg.setChangeButtons(c.dialogChangePortfolio, c.dialogChangeSecurity);
    dlg.setAdding(true);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const TransactionRec saved = dlg.record();
    defaultDate_ = saved.Date;
    if (dlg.cbMultiple->isChecked())
        multipleEntry(saved);
    rebuild(saved.Sequence);
}

void TfrmEditTransactions::multipleEntry(const TransactionRec& saved)
{
    ORVDataModule* dm = dataModule();
    if (!dm || MessageDlgCtr(tx::multipleEntryQuestion(), MsgType::Confirmation, Btn::YesNo) != MR::Yes)
        return;
    ClearPfSelections(*dm);
    {
        TfrmPfDirectory dir(TfrmPfDirectory::Mode::Multiple, this);
        dir.hideIssueButtons();
        dir.exec();
    }
    const auto targets = tx::multipleEntryTargets(*dm, saved.PfID);
    if (targets.empty()) {
        QApplication::beep();
        MessageDlgCtr(tx::noPortfoliosSelectedText(), MsgType::Custom, Btn::OK);
        return;
    }
    const auto ml = store::masterListEntry(*dm, saved.MLID);
    const QString mlName = ml ? ml->ShortName : QString();
    TfrmAddEditTx dlg(this);
    dlg.setWindowTitle(QStringLiteral("Add Transaction"));
    dlg.setAdding(false);
    dlg.setMultipleMode(true);
    dlg.setFocusField(QStringLiteral("Shares"));
    for (const PortfolioRec& p : targets) {
        dlg.setRecord(tx::copyForPortfolio(saved), p.ShortName, mlName);
        const int r = dlg.exec();
        if (r == TfrmAddEditTx::kAborted)
            break;
    }
}

void TfrmEditTransactions::editTransaction()
{
    const int r = currentRow();
    ORVDataModule* dm = dataModule();
    if (r < 0 || !dm)
        return;
    storeColumnWidths();
    const tx::TxRow row = rows()[size_t(r)];
    const auto rec = tx::transaction(*dm, row.Sequence);
    if (!rec)
        return;
    TfrmAddEditTx dlg(this);
    dlg.setWindowTitle(QStringLiteral("Edit Transaction"));
    dlg.setRecord(*rec, row.Portfolio, row.MLShortName);
    const tx::TxViewControls c = tx::viewControls(view_);
    dlg.setChangeButtons(c.dialogChangePortfolio, c.dialogChangeSecurity);
    dlg.setAdding(false);
    static const char* fieldOfColumn[] = {"Portfolio",  "Security",   "Date", "BuySell", "Shares",  "Amount",
                                          "SharePrice", "Commission", "Fee1", "Fee2",    "Type",    "Comment"};
    dlg.setFocusField(QString::fromLatin1(fieldOfColumn[qBound(0, OvcDbTableTransactions->currentIndex().column(),
                                                               int(ColCount) - 1)]));
    if (dlg.exec() == QDialog::Accepted)
        rebuild(row.Sequence);
}

void TfrmEditTransactions::deleteTransaction()
{
    const int r = currentRow();
    ORVDataModule* dm = dataModule();
    if (r < 0 || !dm)
        return;
    const tx::TxRow row = rows()[size_t(r)];
    const int answer = MessageDlgCtr(tx::deleteOneQuestion(row.Date), MsgType::Confirmation, Btn::YesNoAll);
    if (answer == MR::Yes) {
        const Status st = tx::deleteTransaction(*dm, row.Sequence);
        if (!st)
            MessageDlgCtr(st.message());
        const qint64 next = r + 1 < int(rows().size()) ? rows()[size_t(r + 1)].Sequence : -1;
        rebuild(next);
    } else if (answer == MR::All) {
        QApplication::beep();
        const AppState& s = appState();
        if (MessageDlgCtr(tx::bulkDeleteQuestion(view_, s.ActivePfShortName, s.CurMLShortName), MsgType::Confirmation,
                          Btn::YesNo) != MR::Yes)
            return;
        ProgressBar->show();
        const auto n = [&] {
            GuiProgress progress(ProgressBar);
            return tx::deleteView(*dm, view_, s.ActivePfID, s.CurMLID, progress);
        }();
        ProgressBar->hide();
        if (!n) {
            MessageDlgCtr(n.message());
            rebuild();
            return;
        }
        accept();
    }
}

void TfrmEditTransactions::changePortfolio()
{
    ORVDataModule* dm = dataModule();
    if (!dm)
        return;
    TfrmPortfolioSelect chooser(this);
    chooser.setSearchText(appState().ActivePfShortName.trimmed());
    chooser.move(pnlPortfolio->mapToGlobal(QPoint(0, pnlPortfolio->height())));
    if (chooser.exec() != QDialog::Accepted || !chooser.chosen())
        return;
    SelectActivePortfolio(*dm, appState(), chooser.chosen()->ShortName);
    rebuild();
}

void TfrmEditTransactions::changeSecurity()
{
    TfrmMasterListSelectSingle chooser(this);
    chooser.setFilter(TfrmMasterListSelectSingle::notLinearTypeFilter());
    chooser.setSearchText(appState().CurMLShortName.trimmed());
    chooser.move(pnlSecurity->mapToGlobal(QPoint(0, pnlSecurity->height())));
    if (chooser.exec() != QDialog::Accepted || !chooser.chosen())
        return;
    AppState& s = appState();
    const MasterListRec e = *chooser.chosen();
    s.CurMLID = e.MLID;
    s.CurMLShortName = e.ShortName;
    s.CurMLLongName = e.LongName;
    s.CurMLType = e.Type;
    rebuild();
}

void TfrmEditTransactions::editParameters(int focus)
{
    ORVDataModule* dm = dataModule();
    if (!dm)
        return;
    const AppState& s = appState();
    const auto h = store::holding(*dm, s.ActivePfID, s.CurMLID);
    if (!h) {
        MessageDlgCtr(tx::noTransactionYetText(), MsgType::Custom, Btn::OK);
        return;
    }
    TfrmSinglePfIssueParameters dlg(this);
    dlg.setValues(s.ActivePfShortName.trimmed(), s.CurMLShortName.trimmed(), h->AccountNumber, h->Phone, h->Reinvest);
    dlg.setFocusField(TfrmSinglePfIssueParameters::Focus(focus));
    if (dlg.exec() != QDialog::Accepted)
        return;
    const Status st = tx::setHoldingParameters(*dm, s.ActivePfID, s.CurMLID, dlg.reinvest(), dlg.accountNumber(),
                                               dlg.phone());
    if (!st)
        MessageDlgCtr(st.message());
    const qint64 seq = currentRow() >= 0 ? rows()[size_t(currentRow())].Sequence : -1;
    rebuild(seq);
}

void TfrmEditTransactions::editFeeHeading(int fee)
{
    ConfigRecord& c = appState().Config;
    QString& heading = fee == 1 ? c.Fee1Heading : c.Fee2Heading;
    bool ok = false;
    const QString text = QInputDialog::getText(
        this, QStringLiteral("Edit Fee Heading"),
        fee == 1 ? QStringLiteral("Enter a heading for the 1st Fee field") : QStringLiteral("Enter a heading for the 2nd Fee field"),
        QLineEdit::Normal, heading, &ok);
    if (!ok)
        return;
    heading = tx::feeHeading(text);
    applyFeeSettings();
}

void TfrmEditTransactions::toggleHideFee(int fee)
{
    ConfigRecord& c = appState().Config;
    bool& hide = fee == 1 ? c.HideFee1 : c.HideFee2;
    hide = !hide;
    applyFeeSettings();
}

void TfrmEditTransactions::gridContextMenu(const QPoint& pos)
{
    const QModelIndex i = OvcDbTableTransactions->indexAt(pos);
    if (!i.isValid())
        return;
    OvcDbTableTransactions->setCurrentIndex(i);
    QMenu menu(this);
    QAction* edit = menu.addAction(QStringLiteral("Edit Transaction"));
    QAction* del = menu.addAction(QStringLiteral("Delete Transaction"));
    menu.addAction(QStringLiteral("Cancel"));
    QAction* chosen = menu.exec(OvcDbTableTransactions->viewport()->mapToGlobal(pos));
    if (chosen == edit)
        editTransaction();
    else if (chosen == del)
        deleteTransaction();
}

void TfrmEditTransactions::keyPressEvent(QKeyEvent* event)
{
    if (event->text() == QLatin1String("+")) {
        addTransaction();
        return;
    }
    if (event->text() == QLatin1String("-")) {
        deleteTransaction();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfrmEditTransactions::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == OvcDbTableTransactions && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->text() == QLatin1String("+") || k->text() == QLatin1String("-")) {
            keyPressEvent(k);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmEditTransactions::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
    OvcDbTableTransactions->setFocus();
}

void TfrmEditTransactions::done(int r)
{
    if (!closing_) {
        closing_ = true;
        storeColumnWidths();
        SaveWindowPlacement(this, objectName());
    }
    QDialog::done(r);
}

}  // namespace orv
