#pragma once
// TerminalProgress: the command-line side of orv::Progress. It draws one
// progress line on stderr ("status [#####.....]  42%"), redrawn in place only
// when the shown percentage or status changes, and ends it with a newline when
// destroyed. When stderr is not a terminal (a pipe, a log file) it writes
// nothing, so scripted output stays clean.

#include "core/base/Progress.h"

#include <QString>
#include <cstdio>

namespace orv::cli {

class TerminalProgress final : public Progress {
public:
    // `out` defaults to stderr; `interactive` forces drawing on or off (tests);
    // by default it is whether `out` is a terminal.
    explicit TerminalProgress(std::FILE* out = nullptr, int interactive = -1);
    ~TerminalProgress() override;

    void setRange(int maximum) override;
    void setStatus(const QString& text) override;
    void step(int by = 1) override;
    bool cancelled() const override { return false; }

    // Ends the line now (also done by the destructor).
    void finish();

    // The line for a state: status, a 30-character bar and the percentage.
    static QString line(const QString& status, int value, int maximum, int width = 30);

private:
    void draw(bool force);
    std::FILE* out_;
    bool interactive_;
    int maximum_ = 0;
    int value_ = 0;
    int shownPercent_ = -1;
    QString status_;
    bool drawn_ = false;
};

}  // namespace orv::cli
