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

} // namespace Piattaforma
