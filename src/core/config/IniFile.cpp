#include "core/config/IniFile.h"
#include "core/config/AtomicWrite.h"

#include <QFile>

namespace orv {

bool IniFile::load()
{
    sections_.clear();
    QFile f(path_);
    if (path_.isEmpty() || !f.open(QIODevice::ReadOnly))
        return false;
    parse(QString::fromUtf8(f.readAll()));
    return true;
}

bool IniFile::load(const QString& path)
{
    path_ = path;
    return load();
}

void IniFile::parse(const QString& text)
{
    Section* current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            // The name runs to the last "]", so folder names holding "]" survive.
            const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
            const QString name = close > 0 ? line.mid(1, close - 1) : line.mid(1);
            current = find(name);
            if (!current) {
                sections_.push_back({name, {}});
                current = &sections_.back();
            }
            continue;
        }
        if (!current)
            continue;  // keys before any section have no owner
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString val = line.mid(eq + 1).trimmed();
        bool replaced = false;
        for (auto& kv : current->keys) {
            if (kv.first.compare(key, Qt::CaseInsensitive) == 0) {
                kv.second = val;  // a repeated key: the last one wins
                replaced = true;
                break;
            }
        }
        if (!replaced)
            current->keys.emplace_back(key, val);
    }
}

QString IniFile::save() const
{
    return save(path_);
}

QString IniFile::save(const QString& path) const
{
    QString text;
    for (const Section& s : sections_) {
        text += QLatin1Char('[') + s.name + QStringLiteral("]\n");
        for (const auto& kv : s.keys)
            text += kv.first + QLatin1Char('=') + kv.second + QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    return writeFileAtomic(path, text.toUtf8());
}

IniFile::Section* IniFile::find(const QString& section)
{
    for (Section& s : sections_)
        if (s.name == section)
            return &s;
    return nullptr;
}

const IniFile::Section* IniFile::find(const QString& section) const
{
    for (const Section& s : sections_)
        if (s.name == section)
            return &s;
    return nullptr;
}

QStringList IniFile::sections() const
{
    QStringList out;
    for (const Section& s : sections_)
        out << s.name;
    return out;
}

bool IniFile::hasSection(const QString& section) const
{
    return find(section) != nullptr;
}

bool IniFile::hasKey(const QString& section, const QString& key) const
{
    return value(section, key).has_value();
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const Section* s = find(section);
    if (!s)
        return std::nullopt;
    for (const auto& kv : s->keys)
        if (kv.first.compare(key, Qt::CaseInsensitive) == 0)
            return kv.second;
    return std::nullopt;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const
{
    return value(section, key).value_or(def);
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    bool ok = false;
    const int n = v->toInt(&ok);
    return ok ? n : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    if (v->compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (v->compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const int n = v->toInt(&ok);
    return ok ? n != 0 : def;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    Section* s = find(section);
    if (!s) {
        sections_.push_back({section, {}});
        s = &sections_.back();
    }
    // Line breaks would split the entry into lines of their own.
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    for (auto& kv : s->keys) {
        if (kv.first.compare(key, Qt::CaseInsensitive) == 0) {
            kv.second = v;
            return;
        }
    }
    s->keys.emplace_back(key, v);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::eraseSection(const QString& section)
{
    for (auto it = sections_.begin(); it != sections_.end(); ++it) {
        if (it->name == section) {
            sections_.erase(it);
            return;
        }
    }
}

}  // namespace orv
