#include "cli/Cli.h"

#include "core/base/Dates.h"

#include <algorithm>
#include <cmath>

namespace orv::cli {

std::vector<Verb>& verbs()
{
    static std::vector<Verb> all;
    return all;
}

Registrar::Registrar(const char* name, const char* usage, const char* summary, VerbFn fn)
{
    verbs().push_back({QString::fromLatin1(name), QString::fromLatin1(usage), QString::fromLatin1(summary),
                       std::move(fn)});
}

void printTable(Context& ctx, const QStringList& headers, const QList<QStringList>& rows,
                const QList<bool>& rightAlign)
{
    if (ctx.tsv) {
        ctx.out << headers.join(QLatin1Char('\t')) << '\n';
        for (const QStringList& r : rows)
            ctx.out << r.join(QLatin1Char('\t')) << '\n';
        ctx.out.flush();
        return;
    }
    QList<int> widths;
    for (const QString& h : headers)
        widths << h.size();
    for (const QStringList& r : rows)
        for (int i = 0; i < r.size() && i < widths.size(); ++i)
            widths[i] = std::max(widths[i], int(r[i].size()));
    auto line = [&](const QStringList& cells) {
        QStringList padded;
        for (int i = 0; i < cells.size(); ++i) {
            const bool right = i < rightAlign.size() && rightAlign[i];
            const int w = i < widths.size() ? widths[i] : 0;
            padded << (right ? cells[i].rightJustified(w) : cells[i].leftJustified(w));
        }
        ctx.out << padded.join(QStringLiteral("  ")).trimmed() << '\n';
    };
    line(headers);
    for (const QStringList& r : rows)
        line(r);
    ctx.out.flush();
}

QString isoDate(int day)
{
    return dateFromDay(day).toString(Qt::ISODate);
}

QString fullNumber(double value)
{
    return QString::number(value, 'g', 17).contains(QLatin1Char('e'))
               ? QString::number(value, 'f', 10)
               : QString::number(value, 'g', 15);
}

bool splitArgs(const QStringList& args, const QStringList& valued, const QStringList& flags,
               QHash<QString, QString>& options, QStringList& positional)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a.startsWith(QLatin1String("--")) && a.size() > 2 && !a.at(2).isDigit() && a.at(2) != QLatin1Char('.')) {
            const QString name = a.mid(2);
            if (flags.contains(name))
                options.insert(name, QString());
            else if (valued.contains(name) && i + 1 < args.size())
                options.insert(name, args[++i]);
            else
                return false;
        } else {
            positional << a;
        }
    }
    return true;
}

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

int fail(Context& ctx, const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\r"), QStringLiteral(" "));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    ctx.err << "orvane-cli: " << t << '\n';
    ctx.err.flush();
    return 1;
}

}  // namespace orv::cli
