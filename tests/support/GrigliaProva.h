#pragma once
// Grids as the user works them and sees them: a click on a cell with real
// mouse events, and the cell's pixels as the screen shows them.
#include <cstdlib>
#include <string>

#include <QtGui/QImage>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

#include "controls/GrigliaDati.h"

namespace SupportoTest {

// A left press and release in the middle of cell (r, c).
inline void ClicCella(GrigliaDati* g, int r, int c, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    const QPointF p = g->visualRect(g->model()->index(r, c)).center();
    QMouseEvent giu(QEvent::MouseButtonPress, p, g->viewport()->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, mod);
    QApplication::sendEvent(g->viewport(), &giu);
    QMouseEvent su(QEvent::MouseButtonRelease, p, g->viewport()->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, mod);
    QApplication::sendEvent(g->viewport(), &su);
}

// Cell (r, c) shows yellow with its text in black: every pixel inside the
// cell (off its edges) lies between the two, red and green alike with no
// blue, the background is yellow (a focused cell's focus mark may tint it a
// little) and some text is drawn.
inline ::testing::AssertionResult CellaGialla(GrigliaDati* g, int r, int c) {
    const QRect rettangolo = g->visualRect(g->model()->index(r, c)).adjusted(3, 3, -3, -3);
    const QImage cella = g->viewport()->grab(rettangolo).toImage();
    const std::string dove = "cell " + std::to_string(r) + "," + std::to_string(c);
    if (cella.isNull()) return ::testing::AssertionFailure() << dove << " not on screen";
    const QColor fondo = cella.pixelColor(0, 0);
    if (fondo.red() < 240 || fondo.green() < 240 || fondo.blue() > 40)
        return ::testing::AssertionFailure() << dove << " background " << fondo.name().toStdString();
    bool testo = false;
    for (int y = 0; y < cella.height(); ++y)
        for (int x = 0; x < cella.width(); ++x) {
            const QColor p = cella.pixelColor(x, y);
            if (std::abs(p.red() - p.green()) >= 40 || p.blue() >= 60)
                return ::testing::AssertionFailure()
                       << dove << " at " << x << "," << y << ": " << p.name().toStdString();
            testo = testo || p.red() < 100;
        }
    if (!testo) return ::testing::AssertionFailure() << dove << " shows no text";
    return ::testing::AssertionSuccess();
}

} // namespace SupportoTest
