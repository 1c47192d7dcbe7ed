#include "gui/distributions/EditDsbs.h"

#include "core/base/Format.h"
#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/distributions/Distributions.h"
#include "core/store/DataModule.h"
#include "gui/base/GuiProgress.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"
#include "gui/distributions/DsbAddEdit.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {

namespace {
constexpr int kWidth = 598;

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

const char* const kHeadings[] = {"MLID", "Ex-Date", "Rec Date", "Pay Date", "Total", "Income", "Cap Gain",
                                 "Reinvest Price", "Split Factor"};
}  // namespace

// ---- The list model --------------------------------------------------------------

int TDsbListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int TDsbListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 9; }

QVariant TDsbListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const DistributionRec& r = rows_[size_t(index.row())];
    if (role == Qt::TextAlignmentRole)
        return int((index.column() >= 4 ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0: return r.MLID;
    case 1: return fmtDate(r.ExDate);
    case 2: return fmtDate(r.RecDate);
    case 3: return fmtDate(r.PayDate);
    case 4: return fmtPrice5(r.Total);
    case 5: return fmtPrice5(r.Income);
    case 6: return fmtPrice5(r.CapGain);
    case 7: return fmtPrice(r.ReinvestPri);
    case 8: return fmtPrice5(r.SplitFactor);
    }
    return {};
}

QVariant TDsbListModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 9) {
        // The two long headings take two lines so the columns stay narrow.
        QString h = QString::fromLatin1(kHeadings[section]);
        if (section >= 7)
            h.replace(QLatin1Char(' '), QLatin1Char('\n'));
        return h;
    }
    return QAbstractTableModel::headerData(section, o, role);
}

