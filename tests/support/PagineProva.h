#pragma once
// What the page picture tests share: the main window's navy client area, the
// two shipped languages and the page sizes at the two window sizes reviewed.
#include <QtGui/QColor>
#include <QtGui/QPalette>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>
#include <gtest/gtest.h>
#include <string>

namespace PagineProva {

struct Lingua {
    int lingua;
    const char* sigla;
};
inline constexpr Lingua Lingue[] = {{0, "en"}, {1, "it"}};

struct Dimensione {
    int larghezza, altezza;
};
// The page area with the window at 1024 x 640 and at 1400 x 900.
inline constexpr Dimensione Dimensioni[] = {{1001, 425}, {1377, 685}};

// The area a page lies on: navy, like the main window's client area.
inline void Sfondo(QWidget& area) {
    area.setAutoFillBackground(true);
    QPalette p = area.palette();
    p.setColor(QPalette::Window, QColor(0, 0, 128));
    area.setPalette(p);
}

// Every shown label of `pagina` with a text, and accepted by `controlla`,
// is wide enough for its text (one pixel of slack); `dove` names the case.
template <class F>
void EtichetteEntrano(QWidget* pagina, F controlla, const std::string& dove) {
    for (QLabel* e : pagina->findChildren<QLabel*>())
        if (e->isVisible() && !e->text().isEmpty() && controlla(e)) {
            EXPECT_LE(e->fontMetrics().horizontalAdvance(e->text()), e->width() + 1)
                << e->objectName().toStdString() << " " << dove;
        }
}

} // namespace PagineProva
