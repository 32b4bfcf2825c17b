// Combo boxes on a page built hidden: the font reaches them without building
// their drop-down lists, and they look and measure as if it had gone through.
#include "controls/FontComboRinviato.h"

#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QComboBox>
#include <gtest/gtest.h>

namespace {

bool HaLista(const QComboBox& c) { return c.findChild<QAbstractItemView*>() != nullptr; }

class FontComboRinviatoTest : public ::testing::Test {
protected:
    void SetUp() override {
        FontComboRinviato::Installa();
        finestra.resize(400, 200);
        pagina = new QWidget(&finestra);
        pagina->hide();
        finestra.show();
        // The reference never sees a font change: it is built under a parent
        // that already has the font, so its size follows that font.
        conFont.setFont(font);
        riferimento = Nuova(&conFont);
    }
    QComboBox* Nuova(QWidget* genitore) {
        auto* c = new QComboBox(genitore);
        c->addItems({QStringLiteral("uno"), QStringLiteral("due"), QStringLiteral("una voce piuttosto lunga")});
        return c;
    }
    QWidget finestra;
    QWidget* pagina = nullptr;
    QWidget conFont;
    QComboBox* riferimento = nullptr;
    const QFont font{QStringLiteral("DejaVu Sans"), 19};
};

TEST_F(FontComboRinviatoTest, SuUnaPaginaNascostaLaListaAspettaLaPrimaVista) {
    QComboBox* c = Nuova(pagina);
    c->setFont(font);
    c->setFont(QFont(QStringLiteral("DejaVu Sans"), 7));
    c->setFont(font);
    EXPECT_FALSE(HaLista(*c));
    EXPECT_EQ(c->font(), font);

    pagina->show();
    ASSERT_TRUE(HaLista(*c));
    EXPECT_EQ(c->view()->font(), font);
    EXPECT_EQ(c->sizeHint(), riferimento->sizeHint());

    // Shown once, the combo takes a later change as usual.
    const QFont piccolo(QStringLiteral("DejaVu Sans"), 8);
    pagina->hide();
    c->setFont(piccolo);
    EXPECT_EQ(c->view()->font(), piccolo);
}

TEST_F(FontComboRinviatoTest, LaDimensioneLettaDaNascostaSegueIlFont) {
    // A page that lays out a hidden combo by its size hint, once before and
    // once after a change of font, reads the size that font needs.
    QComboBox* c = Nuova(pagina);
    const QSize prima = FontComboRinviato::DimensioneSuggerita(c);
    c->setFont(font);
    EXPECT_NE(FontComboRinviato::DimensioneSuggerita(c), prima);
    EXPECT_EQ(FontComboRinviato::DimensioneSuggerita(c), riferimento->sizeHint());
    EXPECT_EQ(c->view()->font(), font);
}

TEST_F(FontComboRinviatoTest, UnComboInVistaNonAspetta) {
    QComboBox* c = Nuova(&finestra);
    c->show();
    c->setFont(font);
    ASSERT_TRUE(HaLista(*c));
    EXPECT_EQ(c->view()->font(), font);
}

} // namespace
