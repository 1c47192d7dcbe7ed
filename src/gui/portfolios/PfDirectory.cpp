#include "gui/portfolios/PfDirectory.h"

#include "core/config/AppState.h"
#include "core/config/Session.h"
#include "core/portfolios/ActivePortfolio.h"
#include "core/portfolios/PortfolioDirectory.h"
#include "core/store/DataModule.h"
#include "gui/base/GuiProgress.h"
#include "gui/base/MessageDlg.h"
#include "gui/base/ReportStatus.h"
#include "gui/base/TableStyle.h"
#include "gui/base/WindowPlacement.h"
#include "gui/portfolios/PfSelectFamily.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {

namespace {

struct FieldSpec {
    const char* name;
    const char* label;
    int maxLen;
    QString PortfolioRec::*member;
};

const std::vector<FieldSpec>& fieldSpecs()
{
    static const std::vector<FieldSpec> specs{
        {"ShortName", "Short Name", 12, &PortfolioRec::ShortName},
        {"LongName", "Long Name", 40, &PortfolioRec::LongName},
        {"TaxID", "Tax ID", 20, &PortfolioRec::TaxID},
        {"AccountNumber", "Account Number", 20, &PortfolioRec::AccountNumber},
        {"Email", "Email", 40, &PortfolioRec::Email},
        {"Phone1", "Phone #1", 25, &PortfolioRec::Phone1},
        {"FAX", "FAX", 25, &PortfolioRec::FAX},
        {"Phone2", "Phone #2", 25, &PortfolioRec::Phone2},
        {"NameFirst", "First Name", 20, &PortfolioRec::NameFirst},
        {"NameMiddle", "Middle Name", 20, &PortfolioRec::NameMiddle},
        {"NameLast", "Last Name", 40, &PortfolioRec::NameLast},
        {"Address1", "Address #1", 40, &PortfolioRec::Address1},
        {"Address2", "Address #2", 40, &PortfolioRec::Address2},
        {"City", "City", 25, &PortfolioRec::City},
        {"State", "State", 25, &PortfolioRec::State},
        {"Country", "Country", 25, &PortfolioRec::Country},
        {"PostalCode", "Postal Code", 12, &PortfolioRec::PostalCode},
    };
    return specs;
}

constexpr int kColSelected = 0;
constexpr int kColShortName = 1;

}  // namespace

