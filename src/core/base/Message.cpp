#include "core/base/Message.h"

namespace orv {

QString msgCaption(MsgType type)
{
    switch (type) {
    case MsgType::Warning: return QStringLiteral("Warning");
    case MsgType::Error: return QStringLiteral("Error");
    case MsgType::Information: return QStringLiteral("Information");
    case MsgType::Confirmation: return QStringLiteral("Confirmation");
    case MsgType::Custom: break;
    }
    return appTitle();
}

}  // namespace orv