void TDsbListModel::setRows(std::vector<DistributionRec> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

// ---- The window ------------------------------------------------------------------

std::function<void(TfrmDsbAddEdit&)>& TfrmEditDsbs::prepareAddEdit()
{
    static std::function<void(TfrmDsbAddEdit&)> hook;
    return hook;
}

TfrmEditDsbs::TfrmEditDsbs(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditDsbs"));
    setWindowTitle(QStringLiteral("Edit Distributions"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    setMinimumWidth(kWidth);
    setMaximumWidth(kWidth);
    setMinimumHeight(300);
    const AppState& s = appState();

    pnlName = new QLabel(this);
    pnlName->setObjectName(QStringLiteral("pnlName"));
    pnlName->setTextFormat(Qt::PlainText);
    pnlName->setText(s.CurMLLongName.trimmed().isEmpty() ? s.CurMLShortName.trimmed() : s.CurMLLongName.trimmed());
    pnlName->setFrameShape(QFrame::Panel);
    pnlName->setFrameShadow(QFrame::Raised);
    pnlName->setAlignment(Qt::AlignCenter);
    pnlName->setMinimumHeight(30);
    QFont bold = pnlName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    pnlName->setFont(bold);

    model_ = new TDsbListModel(this);
    OvcDbTableDistributions = new QTableView(this);
    OvcDbTableDistributions->setObjectName(QStringLiteral("OvcDbTableDistributions"));
    OvcDbTableDistributions->setModel(model_);
    OvcDbTableDistributions->setSelectionBehavior(QAbstractItemView::SelectRows);
    OvcDbTableDistributions->setSelectionMode(QAbstractItemView::SingleSelection);
    OvcDbTableDistributions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OvcDbTableDistributions->verticalHeader()->hide();
    OvcDbTableDistributions->verticalHeader()->setDefaultSectionSize(20);
    OvcDbTableDistributions->setColumnHidden(0, true);
    OvcDbTableDistributions->horizontalHeader()->setHighlightSections(false);
    OvcDbTableDistributions->horizontalHeader()->setStretchLastSection(true);
    ApplyReportTableOptions(OvcDbTableDistributions);

    DBNavigator1 = new QWidget(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    auto* nav = new QHBoxLayout(DBNavigator1);
    nav->setContentsMargins(0, 0, 0, 0);
    nav->setSpacing(0);
    auto navButton = [this, nav](const char* name, QStyle::StandardPixmap icon, const QString& tip) {
        auto* b = new QToolButton(DBNavigator1);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(tip);
        b->setMinimumSize(30, 24);
        nav->addWidget(b);
        return b;
    };
    navFirst = navButton("navFirst", QStyle::SP_MediaSkipBackward, QStringLiteral("First record"));
    navPrior = navButton("navPrior", QStyle::SP_MediaSeekBackward, QStringLiteral("Prior record"));
    navNext = navButton("navNext", QStyle::SP_MediaSeekForward, QStringLiteral("Next record"));
    navLast = navButton("navLast", QStyle::SP_MediaSkipForward, QStringLiteral("Last record"));
    connect(navFirst, &QToolButton::clicked, this, [this] { goToRow(0); });
    connect(navPrior, &QToolButton::clicked, this, [this] { goToRow(std::max(0, currentRow() - 1)); });
    connect(navNext, &QToolButton::clicked, this,
            [this] { goToRow(std::min(int(rows().size()) - 1, currentRow() + 1)); });
    connect(navLast, &QToolButton::clicked, this, [this] { goToRow(int(rows().size()) - 1); });

    bbtnAddDisbribution = new QPushButton(QStringLiteral("&Add Distribution"), this);
    bbtnAddDisbribution->setObjectName(QStringLiteral("bbtnAddDisbribution"));
    btnEditDsb = new QPushButton(QStringLiteral("&Edit Distribution"), this);
    btnEditDsb->setObjectName(QStringLiteral("btnEditDsb"));
    bbtnDeleteDsb = new QPushButton(QStringLiteral("&Delete Distribution"), this);
    bbtnDeleteDsb->setObjectName(QStringLiteral("bbtnDeleteDsb"));
    btnDeleteAllDsbs = new QPushButton(QStringLiteral("Delete A&ll Distributions"), this);
    btnDeleteAllDsbs->setObjectName(QStringLiteral("btnDeleteAllDsbs"));
    btnExit = new QPushButton(QStringLiteral("E&xit"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    for (QPushButton* b : {bbtnAddDisbribution, btnEditDsb, bbtnDeleteDsb, btnDeleteAllDsbs, btnExit})
        b->setAutoDefault(false);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    stbText = new QLabel(StatusBar1);
    stbText->setMinimumWidth(300);
    ProgressBar1 = new QProgressBar(StatusBar1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumHeight(14);
    ProgressBar1->setValue(0);
    StatusBar1->addWidget(stbText, 3);
    StatusBar1->addWidget(ProgressBar1, 2);

    auto* navRow = new QHBoxLayout;
    navRow->addWidget(DBNavigator1);
    navRow->addStretch(1);
    auto* buttons1 = new QHBoxLayout;
    buttons1->addWidget(bbtnAddDisbribution);
    buttons1->addWidget(btnEditDsb);
    buttons1->addWidget(bbtnDeleteDsb);
    auto* buttons2 = new QHBoxLayout;
    buttons2->addWidget(btnDeleteAllDsbs);
    buttons2->addStretch(1);
    buttons2->addWidget(btnExit);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 0);
    main->addWidget(pnlName);
    main->addWidget(OvcDbTableDistributions, 1);
    main->addLayout(navRow);
    main->addLayout(buttons1);
    main->addLayout(buttons2);
    main->addWidget(StatusBar1);

    connect(bbtnAddDisbribution, &QPushButton::clicked, this, [this] { bbtnAddDisbributionClick(); });
    connect(btnEditDsb, &QPushButton::clicked, this, [this] { btnEditDsbClick(); });
    connect(bbtnDeleteDsb, &QPushButton::clicked, this, [this] { bbtnDeleteDsbClick(); });
    connect(btnDeleteAllDsbs, &QPushButton::clicked, this, [this] { btnDeleteAllDsbsClick(); });
    connect(btnExit, &QPushButton::clicked, this, &QDialog::reject);
    connect(OvcDbTableDistributions, &QTableView::doubleClicked, this, [this] { btnEditDsbClick(); });
    for (QToolButton* b : {navFirst, navPrior, navNext, navLast})
        connect(b, &QToolButton::clicked, this, [this] { OvcDbTableDistributions->setFocus(); });

    resize(kWidth, 440);
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
    reload();
    goToRow(int(rows().size()) - 1);
}

TfrmEditDsbs::~TfrmEditDsbs() = default;

void TfrmEditDsbs::reload()
{
    ORVDataModule* dm = session::dataModule();
    model_->setRows(dm ? store::distributionsOf(*dm, appState().CurMLID) : std::vector<DistributionRec>{});
    // Columns as wide as the dates and amounts shown (at least as wide as a sample).
    const QFontMetrics fm(OvcDbTableDistributions->font());
    const int dateWidth = fm.horizontalAdvance(fmtDate(dayFromDate(QDate(2026, 12, 28)))) + 8;
    const int numberWidth = fm.horizontalAdvance(fmtPrice5(88.88888)) + 8;
    for (int c = 1; c < 9; ++c) {
        int w = c <= 3 ? dateWidth : numberWidth;
        for (int i = 0; c >= 4 && i < model_->rowCount(); ++i)
            w = std::max(w, fm.horizontalAdvance(model_->data(model_->index(i, c), Qt::DisplayRole).toString()) + 8);
        OvcDbTableDistributions->setColumnWidth(c, w);
    }
    updateButtons();
}

int TfrmEditDsbs::currentRow() const
{
    const QModelIndex i = OvcDbTableDistributions->currentIndex();
    return i.isValid() ? i.row() : (rows().empty() ? -1 : 0);
}

void TfrmEditDsbs::goToRow(int row)
{
    if (rows().empty() || row < 0)
        return;
    row = std::min(row, int(rows().size()) - 1);
    const QModelIndex i = model_->index(row, 1);
    OvcDbTableDistributions->setCurrentIndex(i);
    OvcDbTableDistributions->selectRow(row);
    OvcDbTableDistributions->scrollTo(i);
}

void TfrmEditDsbs::goToExDate(Day exDate)
{
    for (size_t i = 0; i < rows().size(); ++i)
        if (rows()[i].ExDate == exDate) {
            goToRow(int(i));
            return;
        }
    goToRow(int(rows().size()) - 1);
}

void TfrmEditDsbs::updateButtons()
{
    const bool any = !rows().empty();
    btnEditDsb->setEnabled(any);
    bbtnDeleteDsb->setEnabled(any);
}

void TfrmEditDsbs::setAllEnabled(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*>{DBNavigator1, bbtnAddDisbribution, btnEditDsb, bbtnDeleteDsb,
                                                      btnDeleteAllDsbs, btnExit})
        w->setEnabled(on);
    if (on)
        updateButtons();
}

void TfrmEditDsbs::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    InitWindowPlacement(this, objectName());
    OvcDbTableDistributions->setFocus();
}

void TfrmEditDsbs::done(int r)
{
    SaveWindowPlacement(this, objectName());
    QDialog::done(r);
}

void TfrmEditDsbs::runDialog(const DistributionRec& rec, bool adding)
{
    GuiProgress progress(ProgressBar1, stbText);
    TfrmDsbAddEdit w(rec, adding, &progress, this);
    if (prepareAddEdit())
        prepareAddEdit()(w);
    const bool saved = w.exec() == QDialog::Accepted;
    stbText->clear();
    ProgressBar1->setValue(0);
    const Day keep = saved ? w.saved().ExDate : rec.ExDate;
    reload();
    if (saved || !adding)
        goToExDate(keep);
    else
        goToRow(int(rows().size()) - 1);
    OvcDbTableDistributions->setFocus();
}

void TfrmEditDsbs::bbtnAddDisbributionClick()
{
    runDialog(dsb::newDistribution(appState().CurMLID, today()), true);
}

void TfrmEditDsbs::btnEditDsbClick()
{
    const int row = currentRow();
    if (row < 0)
        return;
    runDialog(rows()[size_t(row)], false);
}

void TfrmEditDsbs::bbtnDeleteDsbClick()
{
    ORVDataModule* dm = session::dataModule();
    const int row = currentRow();
    if (!dm || row < 0)
        return;
    if (MessageDlgCtr(dsb::deleteOneQuestion(), MsgType::Confirmation, Btn::YesNo) != MR::Yes)
        return;
    const int mlID = appState().CurMLID;
    const Day exDate = rows()[size_t(row)].ExDate;
    GuiProgress progress(ProgressBar1, stbText);
    {
        WaitCursor wait;
        if (const Status st = dsb::DeleteDistribution(*dm, mlID, exDate, progress); !st)
            MessageDlgCtr(st.message());
    }
    stbText->clear();
    reload();
    if (MessageDlgCtr(dsb::deleteTxQuestion(exDate), MsgType::Confirmation, Btn::YesNo) == MR::Yes) {
        WaitCursor wait;
        const auto n = dsb::DeleteDsbTransactions(*dm, mlID, exDate, progress);
        if (!n)
            MessageDlgCtr(n.message());
    }
    stbText->clear();
    ProgressBar1->setValue(0);
    updateButtons();
    goToRow(int(rows().size()) - 1);
    OvcDbTableDistributions->setFocus();
}

void TfrmEditDsbs::btnDeleteAllDsbsClick()
{
    ORVDataModule* dm = session::dataModule();
    if (!dm)
        return;
    setAllEnabled(false);
    if (MessageDlgCtr(dsb::deleteAllQuestion(), MsgType::Confirmation, Btn::YesNo) != MR::Yes) {
        setAllEnabled(true);
        return;
    }
    const int mlID = appState().CurMLID;
    GuiProgress progress(ProgressBar1, stbText);
    std::vector<Day> days;
    {
        WaitCursor wait;
        const auto deleted = dsb::DeleteAllDistributions(*dm, mlID, progress);
        if (!deleted)
            MessageDlgCtr(deleted.message());
        else
            days = *deleted;
    }
    reload();
    if (!days.empty() && MessageDlgCtr(dsb::deleteAllTxQuestion(), MsgType::Confirmation, Btn::YesNo) == MR::Yes) {
        WaitCursor wait;
        const auto n = dsb::DeleteAllDsbTransactions(*dm, mlID, days, progress);
        if (!n)
            MessageDlgCtr(n.message());
    }
    stbText->clear();
    ProgressBar1->setValue(0);
    QApplication::beep();
    MessageDlgCtr(dsb::allDoneText(), MsgType::Information, Btn::OK);
    setAllEnabled(true);
}

}  // namespace orv
