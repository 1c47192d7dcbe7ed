#include "gui/main/StartupWindows.h"

#include "core/base/TBXSubs.h"
#include "OrvVersion.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace orv {

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    frame->setStyleSheet(QStringLiteral("QFrame { background: #0b2e4f; color: white; }"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* lay = new QVBoxLayout(frame);
    lay->setContentsMargins(36, 28, 36, 18);
    auto* name = new QLabel(QStringLiteral("Orvane"), frame);
    QFont big = name->font();
    big.setPointSize(30);
    big.setBold(true);
    name->setFont(big);
    lay->addWidget(name);
    const char* lines[] = {"A Tool For:", "Comparing,", "Investing, and", "Monitoring   Mutual Funds"};
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(QString::fromLatin1(lines[i]), frame);
        QFont f = l->font();
        f.setPointSize(13);
        f.setItalic(i > 0);
        l->setFont(f);
        l->setIndent(i == 0 ? 0 : 24);
        lay->addWidget(l);
    }
    lay->addSpacing(12);
    QString major, minor, release, build;
    GetFileVersion(major, minor, release, build);
    auto* version = new QLabel(QStringLiteral("Version %1.%2  (Build %3)").arg(major, minor, build), frame);
    lay->addWidget(version);
    status_ = new QLabel(frame);
    lay->addWidget(status_);
    setFixedSize(420, 300);
}

void SplashScreen::setStatus(const QString& text)
{
    status_->setText(text);
    status_->repaint();
}

TfrmWelcome::TfrmWelcome(bool showWelcome, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWelcome"));
    setWindowTitle(QStringLiteral("Welcome To ORV"));
    auto* lay = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Welcome to Orvane"), this);
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    heading->setFont(f);
    lay->addWidget(heading);

    auto* text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("memoWelcome"));
    text->setOpenLinks(false);
    text->setPlainText(QStringLiteral(
        "Orvane keeps the history of the securities you follow and of the portfolios in which "
        "you hold them.\n\n"
        "The program starts with sample data: a Master List of made-up funds, indexes and a "
        "stock with prices and distributions, and a few portfolios with transactions. Use them "
        "to try every report and graph, then delete them or keep them as you like (Edit | "
        "Master List | Erase Table removes all data; back it up first).\n\n"
        "Your own Master List is configured from the \"Edit | Master List\" menu: new entries, "
        "column headings, editing and deleting entries, and their asset allocation.\n\n"
        "Prices can be entered by hand from the Edit menu, imported from text files, or "
        "downloaded from the Dial Data service (Modem menu).\n\n"
        "Help | Welcome To ORV shows this window again."));
    lay->addWidget(text, 1);

    cbShowWelcome_ = new QCheckBox(QStringLiteral("Show welcome at start up (also available from Help menu)."), this);
    cbShowWelcome_->setObjectName(QStringLiteral("cbShowWelcome"));
    cbShowWelcome_->setChecked(showWelcome);
    lay->addWidget(cbShowWelcome_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    lay->addWidget(buttons);
    resize(520, 400);
}

bool TfrmWelcome::showWelcome() const
{
    return cbShowWelcome_->isChecked();
}

namespace {
// A path label no wider than the given width: cut with an ellipsis at the end,
// the whole path in its hint.
QLabel* pathLabel(const QString& path, int width, QWidget* parent)
{
    auto* l = new QLabel(parent);
    const QString lower = RemoveBackslash(path).toLower();
    QFontMetrics fm(l->font());
    if (fm.horizontalAdvance(lower) > width) {
        l->setText(fm.elidedText(lower, Qt::ElideRight, width));
        l->setToolTip(lower);
    } else {
        l->setText(lower);
    }
    l->setMaximumWidth(width);
    return l;
}
}  // namespace

TfrmAbout::TfrmAbout(const QString& programPath, const QString& dataPath, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ORV"));
    QString major, minor, release, build;
    GetFileVersion(major, minor, release, build);

    auto* grid = new QGridLayout(this);
    auto* name = new QLabel(QStringLiteral("Orvane"), this);
    QFont f = name->font();
    f.setPointSize(f.pointSize() + 8);
    f.setBold(true);
    name->setFont(f);
    grid->addWidget(name, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Version:"), this), 1, 0);
    auto* ver = new QLabel(major + QLatin1Char('.') + minor, this);
    ver->setObjectName(QStringLiteral("lblVersion"));
    grid->addWidget(ver, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Build:"), this), 2, 0);
    auto* bld = new QLabel(build, this);
    bld->setObjectName(QStringLiteral("lblBuild"));
    grid->addWidget(bld, 2, 1);
    grid->addWidget(new QLabel(QString::fromLatin1(ORV_RELEASE_DATE), this), 3, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Program Location:"), this), 4, 0);
    lblProgram_ = pathLabel(programPath, kPathLabelWidth, this);
    lblProgram_->setObjectName(QStringLiteral("lblProgramLocation"));
    grid->addWidget(lblProgram_, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Data Location:"), this), 5, 0);
    lblData_ = pathLabel(dataPath, kPathLabelWidth, this);
    lblData_->setObjectName(QStringLiteral("lblDataLocation"));
    grid->addWidget(lblData_, 5, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    grid->addWidget(buttons, 6, 0, 1, 2);
}

}  // namespace orv
