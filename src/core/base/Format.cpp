#include "core/base/Format.h"

#include <QDate>
#include <QStringList>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace orv {

// ---- Numbers ---------------------------------------------------------------

namespace {

struct NumberPattern {
    QString prefix;       // literal text before the first placeholder
    QString suffix;       // every later literal text
    int intMin = 0;       // integer digits always shown (from the first "0")
    int fracMax = 0;      // placeholders after the point
    int fracMin = 0;      // up to and including the last "0" after the point
    bool grouping = false;
};

bool isPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('.') || c == QLatin1Char(',');
}

// Reads a quoted run starting at pattern[i] (a quote); appends its text to out
// and returns the index after the closing quote. Inside single quotes "''" is
// a quote character.
qsizetype readQuoted(const QString& pattern, qsizetype i, QString& out)
{
    const QChar q = pattern[i];
    ++i;
    while (i < pattern.size()) {
        if (pattern[i] == q) {
            if (q == QLatin1Char('\'') && i + 1 < pattern.size() && pattern[i + 1] == q) {
                out += q;
                i += 2;
                continue;
            }
            return i + 1;
        }
        out += pattern[i++];
    }
    return i;
}

NumberPattern parseNumberPattern(const QString& pattern)
{
    NumberPattern p;
    bool seenPlaceholder = false;
    bool afterPoint = false;
    bool seenZero = false;
    int intCount = 0;   // integer placeholders so far
    int zeroFrom = -1;  // index (among integer placeholders) of the first "0"
    int fracCount = 0;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString text;
            i = readQuoted(pattern, i, text);
            (seenPlaceholder ? p.suffix : p.prefix) += text;
            continue;
        }
        ++i;
        if (!isPlaceholder(c)) {
            (seenPlaceholder ? p.suffix : p.prefix) += c;
            continue;
        }
        if (!p.suffix.isEmpty()) {  // after trailing text everything is text ("0 pts.")
            p.suffix += c;
            continue;
        }
        seenPlaceholder = true;
        if (c == QLatin1Char(',')) {
            p.grouping = true;
        } else if (c == QLatin1Char('.')) {
            afterPoint = true;  // a second point is ignored
        } else if (!afterPoint) {
            if (c == QLatin1Char('0') && !seenZero) {
                seenZero = true;
                zeroFrom = intCount;
            }
            ++intCount;
        } else {
            ++fracCount;
            if (c == QLatin1Char('0'))
                p.fracMin = fracCount;
        }
    }
    p.intMin = zeroFrom < 0 ? 0 : intCount - zeroFrom;
    p.fracMax = fracCount;
    return p;
}

// Decimal digits of |value|: the shortest text that reads back as the same
// double, so that 2.675 rounds as the 2.675 the user sees.
void decimalDigits(double value, std::string& intPart, std::string& fracPart)
{
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
    const std::string s(buf, res.ptr);
    const auto dot = s.find('.');
    intPart = s.substr(0, dot);
    fracPart = dot == std::string::npos ? std::string() : s.substr(dot + 1);
}

// Rounds the decimal number intPart.fracPart to `places` decimals, half away
// from zero (the digits are a magnitude).
void roundDigits(std::string& intPart, std::string& fracPart, int places)
{
    if (int(fracPart.size()) <= places)
        return;
    const bool up = fracPart[places] >= '5';
    fracPart.resize(places);
    if (!up)
        return;
    std::string all = intPart + fracPart;
    int k = int(all.size()) - 1;
    while (k >= 0 && all[k] == '9') {
        all[k] = '0';
        --k;
    }
    if (k >= 0)
        ++all[k];
    else
        all.insert(all.begin(), '1');
    intPart = all.substr(0, all.size() - places);
    fracPart = all.substr(all.size() - places);
}

}  // namespace

