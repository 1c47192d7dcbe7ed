#include "core/base/TBXSubs.h"

#include "OrvVersion.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace orv {

// ---- Strings -------------------------------------------------------------

int PosFrom(int start, const QString& sub, const QString& s)
{
    if (start <= 0 || start > s.length() || sub.isEmpty())
        return 0;
    const qsizetype at = s.indexOf(sub, start - 1);
    return at < 0 ? 0 : int(at) + 1;
}

QString MakeString(int n, QChar ch)
{
    return n > 0 ? QString(n, ch) : QString();
}

void ReplaceChar(QString& s, QChar from, QChar to)
{
    s.replace(from, to);
}

void ReplaceAll(QString& s, const QString& oldText, const QString& newText)
{
    if (oldText.isEmpty())
        return;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = s.indexOf(oldText, from);
        if (at < 0)
            break;
        s.replace(at, oldText.length(), newText);
        from = at + newText.length();
    }
}

QString DoubleAmpersands(const QString& s)
{
    QString r = s;
    ReplaceAll(r, QStringLiteral("&"), QStringLiteral("&&"));
    return r;
}

QString RightOverlay(const QString& src, const QString& dest)
{
    QString r = dest;
    const qsizetype n = std::min(src.length(), dest.length());
    if (n > 0)
        r.replace(dest.length() - n, n, src.right(n));
    return r;
}

// ---- Paths and files ------------------------------------------------------

QString AddBackslash(const QString& path)
{
    const QString p = path.trimmed();
    if (p.isEmpty() || p.endsWith(QLatin1Char('/')))
        return p;
    return p + QLatin1Char('/');
}

QString RemoveBackslash(const QString& path)
{
    if (path.length() > 1 && path.endsWith(QLatin1Char('/')))
        return path.left(path.length() - 1);
    return path;
}

namespace {

// The regular files matching a "folder/wildcard" pattern, as full paths.
QStringList matchingFiles(const QString& pattern)
{
    const qsizetype slash = pattern.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QStringLiteral(".") : (slash == 0 ? QStringLiteral("/") : pattern.left(slash));
    const QString name = slash < 0 ? pattern : pattern.mid(slash + 1);
    if (name.isEmpty())
        return {};
    QDir dir(folder);
    if (!dir.exists())
        return {};
    QStringList result;
    const QStringList names =
        dir.entryList(QStringList{name}, QDir::Files | QDir::Hidden | QDir::CaseSensitive, QDir::Name);
    result.reserve(names.size());
    for (const QString& n : names)
        result << dir.filePath(n);
    return result;
}

}  // namespace

int CountFiles(const QString& pattern)
{
    return int(matchingFiles(pattern).size());
}

bool DeleteFiles(const QString& pattern, int* deleted)
{
    int count = 0;
    bool all = true;
    for (const QString& f : matchingFiles(pattern)) {
        if (QFile::remove(f))
            ++count;
        else
            all = false;
    }
    if (deleted)
        *deleted = count;
    return all;
}

bool CopyOneFile(const QString& source, const QString& target)
{
    const QFileInfo srcInfo(source);
    if (!srcInfo.exists() || !srcInfo.isFile())
        return false;
    const QFileInfo dstInfo(target);
    if (dstInfo.exists()) {
        if (dstInfo.isDir())
            return false;
        if (dstInfo.canonicalFilePath() == srcInfo.canonicalFilePath())
            return true;
    }

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    constexpr qint64 kChunk = 1 << 20;
    QByteArray buf;
    for (;;) {
        buf = in.read(kChunk);
        if (buf.isEmpty()) {
            if (!in.atEnd()) {  // read error
                out.cancelWriting();
                return false;
            }
            break;
        }
        if (out.write(buf) != buf.size()) {
            out.cancelWriting();
            return false;
        }
    }
    if (!out.commit())
        return false;
    QFile done(target);
    if (done.open(QIODevice::ReadWrite))
        done.setFileTime(srcInfo.lastModified(), QFileDevice::FileModificationTime);
    return true;
}

