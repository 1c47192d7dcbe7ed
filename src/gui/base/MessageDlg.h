#pragma once
// MessageDlgCtr: every message of the program is shown through this one call.
// It builds a message box with the type's caption and icon, the requested
// button set, centres it on the active window and returns the modal result
// (MR::OK, MR::Yes, ...). A MessageSink installed by tests (or by a batch
// caller) receives every message instead and answers it without a modal box.

#include "core/base/Message.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace orv {

struct ShownMessage {
    QString text;
    MsgType type;
    int buttons;
    int helpContext;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual int answer(const ShownMessage& message) = 0;
};

// Records every message and answers from a queue of results (MR::...); when the
// queue is empty it answers the first button of the set in the order
// OK, Yes, Cancel, No.
class RecordingMessageSink : public MessageSink {
public:
    RecordingMessageSink();
    ~RecordingMessageSink() override;
    int answer(const ShownMessage& message) override;
    QList<ShownMessage> shown;
    QList<int> answers;
    QStringList texts() const;

private:
    MessageSink* previous_;
};

// Installs a sink (nullptr restores the modal boxes); returns the previous one.
MessageSink* setMessageSink(MessageSink* sink);

int MessageDlgCtr(const QString& msg, MsgType type, int buttons, int helpContext = 0);
// Shows a core refusal: beeps first when it asks for it.
int MessageDlgCtr(const Message& message);

}  // namespace orv