TfrmPfDirectory::TfrmPfDirectory(Mode mode, QWidget* parent) : QDialog(parent), mode_(mode)
{
    setObjectName(QStringLiteral("frmPfDirectory"));
    setWindowTitle(QStringLiteral("Portfolio Directory"));

    OvcDbTablePfDirectory = new QTableWidget(this);
    OvcDbTablePfDirectory->setObjectName(QStringLiteral("OvcDbTablePfDirectory"));
    OvcDbTablePfDirectory->setColumnCount(2);
    OvcDbTablePfDirectory->setHorizontalHeaderLabels({QString(), QStringLiteral("Short Name")});
    OvcDbTablePfDirectory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OvcDbTablePfDirectory->setSelectionBehavior(QAbstractItemView::SelectRows);
    OvcDbTablePfDirectory->setSelectionMode(QAbstractItemView::SingleSelection);
    OvcDbTablePfDirectory->verticalHeader()->hide();
    OvcDbTablePfDirectory->horizontalHeader()->setStretchLastSection(true);
    OvcDbTablePfDirectory->setColumnWidth(kColSelected, 24);
    OvcDbTablePfDirectory->setFixedWidth(150);
    ApplyReportTableOptions(OvcDbTablePfDirectory);
    OvcDbTablePfDirectory->installEventFilter(this);

    pgcDirectory = new QTabWidget(this);
    pgcDirectory->setObjectName(QStringLiteral("pgcDirectory"));
    tbsSelect = buildSelectTab();
    tbsMultiple = buildMultipleTab();
    tbsEdit = buildEditTab();
    pgcDirectory->addTab(tbsSelect, QStringLiteral("Select Portfolio"));
    pgcDirectory->addTab(tbsMultiple, QStringLiteral("Select Multiple Portfolios"));
    pgcDirectory->addTab(tbsEdit, QStringLiteral("Edit Directory"));

    bbtnOK = new QPushButton(QStringLiteral("OK"), this);
    bbtnOK->setObjectName(QStringLiteral("bbtnOK"));
    bbtnExit = new QPushButton(QStringLiteral("Exit"), this);
    bbtnExit->setObjectName(QStringLiteral("bbtnExit"));
    bbtnOK->setDefault(true);

    stbDirectory = new QStatusBar(this);
    stbDirectory->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        stbPanel[i] = new QLabel(this);
        stbPanel[i]->setFrameShape(QFrame::StyledPanel);
        stbDirectory->addWidget(stbPanel[i], i == 0 ? 0 : 1);
    }
    stbPanel[0]->setMinimumWidth(120);

    auto* body = new QHBoxLayout;
    body->addWidget(OvcDbTablePfDirectory);
    body->addWidget(pgcDirectory, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbtnOK);
    buttons->addWidget(bbtnExit);
    auto* v = new QVBoxLayout(this);
    v->addLayout(body, 1);
    v->addLayout(buttons);
    v->addWidget(stbDirectory);
    setFixedWidth(601);
    resize(601, 470);

    connect(OvcDbTablePfDirectory, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (loading_)
            return;
        row_ = row;
        if (!searching_ && !search_.isEmpty()) {
            search_.clear();
            stbPanel[0]->clear();
        }
        showRecord();
    });
    connect(OvcDbTablePfDirectory, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (loading_ || item->column() != kColSelected || !dm())
            return;
        const int r = item->row();
        if (r < 0 || r >= int(rows_.size()))
            return;
        rows_[size_t(r)].Selected = item->checkState() == Qt::Checked;
        setPfSelected(*dm(), rows_[size_t(r)].PfID, rows_[size_t(r)].Selected);
    });
    connect(OvcDbTablePfDirectory, &QTableWidget::cellDoubleClicked, this, [this] {
        if (pgcDirectory->currentWidget() != tbsMultiple)
            bbtnOKClick();
    });
    connect(pgcDirectory, &QTabWidget::currentChanged, this, &TfrmPfDirectory::tabChanged);
    connect(bbtnOK, &QPushButton::clicked, this, &TfrmPfDirectory::bbtnOKClick);
    connect(bbtnExit, &QPushButton::clicked, this, &TfrmPfDirectory::reject);

    // Modes: the caller's choice of tabs.
    loading_ = true;
    if (mode_ == Mode::Multiple) {
        pgcDirectory->setTabVisible(0, false);
        pgcDirectory->setTabVisible(2, false);
        pgcDirectory->setCurrentWidget(tbsMultiple);
    } else {
        pgcDirectory->setTabVisible(1, false);
        pgcDirectory->setCurrentWidget(appState().ActivePfID < 0 ? tbsEdit : tbsSelect);
    }
    loading_ = false;
    reload(appState().ActivePfID);
    if (rows_.empty() && mode_ == Mode::Directory) {
        loading_ = true;
        pgcDirectory->setCurrentWidget(tbsEdit);
        loading_ = false;
    }
    lastTab_ = pgcDirectory->currentIndex();
    tabChanged(lastTab_);
    refreshStatusBar();
    RestoreWindowPlacement(this, objectName(), appState().Config.SaveWindowPositions);
}

ORVDataModule* TfrmPfDirectory::dm() const { return session::dataModule(); }