bool CopyFiles(const QString& pattern, const QString& targetFolder, int* copied)
{
    int count = 0;
    bool all = true;
    const QDir target(targetFolder);
    if (copied)
        *copied = 0;
    if (targetFolder.trimmed().isEmpty() || !target.exists())
        return false;
    for (const QString& f : matchingFiles(pattern)) {
        if (CopyOneFile(f, target.filePath(QFileInfo(f).fileName())))
            ++count;
        else
            all = false;
    }
    if (copied)
        *copied = count;
    return all;
}

// ---- Version --------------------------------------------------------------

void GetFileVersion(QString& major, QString& minor, QString& release, QString& build)
{
    // Read from the version string so that a version without a build part
    // still yields four numbers (the missing ones are 0).
    const QStringList parts = QString::fromLatin1(ORV_VERSION_STRING).split(QLatin1Char('.'));
    auto part = [&](int i) { return QString::number(i < parts.size() ? parts[i].toUInt() : 0u); };
    major = part(0);
    minor = part(1);
    release = part(2);
    build = part(3);
}

QString versionString()
{
    QString a, b, c, d;
    GetFileVersion(a, b, c, d);
    return a + QLatin1Char('.') + b + QLatin1Char('.') + c + QLatin1Char('.') + d;
}

QString releaseDate()
{
    return QString::fromUtf8(ORV_RELEASE_DATE);
}

// ---- Numbers and colours ---------------------------------------------------

int Sign(double x)
{
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
}

void RGBToHSL(quint32 colour, double& h, double& s, double& l)
{
    const double r = redOf(colour) / 255.0;
    const double g = greenOf(colour) / 255.0;
    const double b = blueOf(colour) / 255.0;
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    l = (mx + mn) / 2.0;
    if (mx == mn) {
        h = 0.0;
        s = 0.0;
        return;
    }
    const double d = mx - mn;
    s = l > 0.5 ? d / (2.0 - mx - mn) : d / (mx + mn);
    if (mx == r)
        h = (g - b) / d + (g < b ? 6.0 : 0.0);
    else if (mx == g)
        h = (b - r) / d + 2.0;
    else
        h = (r - g) / d + 4.0;
    h /= 6.0;
}

namespace {

double hueToChannel(double p, double q, double t)
{
    if (t < 0.0)
        t += 1.0;
    if (t > 1.0)
        t -= 1.0;
    if (t < 1.0 / 6.0)
        return p + (q - p) * 6.0 * t;
    if (t < 0.5)
        return q;
    if (t < 2.0 / 3.0)
        return p + (q - p) * (2.0 / 3.0 - t) * 6.0;
    return p;
}

int toByte(double v)
{
    return int(std::clamp<long>(std::lround(v * 255.0), 0L, 255L));
}

}  // namespace

quint32 HSLToRGB(double h, double s, double l)
{
    if (!std::isfinite(h))
        h = 0.0;
    s = std::isfinite(s) ? std::clamp(s, 0.0, 1.0) : 0.0;
    l = std::isfinite(l) ? std::clamp(l, 0.0, 1.0) : 0.0;
    if (s == 0.0) {
        const int v = toByte(l);
        return rgbColor(v, v, v);
    }
    h = h - std::floor(h);  // wrap into 0..1
    const double q = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
    const double p = 2.0 * l - q;
    return rgbColor(toByte(hueToChannel(p, q, h + 1.0 / 3.0)), toByte(hueToChannel(p, q, h)),
                    toByte(hueToChannel(p, q, h - 1.0 / 3.0)));
}

void RGBToHSLScaled(quint32 colour, int scale, int& h, int& s, int& l)
{
    double hh, ss, ll;
    RGBToHSL(colour, hh, ss, ll);
    h = int(std::lround(hh * (scale - 1)));
    s = int(std::lround(ss * scale));
    l = int(std::lround(ll * scale));
}

quint32 HSLToRGBScaled(int scale, int h, int s, int l)
{
    const double hh = scale > 1 ? double(h) / (scale - 1) : 0.0;
    const double ss = scale > 0 ? double(s) / scale : 0.0;
    const double ll = scale > 0 ? double(l) / scale : 0.0;
    return HSLToRGB(hh, ss, ll);
}

}  // namespace orv
