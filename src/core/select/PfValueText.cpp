#include "core/select/PfValueText.h"

#include <QFile>
#include <QStringDecoder>

namespace orv {

PfValueRow splitPfValueLine(const QString& line)
{
    static const QString sep = QStringLiteral("  ");
    PfValueRow row;
    const int first = int(line.indexOf(sep));
    if (first < 0) {
        row[0] = line;
    } else {
        row[0] = line.left(first);
        const int second = int(line.indexOf(sep, first + 2));
        if (second < 0) {
            row[1] = line.mid(first + 2);
        } else {
            row[1] = line.mid(first + 2, second - first - 2);
            row[2] = line.mid(second + 2);
        }
    }
    for (QString& cell : row)
        cell = cell.left(kPfValueCellChars);
    return row;
}

PfValueText parsePfValueText(const QString& text)
{
    PfValueText out;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    // A final line end does not start another row.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return out;
    out.name = lines.first();
    for (int i = 1; i < lines.size(); ++i)
        out.rows.push_back(splitPfValueLine(lines[i]));
    return out;
}

std::optional<PfValueText> readPfValueFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return parsePfValueText(text);
}

}  // namespace orv
