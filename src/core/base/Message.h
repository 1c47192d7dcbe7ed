#pragma once
// Messages the program shows the user. Core never shows anything: it returns a
// Message (type, exact text, buttons) and the window hands it to MessageDlgCtr.

#include <QString>
#include <optional>
#include <utility>
#include <variant>

namespace orv {

// Dialog types and their captions ("Warning", "Error", ...); Custom shows the
// application title and no icon.
enum class MsgType : int { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };

// Button set bits.
namespace Btn {
constexpr int Yes = 1, No = 2, OK = 4, Cancel = 8, Abort = 16, Retry = 32, Ignore = 64, All = 128,
              NoToAll = 256, YesToAll = 512, Help = 1024;
constexpr int YesNo = Yes | No;             // 3
constexpr int OKCancel = OK | Cancel;       // 12
constexpr int YesNoAll = Yes | No | All;    // 131
}  // namespace Btn

// Modal results.
namespace MR {
constexpr int None = 0, OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7, All = 8;
}

// Caption shown for a message type; Custom gives the application title.
QString msgCaption(MsgType type);
// The application title shown on Custom messages.
inline QString appTitle() { return QStringLiteral("ORV"); }

struct Message {
    MsgType type = MsgType::Error;
    QString text;
    int buttons = Btn::OK;
    bool beep = false;  // error messages are preceded by a beep

    static Message error(QString t) { return {MsgType::Error, std::move(t), Btn::OK, true}; }
    static Message warning(QString t) { return {MsgType::Warning, std::move(t), Btn::OK, false}; }
    static Message info(QString t) { return {MsgType::Information, std::move(t), Btn::OK, false}; }
};

// A value or the refusal that prevented it.
template <typename T>
class Result {
public:
    Result(T value) : v_(std::move(value)) {}
    Result(Message m) : v_(std::move(m)) {}
    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<0>(v_); }
    T& value() { return std::get<0>(v_); }
    const T& operator*() const { return value(); }
    const T* operator->() const { return &value(); }
    const Message& message() const { return std::get<1>(v_); }

private:
    std::variant<T, Message> v_;
};

// Success or a refusal, for operations that return nothing.
class Status {
public:
    Status() = default;
    Status(Message m) : m_(std::move(m)) {}
    static Status success() { return {}; }
    bool ok() const { return !m_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Message& message() const { return *m_; }

private:
    std::optional<Message> m_;
};

}  // namespace orv
