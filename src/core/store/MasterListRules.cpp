// The Master List post rule: checks on an entry edited in the editing windows.
#include "core/store/DataModule.h"

namespace orv {

namespace {
const QString kTryAgain = QStringLiteral("\r\rTry again.");
const QString kMMF = QStringLiteral("Money Market Fund");
const QString kLinear = QStringLiteral("Linear type");
const QString kVA = QStringLiteral("Variable Annuity");
}  // namespace

Status checkMasterListPost(const MLEditMemo& memo, const QString& type, const QString& shortName,
                           const TMLDisplayArray& display)
{
    const QString newType = type.trimmed();
    const QString newName = shortName.trimmed();

    // 1. A name is needed.
    if (newName.isEmpty())
        return Message::error(QStringLiteral("Short Name must not be blank.") + kTryAgain);

    // 2. Portfolio pseudo-entries are never edited, and no entry takes their mark.
    if (newName.contains(QStringLiteral("[Pf]")) || memo.oldPrefix == QStringLiteral("[Pf]"))
        return Message::error(QStringLiteral("Cannot edit [Pf] entry or use [Pf] in edits.") + kTryAgain);

    // 3. Changing the type: never to or from the three special types; any other
    //    type change is accepted at once.
    if (memo.oldType != newType) {
        auto special = [&](const QString& t) { return t == kMMF || t == kLinear || t == kVA; };
        if (special(memo.oldType) || special(newType))
            return Message::error(QStringLiteral("Type change not allowed.") + kTryAgain);
        return Status::success();
    }

    // 4-6. The first character marks the special types.
    const QChar first = newName.at(0);
    if (first == QLatin1Char('$') && newType != kMMF)
        return Message::error(QStringLiteral("Can only use  $  as first character with Money Market Funds.") + kTryAgain);
    if (first == QLatin1Char('~') && newType != kVA)
        return Message::error(QStringLiteral("Can only use  ~  as first character with Variable Annuities.") + kTryAgain);
    if (first == QLatin1Char('-') && newType != kLinear)
        return Message::error(QStringLiteral("Can only use  -  as first character with Linear types.") + kTryAgain);

    // 7. Unique among all cells of the sheet except the entry's own cell.
    const QString upper = newName.toUpper();
    bool clash = false;
    for (int r = 0; r <= display.maxRow(); ++r) {
        for (int c = 0; c <= display.maxCol(); ++c) {
            if (r == memo.RowNum && c == memo.ColNum)
                continue;
            if (display.at(r, c).shortName.trimmed().toUpper() == upper) {
                clash = true;
                break;  // the rest of this row is not scanned
            }
        }
    }
    if (clash)
        return Message::error(newName + QStringLiteral(" already used by another entry.") + kTryAgain);
    return Status::success();
}

}  // namespace orv