QString formatNumber(double value, const QString& pattern, const QLocale& locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    std::string intPart, fracPart;
    decimalDigits(value, intPart, fracPart);
    const QString point = locale.decimalPoint();

    if (pattern.isEmpty()) {  // no pattern: the plain number
        QString r = value < 0 ? QStringLiteral("-") : QString();
        r += QString::fromStdString(intPart);
        if (!fracPart.empty())
            r += point + QString::fromStdString(fracPart);
        return r;
    }

    const NumberPattern p = parseNumberPattern(pattern);
    roundDigits(intPart, fracPart, p.fracMax);
    while (int(fracPart.size()) > p.fracMin && fracPart.back() == '0')
        fracPart.pop_back();
    while (int(fracPart.size()) < p.fracMin)  // cannot happen after rounding, kept for safety
        fracPart.push_back('0');

    const auto nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? std::string() : intPart.substr(nz);
    const bool isZero = intPart.empty() && fracPart.find_first_not_of('0') == std::string::npos;
    if (int(intPart.size()) < p.intMin)
        intPart.insert(0, std::size_t(p.intMin - int(intPart.size())), '0');

    QString digits = QString::fromStdString(intPart);
    if (p.grouping && digits.size() > 3) {
        const QString sep = locale.groupSeparator();
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
            digits.insert(at, sep);
    }

    QString r;
    if (value < 0 && !isZero)
        r += QLatin1Char('-');
    r += p.prefix;
    r += digits;
    if (!fracPart.empty())
        r += point + QString::fromStdString(fracPart);
    r += p.suffix;
    return r;
}

// ---- Dates -------------------------------------------------------------------

namespace {

bool isDateLetter(QChar c, char letter)
{
    return c.toLower() == QLatin1Char(letter);
}

qsizetype runLength(const QString& s, qsizetype i)
{
    const QChar c = s[i].toLower();
    qsizetype j = i;
    while (j < s.size() && s[j].toLower() == c)
        ++j;
    return j - i;
}

QString twoDigits(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString dateSeparator(const QLocale& locale)
{
    const QString f = locale.dateFormat(QLocale::ShortFormat);
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f[i];
        if (c == QLatin1Char('\'')) {
            QString ignored;
            i = readQuoted(f, i, ignored);
            continue;
        }
        if (!c.isLetterOrNumber() && !c.isSpace())
            return QString(c);
        ++i;
    }
    return QStringLiteral("/");
}

QString formatDate(Day day, const QString& pattern, const QLocale& locale)
{
    const QDate date = dateFromDay(day);
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            i = readQuoted(pattern, i, out);
            continue;
        }
        if (isDateLetter(c, 'd') || isDateLetter(c, 'm') || isDateLetter(c, 'y')) {
            const qsizetype n = runLength(pattern, i);
            i += n;
            if (isDateLetter(c, 'd')) {
                if (n == 1)
                    out += QString::number(date.day());
                else if (n == 2)
                    out += twoDigits(date.day());
                else
                    out += locale.dayName(date.dayOfWeek(), n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            } else if (isDateLetter(c, 'm')) {
                if (n == 1)
                    out += QString::number(date.month());
                else if (n == 2)
                    out += twoDigits(date.month());
                else
                    out += locale.monthName(date.month(), n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            } else {
                const int y = std::abs(date.year());
                out += n <= 2 ? twoDigits(y % 100) : QStringLiteral("%1").arg(y, 4, 10, QLatin1Char('0'));
            }
            continue;
        }
        if (c == QLatin1Char('/'))
            out += dateSeparator(locale);
        else
            out += c;
        ++i;
    }
    return out;
}

namespace {

enum class DTok { Day, DayName, Month, MonthName, Year2, Year4, Sep, Text };

struct DateItem {
    DTok tok;
    int width = 0;  // nominal digits of numeric fields
    QString text;   // literal text
};

std::vector<DateItem> tokenizeDate(const QString& pattern)
{
    std::vector<DateItem> items;
    auto addText = [&](const QString& t) {
        if (t.isEmpty())
            return;
        if (!items.empty() && items.back().tok == DTok::Text)
            items.back().text += t;
        else
            items.push_back({DTok::Text, 0, t});
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString t;
            i = readQuoted(pattern, i, t);
            addText(t);
            continue;
        }
        if (isDateLetter(c, 'd') || isDateLetter(c, 'm') || isDateLetter(c, 'y')) {
            const qsizetype n = runLength(pattern, i);
            i += n;
            if (isDateLetter(c, 'd'))
                items.push_back(n <= 2 ? DateItem{DTok::Day, 2, {}} : DateItem{DTok::DayName, 0, {}});
            else if (isDateLetter(c, 'm'))
                items.push_back(n <= 2 ? DateItem{DTok::Month, 2, {}} : DateItem{DTok::MonthName, 0, {}});
            else
                items.push_back(n <= 2 ? DateItem{DTok::Year2, 2, {}} : DateItem{DTok::Year4, 4, {}});
            continue;
        }
        if (c == QLatin1Char('/'))
            items.push_back({DTok::Sep, 0, {}});
        else
            addText(QString(c));
        ++i;
    }
    return items;
}

bool isNumeric(DTok t)
{
    return t == DTok::Day || t == DTok::Month || t == DTok::Year2 || t == DTok::Year4;
}

// Matches the longest of the names (compared case-insensitively, also without
// a final ".") at text[pos]; returns its index or -1 and advances pos.
int matchName(const QString& text, qsizetype& pos, const QStringList& names)
{
    int best = -1;
    qsizetype bestLen = 0;
    for (int k = 0; k < names.size(); ++k) {
        QString n = names[k];
        for (int variant = 0; variant < 2; ++variant) {
            if (variant == 1) {
                if (!n.endsWith(QLatin1Char('.')))
                    break;
                n.chop(1);
            }
            if (n.size() > bestLen && text.mid(pos, n.size()).compare(n, Qt::CaseInsensitive) == 0) {
                best = k;
                bestLen = n.size();
            }
        }
    }
    if (best >= 0)
        pos += bestLen;
    return best;
}

}  // namespace

