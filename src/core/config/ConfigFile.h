#pragma once
// Reading and writing ORV.cfg. Writes are atomic (the old file stays intact until
// the new one is complete). A damaged ORV.cfg (wrong size, unreadable) is never
// half-read and never lost: it is moved aside as ORV.cfg.bad (or ORV.cfg.bad1,
// .bad2 ... when that name is taken), defaults are written in its place and the
// caller gets a warning to show.

#include "core/base/Dates.h"
#include "core/base/Message.h"
#include "core/config/ConfigRecord.h"

#include <QString>
#include <optional>

namespace orv {

struct ConfigLoad {
    ConfigRecord record;              // always usable: the file's values or the defaults
    std::optional<Message> warning;   // set when the user must be told something went wrong
    bool wroteDefaults = false;       // the file was missing or damaged and defaults were written
    QString keptAs;                   // where a damaged file was moved, else empty
};

// Writes a new ORV.cfg holding ConfigRecord::defaults(today, fmtDate).
Status WriteDefaultConfig(const QString& path, Day today, const QString& fmtDate);

// Reads ORV.cfg and applies the fix-ups of applyConfigFixups(). A missing file is
// created with the defaults; a damaged one is handled as described above.
ConfigLoad ReadConfig(const QString& path, const QString& fmtDate, Day today = orv::today());

// Writes all 2544 bytes of `record` atomically.
Status WriteConfig(const QString& path, const ConfigRecord& record);

// The corrections made after every read: with a regional graph date format the
// format becomes `fmtDate` in lower case; the default buy and sell tic colours
// are lime and red; a current tic colour equal to the chart background is reset
// to lime (buy) or red (sell), so tics never disappear into the background.
void applyConfigFixups(ConfigRecord& record, const QString& fmtDate);

// The first free name among path + ".bad", ".bad1", ".bad2", ...
QString freeBadFileName(const QString& path);

// Message texts.
QString configDamagedText(const QString& fileName, const QString& keptAsName);
QString configNotMovedText(const QString& fileName);
QString configWriteFailedText(const QString& fileName, const QString& reason);

}  // namespace orv
