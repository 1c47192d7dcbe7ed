#pragma once
// A small INI file: sections and keys kept in file order, written whole and
// atomically. Section names are compared exactly (they may be folder names, and
// folders differing in case are different folders here); key names ignore case.

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace orv {

class IniFile {
public:
    IniFile() = default;
    explicit IniFile(QString path) : path_(std::move(path)) {}

    // Loads the file; a missing or unreadable file gives an empty INI and false.
    bool load();
    bool load(const QString& path);
    // Writes every section atomically; returns an empty string or the reason of failure.
    QString save() const;
    QString save(const QString& path) const;

    const QString& path() const { return path_; }

    // Every section name, in file order.
    QStringList sections() const;
    bool hasSection(const QString& section) const;
    bool hasKey(const QString& section, const QString& key) const;
    std::optional<QString> value(const QString& section, const QString& key) const;

    QString readString(const QString& section, const QString& key, const QString& def = {}) const;
    // A missing key or a value that is not a whole number gives `def`.
    int readInteger(const QString& section, const QString& key, int def) const;
    // "1"/"0" as written; a number reads as true when non-zero; "true"/"false" are accepted.
    bool readBool(const QString& section, const QString& key, bool def) const;

    // Adds the section (at the end) and the key (at the end of its section) when missing.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    void eraseSection(const QString& section);

private:
    struct Section {
        QString name;
        std::vector<std::pair<QString, QString>> keys;
    };
    Section* find(const QString& section);
    const Section* find(const QString& section) const;
    void parse(const QString& text);

    QString path_;
    std::vector<Section> sections_;
};

}  // namespace orv