std::optional<Day> parseDate(const QString& textIn, const QString& pattern, const QLocale& locale,
                             int twoDigitYearBase)
{
    const QString text = textIn.trimmed();
    const std::vector<DateItem> items = tokenizeDate(pattern);
    int day = -1, month = -1, year = -1, weekdayName = -1;
    qsizetype pos = 0;

    for (std::size_t k = 0; k < items.size(); ++k) {
        const DateItem& it = items[k];
        if (isNumeric(it.tok)) {
            // Fields written without a separator between them ("yyyymmdd")
            // have their full width; others take one or two digits (years
            // two or four).
            const bool packed = (k + 1 < items.size() && isNumeric(items[k + 1].tok))
                                || (k > 0 && isNumeric(items[k - 1].tok));
            const int maxDigits = packed ? it.width : (it.tok == DTok::Day || it.tok == DTok::Month ? 2 : 4);
            int v = 0, n = 0;
            while (n < maxDigits && pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128) {
                v = v * 10 + (text[pos].unicode() - '0');
                ++n;
                ++pos;
            }
            if (n == 0 || (packed && n != it.width))
                return std::nullopt;
            if (!packed && pos < text.size() && text[pos].isDigit())
                return std::nullopt;  // more digits than the field takes
            switch (it.tok) {
            case DTok::Day:
                day = v;
                break;
            case DTok::Month:
                month = v;
                break;
            default:  // Year2, Year4: two digits are expanded, four taken as is
                if (n == 4) {
                    year = v;
                } else if (n == 2) {
                    const int base = twoDigitYearBase >= 0 ? twoDigitYearBase : QDate::currentDate().year() - 50;
                    year = base - base % 100 + v;
                    if (year < base)
                        year += 100;
                } else {
                    return std::nullopt;
                }
            }
            continue;
        }
        switch (it.tok) {
        case DTok::MonthName: {
            QStringList names;
            for (int m = 1; m <= 12; ++m)
                names << locale.monthName(m, QLocale::ShortFormat);
            for (int m = 1; m <= 12; ++m)
                names << locale.monthName(m, QLocale::LongFormat);
            const int idx = matchName(text, pos, names);
            if (idx < 0)
                return std::nullopt;
            month = idx % 12 + 1;
            break;
        }
        case DTok::DayName: {
            QStringList names;
            for (int d = 1; d <= 7; ++d)
                names << locale.dayName(d, QLocale::ShortFormat);
            for (int d = 1; d <= 7; ++d)
                names << locale.dayName(d, QLocale::LongFormat);
            const int idx = matchName(text, pos, names);
            if (idx < 0)
                return std::nullopt;
            weekdayName = idx % 7 + 1;
            break;
        }
        case DTok::Sep: {
            const QString sep = dateSeparator(locale);
            if (text.mid(pos, sep.size()) == sep)
                pos += sep.size();
            else if (pos < text.size() && text[pos] == QLatin1Char('/'))
                ++pos;
            else
                return std::nullopt;
            break;
        }
        case DTok::Text:
            if (text.mid(pos, it.text.size()).compare(it.text, Qt::CaseInsensitive) != 0)
                return std::nullopt;
            pos += it.text.size();
            break;
        default:
            break;
        }
    }
    if (pos != text.size() || day < 0 || month < 0 || year < 0)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    if (weekdayName > 0 && date.dayOfWeek() != weekdayName)
        return std::nullopt;
    return dayFromDate(date);
}

