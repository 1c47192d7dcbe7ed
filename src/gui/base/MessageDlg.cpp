#include "gui/base/MessageDlg.h"

#include "core/config/WindowPlacement.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace orv {

namespace {
MessageSink* g_sink = nullptr;

int defaultAnswer(int buttons)
{
    if (buttons & Btn::OK) return MR::OK;
    if (buttons & Btn::Yes) return MR::Yes;
    if (buttons & Btn::Cancel) return MR::Cancel;
    if (buttons & Btn::No) return MR::No;
    return MR::None;
}

QMessageBox::Icon iconFor(MsgType type)
{
    switch (type) {
    case MsgType::Warning: return QMessageBox::Warning;
    case MsgType::Error: return QMessageBox::Critical;
    case MsgType::Information: return QMessageBox::Information;
    case MsgType::Confirmation: return QMessageBox::Question;
    case MsgType::Custom: break;
    }
    return QMessageBox::NoIcon;
}

// The button bits, their captions and the modal result each gives, in the order shown.
struct ButtonDef {
    int bit;
    QMessageBox::StandardButton standard;
    const char* caption;
    int result;
};
const ButtonDef kButtons[] = {
    {Btn::Yes, QMessageBox::Yes, nullptr, MR::Yes},
    {Btn::No, QMessageBox::No, nullptr, MR::No},
    {Btn::OK, QMessageBox::Ok, nullptr, MR::OK},
    {Btn::Cancel, QMessageBox::Cancel, nullptr, MR::Cancel},
    {Btn::Abort, QMessageBox::Abort, nullptr, MR::Abort},
    {Btn::Retry, QMessageBox::Retry, nullptr, MR::Retry},
    {Btn::Ignore, QMessageBox::Ignore, nullptr, MR::Ignore},
    {Btn::All, QMessageBox::NoButton, "&All", MR::All},
    {Btn::NoToAll, QMessageBox::NoToAll, nullptr, MR::No},
    {Btn::YesToAll, QMessageBox::YesToAll, nullptr, MR::Yes},
    {Btn::Help, QMessageBox::Help, nullptr, MR::None},
};
}  // namespace

RecordingMessageSink::RecordingMessageSink() : previous_(setMessageSink(this)) {}
RecordingMessageSink::~RecordingMessageSink() { setMessageSink(previous_); }

int RecordingMessageSink::answer(const ShownMessage& message)
{
    shown.append(message);
    if (!answers.isEmpty())
        return answers.takeFirst();
    return defaultAnswer(message.buttons);
}

QStringList RecordingMessageSink::texts() const
{
    QStringList out;
    for (const auto& m : shown)
        out << m.text;
    return out;
}

MessageSink* setMessageSink(MessageSink* sink)
{
    MessageSink* previous = g_sink;
    g_sink = sink;
    return previous;
}

int MessageDlgCtr(const QString& msg, MsgType type, int buttons, int helpContext)
{
    if (g_sink)
        return g_sink->answer({msg, type, buttons, helpContext});

    QWidget* active = QApplication::activeWindow();
    QMessageBox box(active);
    box.setIcon(iconFor(type));
    box.setWindowTitle(msgCaption(type));
    // Statements and advice are separated by carriage returns in the texts.
    QString text = msg;
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(text);
    box.setProperty("helpContext", helpContext);

    QHash<QAbstractButton*, int> results;
    for (const auto& def : kButtons) {
        if (!(buttons & def.bit))
            continue;
        QAbstractButton* b = nullptr;
        if (def.standard != QMessageBox::NoButton)
            b = box.addButton(def.standard);
        else
            b = box.addButton(QApplication::translate("MessageDlg", def.caption), QMessageBox::AcceptRole);
        results.insert(b, def.result);
    }
    if (results.isEmpty())
        results.insert(box.addButton(QMessageBox::Ok), MR::OK);

    box.adjustSize();
    if (active)
        box.move(centredOn(active->frameGeometry(), box.sizeHint()).topLeft());
    box.exec();
    return results.value(box.clickedButton(), (buttons & Btn::Cancel) ? MR::Cancel : MR::None);
}

int MessageDlgCtr(const Message& message)
{
    if (message.beep && !g_sink)
        QApplication::beep();
    return MessageDlgCtr(message.text, message.type, message.buttons, 0);
}

}  // namespace orv
