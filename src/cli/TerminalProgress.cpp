#include "cli/TerminalProgress.h"

#include <QByteArray>
#include <unistd.h>

namespace orv::cli {

TerminalProgress::TerminalProgress(std::FILE* out, int interactive) : out_(out ? out : stderr)
{
    interactive_ = interactive >= 0 ? interactive != 0 : ::isatty(::fileno(out_)) == 1;
}

TerminalProgress::~TerminalProgress()
{
    finish();
}

void TerminalProgress::setRange(int maximum)
{
    maximum_ = qMax(0, maximum);
    value_ = 0;
    draw(true);
}

void TerminalProgress::setStatus(const QString& text)
{
    status_ = text;
    draw(true);
}

void TerminalProgress::step(int by)
{
    value_ += by;
    draw(false);
}

void TerminalProgress::finish()
{
    if (drawn_) {
        std::fputc('\n', out_);
        std::fflush(out_);
        drawn_ = false;
    }
    shownPercent_ = -1;
}

QString TerminalProgress::line(const QString& status, int value, int maximum, int width)
{
    const int v = qBound(0, value, qMax(0, maximum));
    const int percent = maximum > 0 ? int(qint64(v) * 100 / maximum) : 0;
    const int filled = maximum > 0 ? int(qint64(v) * width / maximum) : 0;
    QString bar = QString(filled, QLatin1Char('#')) + QString(width - filled, QLatin1Char('.'));
    QString text = status.simplified();
    if (!text.isEmpty())
        text += QLatin1Char(' ');
    return text + QLatin1Char('[') + bar + QLatin1String("] ")
           + QStringLiteral("%1%").arg(percent, 3);
}

void TerminalProgress::draw(bool force)
{
    if (!interactive_)
        return;
    const int percent = maximum_ > 0 ? int(qint64(qBound(0, value_, maximum_)) * 100 / maximum_) : 0;
    if (!force && percent == shownPercent_)
        return;
    shownPercent_ = percent;
    // "\r" back to the line start, "\x1b[K" clears what a longer line left.
    const QByteArray text = line(status_, value_, maximum_).toLocal8Bit();
    std::fprintf(out_, "\r%s\x1b[K", text.constData());
    std::fflush(out_);
    drawn_ = true;
}

}  // namespace orv::cli
