#pragma once
// How a long core operation reports its progress and learns of a cancel.
// The GUI adapter steps a progress bar and processes pending events after each
// step (so a Cancel or Stop button works); the CLI adapter draws a terminal bar.

#include <QString>

namespace orv {

class Progress {
public:
    virtual ~Progress() = default;
    virtual void setRange(int maximum) = 0;      // steps from 0 to maximum
    virtual void setStatus(const QString& text) = 0;
    virtual void step(int by = 1) = 0;           // also the point where events are processed
    virtual bool cancelled() const = 0;          // tested after each unit of work
};

// Reports nothing and never cancels; for callers that do not show progress.
class NullProgress final : public Progress {
public:
    void setRange(int) override {}
    void setStatus(const QString&) override {}
    void step(int) override {}
    bool cancelled() const override { return false; }
};

}  // namespace orv
