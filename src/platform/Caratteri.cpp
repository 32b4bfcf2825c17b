#include "platform/Caratteri.h"

namespace Piattaforma {

QString FamigliaSostituta(const QString& nomeWindows) {
    const QString n = nomeWindows.trimmed().toLower();
    if (n == QLatin1String("tahoma") || n == QLatin1String("verdana")) return QStringLiteral("DejaVu Sans Condensed");
    if (n == QLatin1String("arial") || n == QLatin1String("ms sans serif") ||
        n == QLatin1String("microsoft sans serif"))
        return QStringLiteral("Liberation Sans");
    if (n == QLatin1String("courier new")) return QStringLiteral("Liberation Mono");
    if (n == QLatin1String("times new roman")) return QStringLiteral("Liberation Serif");
    return nomeWindows;
}

QFont CreaFont(const QString& nomeWindows, double punti, bool grassetto, bool corsivo, bool sottolineato) {
    QFont f(FamigliaSostituta(nomeWindows));
    if (punti > 0) f.setPointSizeF(punti);
    f.setBold(grassetto);
    f.setItalic(corsivo);
    f.setUnderline(sottolineato);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

} // namespace Piattaforma