QWidget* TfrmPfDirectory::buildSelectTab()
{
    auto* w = new QWidget(this);
    w->setObjectName(QStringLiteral("tbsSelect"));
    auto* v = new QVBoxLayout(w);
    lblLongName = new QLabel(w);
    lblLongName->setObjectName(QStringLiteral("lblLongName"));
    QFont f = lblLongName->font();
    f.setBold(true);
    lblLongName->setFont(f);
    v->addWidget(lblLongName);
    auto* form = new QFormLayout;
    const QList<QPair<QString, QString>> info{{"TaxID", "Tax ID:"},   {"AccountNumber", "Account No:"},
                                              {"Email", "Email:"},    {"Phone1", "Phone #1:"},
                                              {"Phone2", "Phone #2:"}, {"FAX", "FAX:"}};
    for (const auto& [name, label] : info) {
        auto* value = new QLabel(w);
        value->setObjectName(QStringLiteral("lbl") + name);
        infoValues.insert(name, value);
        form->addRow(label, value);
    }
    v->addLayout(form);
    v->addSpacing(16);
    for (const char* t : {"To select the one highlighted portfolio:", "Double-click on it, or", "Press the Enter key, or",
                          "Click on OK button."})
        v->addWidget(new QLabel(QString::fromLatin1(t), w));
    v->addStretch();
    return w;
}

QWidget* TfrmPfDirectory::buildMultipleTab()
{
    auto* w = new QWidget(this);
    w->setObjectName(QStringLiteral("tbsMultiple"));
    auto* v = new QVBoxLayout(w);
    for (const char* t : {"To include the highlighted portfolio in the selected list:", "Click on its checkbox, or",
                          "Press the Spacebar key.", "Click on OK button when done."})
        v->addWidget(new QLabel(QString::fromLatin1(t), w));
    auto* g = new QGridLayout;
    btnSelectAll = new QPushButton(QStringLiteral("Select &All"), w);
    btnClearAll = new QPushButton(QStringLiteral("&Clear All"), w);
    btnSelectFamily = new QPushButton(QStringLiteral("Select &Family"), w);
    btnSelectFamily->setToolTip(QStringLiteral("All portfolios meeting a certain criterion"));
    btnTxExists = new QPushButton(QStringLiteral("Transaction E&xists"), w);
    btnTxExists->setToolTip(QStringLiteral("All portfolios that have any transaction entered for selected security"));
    btnOpenAccounts = new QPushButton(QStringLiteral("&Open Accounts"), w);
    btnOpenAccounts->setToolTip(QStringLiteral("All portfolios with a positive share balance in selected securit'y"));
    btnClosedAccounts = new QPushButton(QStringLiteral("Close&d Accounts"), w);
    g->addWidget(btnSelectAll, 0, 0);
    g->addWidget(btnClearAll, 1, 0);
    g->addWidget(btnSelectFamily, 2, 0);
    g->addWidget(btnTxExists, 0, 1);
    g->addWidget(btnOpenAccounts, 1, 1);
    g->addWidget(btnClosedAccounts, 2, 1);
    v->addLayout(g);
    lblSelSecurity = new QLabel(QStringLiteral("Master List Selected Security:  ") + appState().CurMLShortName, w);
    lblSelSecurity->setObjectName(QStringLiteral("lblSelSecurity"));
    v->addWidget(lblSelSecurity);
    ProgressBar = new QProgressBar(w);
    ProgressBar->setValue(0);
    v->addWidget(ProgressBar);
    v->addStretch();
    for (auto* b : {btnSelectAll, btnClearAll, btnSelectFamily, btnTxExists, btnOpenAccounts, btnClosedAccounts})
        b->setAutoDefault(false);
    if (appState().CurMLID < 0)
        hideIssueButtons();

    connect(btnSelectAll, &QPushButton::clicked, this, [this] {
        runSelection([this] {
            GuiProgress p(ProgressBar);
            SelectAllPortfolios(*dm(), p);
        });
        goToRow(0);
    });
    connect(btnClearAll, &QPushButton::clicked, this, [this] {
        runSelection([this] { ClearPfSelections(*dm()); });
        goToRow(0);
    });
    connect(btnSelectFamily, &QPushButton::clicked, this, [this] {
        TfrmPfSelectFamily fam(this);
        if (fam.exec() != QDialog::Accepted)
            return;
        runSelection([this, &fam] {
            GuiProgress p(ProgressBar);
            SelectPfFamily(*dm(), fam.rule(), fam.text(), p);
        });
    });
    const auto byIssue = [this](PfIssueSelection kind) {
        runSelection([this, kind] {
            GuiProgress p(ProgressBar);
            SelectPfByIssue(*dm(), appState().CurMLID, kind, p);
        });
    };
    connect(btnTxExists, &QPushButton::clicked, this, [byIssue] { byIssue(PfIssueSelection::TransactionExists); });
    connect(btnOpenAccounts, &QPushButton::clicked, this, [byIssue] { byIssue(PfIssueSelection::OpenAccounts); });
    connect(btnClosedAccounts, &QPushButton::clicked, this, [byIssue] { byIssue(PfIssueSelection::ClosedAccounts); });
    return w;
}

