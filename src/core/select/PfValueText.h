#pragma once
// The portfolio value diagnostic file PfValue.TXT as its viewer shows it: the
// first line names the "[Pf]" pseudo-issue, every further line is one row
// "date  value  cash flow" split at the double blanks.

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace orv {

// Each cell shows at most this many characters.
constexpr int kPfValueCellChars = 20;

using PfValueRow = std::array<QString, 3>;  // Date, Value, Transactions

struct PfValueText {
    QString name;  // the first line
    std::vector<PfValueRow> rows;
    // "View Values of: " + name.
    QString caption() const { return QStringLiteral("View Values of: ") + name; }
};

// Splits one row: the text before the first "  " is the date, the text between
// the first and the second "  " the value, the rest after the second "  " the
// transactions; each cut to kPfValueCellChars.
PfValueRow splitPfValueLine(const QString& line);

// Parses the whole text (line ends \n or \r\n). An empty text gives an empty
// name and no rows.
PfValueText parsePfValueText(const QString& text);

// Reads a file; nullopt when it cannot be opened.
std::optional<PfValueText> readPfValueFile(const QString& path);

}  // namespace orv
