#pragma once
// Deleting a Master List entry with everything recorded for it: its prices,
// distributions and transactions (one progress step per record), its holdings
// rows, the entry itself and its allocation rows, all in one transaction that is
// rolled back when any step fails. A portfolio-list pseudo-entry
// ("[Pf]Multiple...") also loses its list file in the temporary folder.

#include "core/base/Message.h"
#include "core/base/Progress.h"

#include <QString>
#include <functional>

namespace orv {

class ORVDataModule;

// The steps reported as done (the ticks of the Delete Entry window).
enum class DeleteEntryStep { Prices = 1, Distributions = 2, Transactions = 3 };

// The text of the Delete Entry window's question: "Delete   " + the short name
// + "   and all associated" (three blanks on both sides of the name), for a
// plain-text label.
QString deleteEntryQuestion(const QString& shortName);

// The portfolio list file of a "[Pf]Multiple" pseudo-entry: tempPath + short
// name + ".TXT"; empty for any other name.
QString pfMultipleListFile(const QString& tempPath, const QString& shortName);

// Deletes the entry mlID as described above. The progress range is set to the
// record count of each of the first three steps and stepped once per deleted
// record; stepDone is called after each of them. tempPath is the folder of the
// portfolio list files (with a trailing separator). The list file is deleted
// only after the commit.
Status DeleteEntry(ORVDataModule& dm, int mlID, const QString& tempPath, Progress& progress,
                   const std::function<void(DeleteEntryStep)>& stepDone = {});

}  // namespace orv
