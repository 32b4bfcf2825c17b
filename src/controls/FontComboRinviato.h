#pragma once
// A combo box builds its drop-down list (a list view in a popup frame, wired
// to the combo's model) the first time its font changes, which costs far more
// than the combo itself. The pages are built and given their fonts hidden at
// start-up, so an application-wide filter holds back the font change of a
// hidden combo whose list does not exist yet and hands it on when the combo
// is first shown: the combo then looks and lays out exactly as before, and a
// page that is never opened never builds its lists.
#include <QtCore/QSize>

class QWidget;

namespace FontComboRinviato {

// Installs the filter once (later calls do nothing); the main window does it
// before it builds the pages.
void Installa();

// The widget's size hint. A combo's hint follows its font only once the font
// change has reached it, so code that reads the hint of a combo that may be
// hidden (a page laying out its combos by the height their font needs) reads
// it here: a change held back is handed on first.
QSize DimensioneSuggerita(QWidget* w);

} // namespace FontComboRinviato
