#pragma once
// Whole-file writes that either replace the file completely or leave the old one
// untouched (QSaveFile writes a temporary file and renames it into place).

#include <QByteArray>
#include <QString>

namespace orv {

// Returns an empty string on success, else the reason the write failed.
QString writeFileAtomic(const QString& path, const QByteArray& bytes);

}  // namespace orv
