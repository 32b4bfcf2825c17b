#pragma once
#include <QtGui/QFont>
#include <QtCore/QString>

// The Windows font names used by the forms and controls, mapped to free fonts
// installed by the scripts (fonts-dejavu-core, fonts-liberation2). Every font
// is made here so the mapping lives in one place.
namespace Piattaforma {

// Family to use for a Windows font name: "Tahoma" -> DejaVu Sans Condensed,
// "Arial" and "MS Sans Serif" -> Liberation Sans; any other name passes through.
QString FamigliaSostituta(const QString& nomeWindows);

// A font by its Windows name and size in points.
QFont CreaFont(const QString& nomeWindows, double punti, bool grassetto = false, bool corsivo = false,
               bool sottolineato = false);

// True when `testo`, drawn with `flags` (Qt::TextWordWrap wraps it at the
// area's width), lies wholly inside `area`.
bool TestoEntra(const QFont& font, const QString& testo, const QSize& area, int flags);
// `font`, made smaller only as far as needed for `testo` to lie wholly inside
// `area` (half points, or whole pixels for a font sized in pixels), but never
// below `minimo` points (pixels). A text that fits keeps the font unchanged.
QFont FontCheEntra(const QFont& font, const QString& testo, const QSize& area, int flags, double minimo = 4);

} // namespace Piattaforma
