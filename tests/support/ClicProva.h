#pragma once
// A left click (press and release) in the middle of a widget, delivered at once.
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

namespace SupportoTest {

inline void Clic(QWidget* w) {
    const QPointF p(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent giu(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &giu);
    QMouseEvent su(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &su);
}

} // namespace SupportoTest