QWidget* TfrmPfDirectory::buildEditTab()
{
    auto* w = new QWidget(this);
    w->setObjectName(QStringLiteral("tbsEdit"));
    auto* v = new QVBoxLayout(w);
    auto* bar = new QHBoxLayout;
    const auto tool = [w](QToolButton*& b, const QString& text, const QString& hint, const QString& name) {
        b = new QToolButton(w);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(hint);
    };
    tool(btnFirst, QStringLiteral("|<"), QStringLiteral("First record"), QStringLiteral("btnFirst"));
    tool(btnPrior, QStringLiteral("<"), QStringLiteral("Prior record"), QStringLiteral("btnPrior"));
    tool(btnNext, QStringLiteral(">"), QStringLiteral("Next record"), QStringLiteral("btnNext"));
    tool(btnLast, QStringLiteral(">|"), QStringLiteral("Last record"), QStringLiteral("btnLast"));
    btnAdd = new QPushButton(QStringLiteral("Add Portfolio"), w);
    btnSave = new QPushButton(QStringLiteral("Save Changes"), w);
    btnCancelEdit = new QPushButton(QStringLiteral("Cancel Edit"), w);
    tool(sbtnDelete, QStringLiteral("Delete"), QStringLiteral("Delete Portfolio"), QStringLiteral("sbtnDelete"));
    for (auto* b : {btnFirst, btnPrior, btnNext, btnLast})
        bar->addWidget(b);
    bar->addStretch();
    bar->addWidget(sbtnDelete);
    v->addLayout(bar);
    auto* edits = new QHBoxLayout;
    for (auto* b : {btnAdd, btnSave, btnCancelEdit}) {
        b->setAutoDefault(false);
        edits->addWidget(b);
    }
    edits->addStretch();
    v->addLayout(edits);

    auto* g = new QGridLayout;
    int i = 0;
    for (const FieldSpec& s : fieldSpecs()) {
        auto* e = new QLineEdit(w);
        e->setObjectName(QStringLiteral("edt") + QLatin1String(s.name));
        e->setMaxLength(s.maxLen);
        fields.insert(QLatin1String(s.name), e);
        e->installEventFilter(this);
        // Two columns: names and contact data on the left, address on the right.
        const int col = i < 8 ? 0 : 2;
        const int row = i < 8 ? i : i - 8;
        g->addWidget(new QLabel(QLatin1String(s.label), w), row, col);
        g->addWidget(e, row, col + 1);
        connect(e, &QLineEdit::textEdited, this, &TfrmPfDirectory::fieldEdited);
        ++i;
    }
    QLineEdit* sn = fields.value(QStringLiteral("ShortName"));
    connect(sn, &QLineEdit::textEdited, this, [sn](const QString& t) {
        const QString kept = filterShortNameInput(t);
        if (kept != t) {
            const int pos = sn->cursorPosition();
            sn->setText(kept);
            sn->setCursorPosition(qMin(pos, int(kept.size())));
        }
    });
    v->addLayout(g);
    v->addStretch();

    connect(btnFirst, &QToolButton::clicked, this, [this] { goToRow(0); });
    connect(btnPrior, &QToolButton::clicked, this, [this] { goToRow(row_ - 1); });
    connect(btnNext, &QToolButton::clicked, this, [this] { goToRow(row_ + 1); });
    connect(btnLast, &QToolButton::clicked, this, [this] { goToRow(int(rows_.size()) - 1); });
    connect(btnAdd, &QPushButton::clicked, this, &TfrmPfDirectory::btnAddClick);
    connect(btnSave, &QPushButton::clicked, this, &TfrmPfDirectory::btnSaveClick);
    connect(btnCancelEdit, &QPushButton::clicked, this, &TfrmPfDirectory::btnCancelEditClick);
    connect(sbtnDelete, &QToolButton::clicked, this, &TfrmPfDirectory::sbtnDeleteClick);
    return w;
}

