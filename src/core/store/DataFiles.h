#pragma once
// The table files of a data path: counting, checking, and creating missing ones
// from the template files. An existing file is never overwritten to complete a
// folder; only copyAllTemplates (erase of all data) replaces files, and only
// while no database connection has them open.

#include "core/base/Message.h"

#include <QString>
#include <QStringList>

namespace orv::store {

// Number of files matching *.FF2 in dir (a complete data path holds nine).
int countTableFiles(const QString& dir);

// Opens path read-only and checks that it is an Orvane table file of the current
// schema version holding table tableName with its fields and named indexes.
// A refusal names the file.
Status validateTableFile(const QString& path, const QString& tableName);

// Copies the template of every table whose file is missing in dataDir and
// returns the names of the tables created. Existing files are left untouched;
// an existing file that is not a valid table is reported by name (after the
// missing ones were created).
Result<QStringList> createMissingTables(const QString& dataDir, const QString& templateDir);

// Replaces all nine table files of dataDir by the templates (erase of all data).
// Refused while a data module has the database of dataDir open. The templates are
// checked and copied beside the targets first, so a failure leaves the old files.
Status copyAllTemplates(const QString& dataDir, const QString& templateDir);

}  // namespace orv::store
