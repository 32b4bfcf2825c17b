#pragma once
// Proportional layout of the OBD and error pages: every control keeps its
// design place (in pixels of the design size) scaled by the form's size, and
// its font scaled by the width ratio. Each resize scales from the design, so
// repeated resizes do not drift.
#include <QtCore/QRect>
#include <QtCore/QSize>

class QWidget;

namespace LayoutPagina {

// Design place and font (Tahoma, points; 0 = keep the control's font) of a control.
void Colloca(QWidget* controllo, const QRect& posto, double punti = 0, bool grassetto = false);
// Places every control of `forma` that has a design place. Combo boxes take
// at least the height their font needs.
// With `punti` above 0 every control takes that font size instead.
void Disponi(QWidget* forma, const QSize& progetto, double punti = 0);
// Width ratio of the form to its design width.
double FattoreLarghezza(const QWidget* forma, const QSize& progetto);

} // namespace LayoutPagina