void TfrmPfDirectory::hideIssueButtons()
{
    for (QWidget* b : {static_cast<QWidget*>(btnTxExists), static_cast<QWidget*>(btnOpenAccounts),
                       static_cast<QWidget*>(btnClosedAccounts), static_cast<QWidget*>(lblSelSecurity)})
        b->hide();
}

int TfrmPfDirectory::currentPfID() const
{
    return row_ >= 0 && row_ < int(rows_.size()) ? rows_[size_t(row_)].PfID : -1;
}

void TfrmPfDirectory::reload(int keepPfID)
{
    if (!dm())
        return;
    const int oldRow = row_;
    rows_ = store::portfolios(*dm());
    loading_ = true;
    OvcDbTablePfDirectory->setRowCount(int(rows_.size()));
    int found = -1;
    for (int i = 0; i < int(rows_.size()); ++i) {
        const PortfolioRec& p = rows_[size_t(i)];
        auto* check = new QTableWidgetItem;
        check->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        check->setCheckState(p.Selected ? Qt::Checked : Qt::Unchecked);
        OvcDbTablePfDirectory->setItem(i, kColSelected, check);
        OvcDbTablePfDirectory->setItem(i, kColShortName, new QTableWidgetItem(p.ShortName));
        if (p.PfID == keepPfID)
            found = i;
    }
    loading_ = false;
    if (found < 0)
        found = rows_.empty() ? -1 : qBound(0, oldRow, int(rows_.size()) - 1);
    row_ = -2;
    goToRow(found);
    if (found < 0) {
        row_ = -1;
        showRecord();
    }
}

void TfrmPfDirectory::goToRow(int row)
{
    if (rows_.empty() || row < 0 || row >= int(rows_.size()))
        return;
    if (OvcDbTablePfDirectory->currentRow() == row && row_ == row)
        return;
    OvcDbTablePfDirectory->setCurrentCell(row, kColShortName);
    if (row_ != row) {  // the signal did not fire (same cell)
        row_ = row;
        showRecord();
    }
}

void TfrmPfDirectory::showRecord()
{
    const PortfolioRec empty;
    const PortfolioRec& p = row_ >= 0 && row_ < int(rows_.size()) ? rows_[size_t(row_)] : empty;
    lblLongName->setText(p.LongName);
    for (auto it = infoValues.begin(); it != infoValues.end(); ++it)
        for (const FieldSpec& s : fieldSpecs())
            if (it.key() == QLatin1String(s.name))
                it.value()->setText(p.*(s.member));
    if (state_ == EditState::Browse)
        for (const FieldSpec& s : fieldSpecs())
            fields.value(QLatin1String(s.name))->setText(p.*(s.member));
    updateControls();
}

void TfrmPfDirectory::updateControls()
{
    const bool editing = state_ != EditState::Browse;
    const bool any = !rows_.empty();
    for (auto* b : {btnFirst, btnPrior, btnNext, btnLast})
        b->setEnabled(!editing && any);
    btnAdd->setEnabled(!editing);
    sbtnDelete->setEnabled(!editing && any);
    btnSave->setEnabled(editing && !fields.value(QStringLiteral("ShortName"))->text().trimmed().isEmpty());
    btnCancelEdit->setEnabled(editing);
    OvcDbTablePfDirectory->setEnabled(!editing);
    bbtnOK->setEnabled(state_ != EditState::Insert);
    // An empty directory keeps its fields open: typing a short name starts a new portfolio.
    for (QLineEdit* e : fields)
        e->setEnabled(true);
}

void TfrmPfDirectory::refreshStatusBar()
{
    stbPanel[1]->setText(QStringLiteral(" Active Portfolio:  ") + appState().ActivePfCaption);
}

