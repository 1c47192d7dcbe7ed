#pragma once
// orvane-cli: verbs on the same core as the program's windows.
// Each verb lives in its own file and registers itself with ORV_CLI_VERB.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>
#include <vector>

namespace orv::cli {

struct Context {
    QString userPath;        // --user-path, else ORV_USER_PATH, else the default
    QString dataPathOverride;  // --data-path: work on that folder without switching
    QString programPath;     // folder of the executable (templates, example data)
    bool tsv = false;        // --tsv: header line then tab-separated rows
    QStringList args;        // the verb's own arguments
    QTextStream& out;
    QTextStream& err;
};

using VerbFn = std::function<int(Context&)>;

struct Verb {
    QString name;
    QString usage;
    QString summary;
    VerbFn run;
};

std::vector<Verb>& verbs();

struct Registrar {
    Registrar(const char* name, const char* usage, const char* summary, VerbFn fn);
};

#define ORV_CLI_CONCAT2(a, b) a##b
#define ORV_CLI_CONCAT(a, b) ORV_CLI_CONCAT2(a, b)
#define ORV_CLI_VERB(name, usage, summary, fn) \
    static ::orv::cli::Registrar ORV_CLI_CONCAT(orvCliVerb_, __LINE__)(name, usage, summary, fn)

// Prints rows: with --tsv a header line then tab-separated fields; otherwise
// columns padded to their widest cell, numbers right-aligned when flagged.
void printTable(Context& ctx, const QStringList& headers, const QList<QStringList>& rows,
                const QList<bool>& rightAlign = {});

// Number and date texts for --tsv and plain output alike: dates yyyy-mm-dd,
// numbers with "." and full precision.
QString isoDate(int day);
QString fullNumber(double value);

// Splits "--name value" options (the names listed) from positional arguments;
// flags are options without a value. False on an unknown option or a missing
// value. "--5" and "--.5" stay positional (negative numbers).
bool splitArgs(const QStringList& args, const QStringList& valued, const QStringList& flags,
               QHash<QString, QString>& options, QStringList& positional);

// A finite number in the C locale, or nothing.
std::optional<double> number(const QString& text);

// Reports an error on standard error; returns the exit code for it.
int fail(Context& ctx, const QString& text);

}  // namespace orv::cli
