#pragma once
// Small shared routines: string helpers, path and file-copy helpers, the
// program's version number, Sign and the RGB/HSL colour conversions.
// No state, no tables. The business-day helpers live in core/base/Dates.h.

#include <QString>
#include <QtGlobal>

namespace orv {

// ---- Strings -------------------------------------------------------------

// 1-based position of the first `sub` in `s` at or after `start`; 0 when
// start <= 0, start > s.length(), `sub` is empty or not found.
int PosFrom(int start, const QString& sub, const QString& s);

// A string of n copies of ch (empty for n <= 0).
QString MakeString(int n, QChar ch);

// Replaces every `from` in s by `to`, in place.
void ReplaceChar(QString& s, QChar from, QChar to);

// Replaces every occurrence of oldText in s by newText, in place. The search
// resumes after the inserted text, so a newText containing oldText cannot
// loop. An empty oldText changes nothing.
void ReplaceAll(QString& s, const QString& oldText, const QString& newText);

// s with every "&" doubled, so names shown in captions and labels do not
// become accelerator marks.
QString DoubleAmpersands(const QString& s);

// dest with its end overwritten by src, right-aligned; when src is longer
// than dest only its last dest.length() characters are written.
QString RightOverlay(const QString& src, const QString& dest);

// ---- Paths and files ------------------------------------------------------
// Paths use "/" as separator.

// The trimmed path with "/" appended unless it already ends in one. An empty
// (or blank) path stays empty: it must not turn into the file-system root.
QString AddBackslash(const QString& path);

// Drops one final "/" unless the path is the root "/" itself.
QString RemoveBackslash(const QString& path);

// Patterns are a folder path plus a file-name wildcard ("*", "?", "[...]"),
// e.g. "/data/*.db"; a pattern without a folder refers to the current folder.
// Only regular files (hidden ones included) match; folders never do. Matching
// is case-sensitive, like the file system.

// Number of files matching the pattern.
int CountFiles(const QString& pattern);

// Deletes every file matching the pattern. Returns true when every match was
// deleted (also when nothing matched); `deleted` receives the count removed.
bool DeleteFiles(const QString& pattern, int* deleted = nullptr);

// Copies source to target, overwriting target. The copy is written beside the
// target and renamed over it only when complete, so a failed copy leaves an
// existing target unchanged. The source's modification time is kept.
// Returns false when source is missing or unreadable or target cannot be
// written. Copying a file onto itself succeeds and changes nothing.
bool CopyOneFile(const QString& source, const QString& target);

// Copies every file matching the pattern into targetFolder (which must exist;
// a trailing "/" is optional) under its own name, overwriting. Returns true
// when every match was copied (false when the folder is missing or blank);
// `copied` receives the number copied.
bool CopyFiles(const QString& pattern, const QString& targetFolder, int* copied = nullptr);

// ---- Version --------------------------------------------------------------

// The four parts of the program's version (major, minor, release, build), as
// decimal strings, most significant first.
void GetFileVersion(QString& major, QString& minor, QString& release, QString& build);
// "major.minor.release.build" and the release date text of this build.
QString versionString();
QString releaseDate();

// ---- Numbers and colours ---------------------------------------------------

// -1, 0 or 1 (0 also for NaN).
int Sign(double x);

// Colours are Windows-style 32-bit values: red in the low byte, then green,
// then blue. A high byte of 0xFF marks a system colour whose index is in the
// low byte (such values are not RGB and must be resolved by the GUI).
constexpr quint32 rgbColor(int r, int g, int b)
{
    return quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16);
}
constexpr int redOf(quint32 c) { return int(c & 0xFF); }
constexpr int greenOf(quint32 c) { return int((c >> 8) & 0xFF); }
constexpr int blueOf(quint32 c) { return int((c >> 16) & 0xFF); }
constexpr bool isSystemColor(quint32 c) { return (c >> 24) == 0xFF; }
constexpr int systemColorIndex(quint32 c) { return int(c & 0xFF); }
constexpr quint32 systemColor(int index) { return 0xFF000000u | quint32(index & 0xFF); }

// Standard RGB -> HSL of the colour's low 24 bits; h, s, l each in 0..1
// (h = 0 and s = 0 for greys).
void RGBToHSL(quint32 colour, double& h, double& s, double& l);

// Standard HSL -> RGB; s = 0 gives the grey round(l*255); each channel is
// rounded from 0..1 to 0..255. s and l are clamped to 0..1, h wraps.
quint32 HSLToRGB(double h, double s, double l);

// Scaled forms: hue in 0..scale-1, saturation and lightness in 0..scale, each
// rounded. HSLToRGBScaled divides hue by scale-1 and the others by scale.
// The main window uses scale 240.
void RGBToHSLScaled(quint32 colour, int scale, int& h, int& s, int& l);
quint32 HSLToRGBScaled(int scale, int h, int s, int l);

}  // namespace orv