void TfrmPfDirectory::tabChanged(int index)
{
    if (loading_)
        return;
    if (index != lastTab_) {
        QString refusal;
        MsgType type = MsgType::Custom;
        if (rows_.empty()) {
            refusal = QStringLiteral("You must first enter a valid portfolio name.");
        } else if (state_ != EditState::Browse) {
            refusal = QStringLiteral("You must first Post or Cancel your editing changes.");
            type = MsgType::Error;
        }
        if (!refusal.isEmpty()) {
            loading_ = true;
            pgcDirectory->setCurrentIndex(lastTab_);
            loading_ = false;
            QApplication::beep();
            MessageDlgCtr(refusal, type, Btn::OK);
            return;
        }
    }
    lastTab_ = index;
    const bool multiple = pgcDirectory->widget(index) == tbsMultiple;
    OvcDbTablePfDirectory->setColumnHidden(kColSelected, !multiple);
    OvcDbTablePfDirectory->setFixedWidth(multiple ? 130 : 150);
    if (pgcDirectory->widget(index) == tbsEdit && rows_.empty())
        fields.value(QStringLiteral("ShortName"))->setFocus();
}

void TfrmPfDirectory::fieldEdited()
{
    if (state_ == EditState::Browse) {
        if (rows_.empty()) {
            btnAddClick();  // typing into an empty directory starts a new portfolio
            return;
        }
        state_ = EditState::Edit;
    }
    updateControls();
}

void TfrmPfDirectory::btnAddClick()
{
    if (state_ != EditState::Browse)
        return;
    // Keep what was typed into an empty directory's Short Name.
    const QString typed = rows_.empty() ? fields.value(QStringLiteral("ShortName"))->text() : QString();
    state_ = EditState::Insert;
    for (QLineEdit* e : fields)
        e->clear();
    fields.value(QStringLiteral("ShortName"))->setText(typed);
    updateControls();
    loading_ = true;
    pgcDirectory->setCurrentWidget(tbsEdit);
    lastTab_ = pgcDirectory->currentIndex();
    loading_ = false;
    fields.value(QStringLiteral("ShortName"))->setFocus();
}

void TfrmPfDirectory::btnSaveClick()
{
    if (state_ == EditState::Browse || !dm())
        return;
    PortfolioRec r;
    if (state_ == EditState::Edit && row_ >= 0)
        r = rows_[size_t(row_)];
    else
        r = PortfolioRec{};
    for (const FieldSpec& s : fieldSpecs())
        r.*(s.member) = fields.value(QLatin1String(s.name))->text().trimmed();
    if (state_ == EditState::Insert)
        r.PfID = 0;
    const auto id = savePortfolio(*dm(), r);
    if (!id) {
        MessageDlgCtr(id.message());
        fields.value(QStringLiteral("ShortName"))->setFocus();
        return;
    }
    state_ = EditState::Browse;
    SelectActivePortfolio(*dm(), appState(), r.ShortName);
    reload(*id);
    refreshStatusBar();
    updateControls();
}

void TfrmPfDirectory::btnCancelEditClick()
{
    state_ = EditState::Browse;
    showRecord();
}

void TfrmPfDirectory::sbtnDeleteClick()
{
    if (state_ != EditState::Browse || row_ < 0 || !dm())
        return;
    if (MessageDlgCtr(deletePortfolioQuestion(), MsgType::Confirmation, Btn::OKCancel) != MR::OK)
        return;
    const int pfID = rows_[size_t(row_)].PfID;
    TfrmReportStatus& rs = frmReportStatus();
    rs.btnCancel->hide();
    rs.start(deletingTransactionsText(), 0);
    Result<int> n = 0;
    {
        GuiProgress progress(rs);
        n = deletePortfolio(*dm(), pfID, progress);
    }
    rs.btnCancel->show();
    rs.close();
    if (!n)
        MessageDlgCtr(n.message());
    reload(-1);
    const QString now = row_ >= 0 && row_ < int(rows_.size()) ? rows_[size_t(row_)].ShortName : QString();
    SelectActivePortfolio(*dm(), appState(), now);
    refreshStatusBar();
    updateControls();
}

