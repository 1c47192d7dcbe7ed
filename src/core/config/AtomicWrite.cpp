#include "core/config/AtomicWrite.h"

#include <QSaveFile>

namespace orv {

QString writeFileAtomic(const QString& path, const QByteArray& bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return f.errorString();
    if (f.write(bytes) != bytes.size()) {
        const QString reason = f.errorString();
        f.cancelWriting();
        return reason;
    }
    if (!f.commit())
        return f.errorString();
    return {};
}

}  // namespace orv
