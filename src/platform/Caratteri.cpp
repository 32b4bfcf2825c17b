#include "platform/Caratteri.h"

#include <QtGui/QFontMetrics>

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

bool TestoEntra(const QFont& font, const QString& testo, const QSize& area, int flags) {
    if (testo.isEmpty()) return true;
    if (area.width() <= 0 || area.height() <= 0) return false;
    const QRect r = QFontMetrics(font).boundingRect(QRect(QPoint(0, 0), area), flags, testo);
    return r.width() <= area.width() && r.height() <= area.height();
}

QFont FontCheEntra(const QFont& font, const QString& testo, const QSize& area, int flags, double minimo) {
    if (TestoEntra(font, testo, area, flags)) return font;
    QFont f = font;
    if (font.pixelSize() > 0) {
        for (int px = font.pixelSize() - 1; px >= std::max(1.0, minimo); --px) {
            f.setPixelSize(px);
            if (TestoEntra(f, testo, area, flags)) break;
        }
    } else if (font.pointSizeF() > 0) {
        for (double pt = font.pointSizeF() - 0.5; pt >= std::max(1.0, minimo); pt -= 0.5) {
            f.setPointSizeF(pt);
            if (TestoEntra(f, testo, area, flags)) break;
        }
    }
    return f;
}

} // namespace Piattaforma