void TfrmPfDirectory::bbtnOKClick()
{
    QLineEdit* sn = fields.value(QStringLiteral("ShortName"));
    if (sn->text().trimmed().isEmpty()) {
        if (pgcDirectory->currentWidget() == tbsEdit) {
            QApplication::beep();
            MessageDlgCtr(shortNameBlankText(), MsgType::Custom, Btn::OK);
            sn->setFocus();
        }
        return;
    }
    if (state_ != EditState::Browse) {
        btnSaveClick();
        if (state_ != EditState::Browse)
            return;
    }
    if (pgcDirectory->currentWidget() != tbsMultiple && dm() && row_ >= 0)
        SelectActivePortfolio(*dm(), appState(), rows_[size_t(row_)].ShortName);
    closingHandled_ = true;
    SaveWindowPlacement(this, objectName());
    accept();
}

void TfrmPfDirectory::runSelection(const std::function<void()>& fn)
{
    if (!dm())
        return;
    const int keep = currentPfID();
    fn();
    ProgressBar->setValue(0);
    reload(keep);
}

void TfrmPfDirectory::toggleSelected(int row)
{
    if (row < 0 || row >= int(rows_.size()))
        return;
    QTableWidgetItem* item = OvcDbTablePfDirectory->item(row, kColSelected);
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

bool TfrmPfDirectory::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* k = static_cast<QKeyEvent*>(event);
    if (watched == OvcDbTablePfDirectory) {
        const bool multiple = pgcDirectory->currentWidget() == tbsMultiple;
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (!multiple)
                bbtnOKClick();
            return true;
        }
        if (k->key() == Qt::Key_Space && multiple) {
            toggleSelected(row_);
            goToRow(row_ + 1);
            return true;
        }
        if (k->key() == Qt::Key_Backspace) {
            search_.chop(1);
        } else if (!k->text().isEmpty() && k->text().at(0).isPrint() && !(k->modifiers() & Qt::ControlModifier)) {
            search_ += k->text();
        } else {
            return QDialog::eventFilter(watched, event);
        }
        stbPanel[0]->setText(search_);
        searching_ = true;
        for (int i = 0; i < int(rows_.size()); ++i)
            if (rows_[size_t(i)].ShortName.startsWith(search_, Qt::CaseInsensitive)) {
                goToRow(i);
                break;
            }
        searching_ = false;
        return true;
    }
    if (auto* e = qobject_cast<QLineEdit*>(watched); e && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
        if (e == fields.value(QStringLiteral("PostalCode")))
            fields.value(QStringLiteral("ShortName"))->setFocus();
        else
            focusNextChild();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmPfDirectory::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    InitWindowPlacement(this, objectName());
    if (pgcDirectory->currentWidget() == tbsEdit && rows_.empty())
        fields.value(QStringLiteral("ShortName"))->setFocus();
    else
        OvcDbTablePfDirectory->setFocus();
}

bool TfrmPfDirectory::confirmPendingOnClose()
{
    if (mode_ == Mode::Directory) {
        if (state_ == EditState::Edit) {
            if (MessageDlgCtr(QStringLiteral("Save changes before exiting?"), MsgType::Confirmation, Btn::YesNo) ==
                MR::Yes) {
                btnSaveClick();
                if (state_ != EditState::Browse)
                    return false;  // refused: the window stays open
            } else {
                btnCancelEditClick();
            }
        } else if (state_ == EditState::Insert) {
            btnCancelEditClick();
        }
    }
    return true;
}

void TfrmPfDirectory::reject()
{
    if (!confirmPendingOnClose())
        return;
    closingHandled_ = true;
    SaveWindowPlacement(this, objectName());
    QDialog::reject();
}

void TfrmPfDirectory::closeEvent(QCloseEvent* event)
{
    if (!closingHandled_ && !confirmPendingOnClose()) {
        event->ignore();
        return;
    }
    SaveWindowPlacement(this, objectName());
    QDialog::closeEvent(event);
}

}  // namespace orv