// ---- Shared formats ------------------------------------------------------------

QString localeShortDatePattern(const QLocale& locale)
{
    const QString f = locale.dateFormat(QLocale::ShortFormat);
    const QString sep = dateSeparator(locale);
    QString out;
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f[i];
        if (c == QLatin1Char('\'')) {
            QString t;
            i = readQuoted(f, i, t);
            if (!t.isEmpty())
                out += QLatin1Char('\'') + t.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
            continue;
        }
        if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) {
            const qsizetype n = runLength(f, i);
            i += n;
            if (c == QLatin1Char('y'))
                out += n <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
            else
                out += QString(std::min<qsizetype>(n, 4), c.toLower());
            continue;
        }
        if (QString(c) == sep)
            out += QLatin1Char('/');
        else if (c == QLatin1Char('/') || c.isLetter() || c == QLatin1Char('"'))
            out += QLatin1Char('\'') + QString(c) + QLatin1Char('\'');  // keep it literal
        else
            out += c;
        ++i;
    }
    return out;
}

namespace {

// Widens a two-digit year token to four digits unless the pattern already has
// a four-digit year. Quoted text is left alone.
QString widenYear(const QString& pattern)
{
    bool hasFour = false;
    for (const DateItem& it : tokenizeDate(pattern))
        hasFour = hasFour || it.tok == DTok::Year4;
    if (hasFour)
        return pattern;
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype start = i;
            QString ignored;
            i = readQuoted(pattern, i, ignored);
            out += pattern.mid(start, i - start);
            continue;
        }
        if (isDateLetter(c, 'y')) {
            i += runLength(pattern, i);
            out += QStringLiteral("yyyy");
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

struct FormatState {
    SharedFormats formats;
    QLocale locale;
};

FormatState& state()
{
    static FormatState s{buildSharedFormats(QLocale()), QLocale()};
    return s;
}

}  // namespace

SharedFormats buildSharedFormats(const QLocale& locale)
{
    SharedFormats f;
    f.FmtPrice = QStringLiteral("#,###,###,##0.##0");
    f.FmtPrice5 = f.FmtPrice + QStringLiteral("00");
    f.FmtPrice4 = f.FmtPrice + QStringLiteral("0");
    f.FmtMoney = QStringLiteral("$") + f.FmtPrice.left(f.FmtPrice.size() - 2) + QStringLiteral("0");
    f.FmtDate = widenYear(localeShortDatePattern(locale));
    return f;
}

const SharedFormats& formats()
{
    return state().formats;
}

const QLocale& formatsLocale()
{
    return state().locale;
}

void setSharedFormats(const SharedFormats& f, const QLocale& locale)
{
    FormatState& s = state();
    s.formats = f;
    s.locale = locale;
}

void initSharedFormats(const QLocale& locale)
{
    setSharedFormats(buildSharedFormats(locale), locale);
}

QString fmtPrice(double v) { return formatNumber(v, formats().FmtPrice, formatsLocale()); }
QString fmtPrice4(double v) { return formatNumber(v, formats().FmtPrice4, formatsLocale()); }
QString fmtPrice5(double v) { return formatNumber(v, formats().FmtPrice5, formatsLocale()); }
QString fmtMoney(double v) { return formatNumber(v, formats().FmtMoney, formatsLocale()); }
QString fmtDate(Day day) { return formatDate(day, formats().FmtDate, formatsLocale()); }
QString fmtNumber(double v, const QString& pattern) { return formatNumber(v, pattern, formatsLocale()); }
QString fmtDatePattern(Day day, const QString& pattern) { return formatDate(day, pattern, formatsLocale()); }

}  // namespace orv
