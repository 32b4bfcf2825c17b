#include "platform/Risorse.h"

#include <QtCore/QFile>

namespace Piattaforma {

std::optional<std::string> CaricaRisorsa(int id, const std::string& tipo) {
    QFile f(QStringLiteral(":/%1/%2").arg(QString::fromStdString(tipo)).arg(id));
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

} // namespace Piattaforma
