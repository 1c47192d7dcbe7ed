#pragma once
// Display patterns for numbers and dates, and the program-wide number and date
// formats (FmtPrice, FmtPrice4, FmtPrice5, FmtMoney, FmtDate).
//
// Number patterns: "0" a digit always shown, "#" a digit shown when
// significant, "," thousands grouping (anywhere in the pattern; groups of
// three), "." the decimal point. The value is rounded half away from zero to
// as many places as there are placeholders after the point; trailing zeros are
// dropped only from "#" positions right of the last "0". Other characters
// ("$", "%", text) are copied: those before the first placeholder lead, the
// rest follow the number (once such text has begun, "0#,." in it are text
// too). Text in single or double quotes is copied as is.
// A negative value gets a leading "-" (before any "$"), unless it rounds to
// zero. "," and "." are pattern characters: the output uses the locale's group
// separator and decimal point.
//
// Date patterns: d dd (day of month), m mm (month number), mmm (month
// abbreviation), mmmm (month name), yy yyyy (year), ddd (weekday
// abbreviation), dddd (weekday name); tokens are case-insensitive. "/" is the
// locale's date separator; text in quotes and any other character is copied.

#include "core/base/Dates.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace orv {

QString formatNumber(double value, const QString& pattern, const QLocale& locale);

QString formatDate(Day day, const QString& pattern, const QLocale& locale);

// Reads a date written in a date pattern. Numeric fields accept one or two
// digits (d, dd, m, mm) or four digits (yyyy; two digits are also taken and
// expanded as for yy); yy takes two digits (or four), expanded into the
// hundred years starting at twoDigitYearBase (default: this year - 50).
// Numeric fields with no separator between them ("yyyymmdd") must have their
// full width (2 for d/m/yy, 4 for yyyy).
// mmm/mmmm accept the locale's short or long month name, ddd/dddd a weekday
// name that must agree with the date. "/" accepts the locale's date separator
// or "/"; other characters must match (case-insensitive); surrounding blanks
// are ignored. Returns nullopt for anything else: a missing day, month or
// year, an impossible date (31 April, 29 February 2027), trailing text.
std::optional<Day> parseDate(const QString& text, const QString& pattern, const QLocale& locale,
                             int twoDigitYearBase = -1);

// The locale's date separator (the first punctuation mark in its short date
// format; "/" when it has none).
QString dateSeparator(const QLocale& locale);

// The locale's short date format in the tokens above, separators as "/".
QString localeShortDatePattern(const QLocale& locale);

// ---- Shared formats ---------------------------------------------------------

struct SharedFormats {
    QString FmtPrice;   // "#,###,###,##0.##0": three decimals
    QString FmtPrice4;  // FmtPrice + "0": four decimals
    QString FmtPrice5;  // FmtPrice + "00": five decimals
    QString FmtMoney;   // "$#,###,###,##0.#0": dollar sign, two decimals
    QString FmtDate;    // the locale's short date with a four-digit year
};

// The shared formats for a locale: FmtDate is the locale's short date format
// with "yy" widened to "yyyy" when it has no four-digit year.
SharedFormats buildSharedFormats(const QLocale& locale);

// The process-wide formats and the locale they are shown in; built from
// QLocale() on first use unless set before.
const SharedFormats& formats();
const QLocale& formatsLocale();
void setSharedFormats(const SharedFormats& f, const QLocale& locale = QLocale());
// setSharedFormats(buildSharedFormats(locale), locale).
void initSharedFormats(const QLocale& locale = QLocale());

// Formatting with the process-wide formats and locale.
QString fmtPrice(double v);
QString fmtPrice4(double v);
QString fmtPrice5(double v);
QString fmtMoney(double v);
QString fmtDate(Day day);
// Any pattern, in the process-wide locale (e.g. formats().FmtPrice + "000").
QString fmtNumber(double v, const QString& pattern);
QString fmtDatePattern(Day day, const QString& pattern);

}  // namespace orv
