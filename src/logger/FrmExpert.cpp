#include "logger/FrmExpert.h"

#include <QtGui/QCloseEvent>
#include <QtCore/QPointer>
#include <QtGui/QFontDatabase>

#include "core/ModBlckBlocchi.h"
#include "engine/ModMainTasti.h"

namespace ModExpert {

std::string TestoValori(const std::vector<int32_t>& valori) {
    static const char* const gruppi[] = {"RIS_INJ_N", "TIME_ON_INJ_N", "TIME_INJ_N", "TIME_INJ_COR_N"};
    static const char* const etichette[] = {
        "PERIOD_GM: ",    "PRESS_1: ",      "PUNT_SEC: ",     "LAMBDA_VAL_1: ", "LAMBDA_VAL_2: ", "FLAG01_0: ",
        "LAMBDA_OUT_1: ", "LAMBDA_OUT_2: ", "VAL_LEVEL_RC: ", "VAL_LEVEL: ",    "TEMP: ",         "TEMP_1: ",
        "TAB_SMAG: ",     "TAB_TRID: ",     "TAB_TGAS: ",     "TAB_PGAS: ",     "PRESS_MAP: ",    "STATO_LED_SW: ",
        "TAB_X: ",        "TAB_Y: ",        "TAB_PBEN: ",     "TEMP_2: ",       "TENS_BAT: ",     "ANALOG_IN1: ",
        "ANALOG_IN2: ",   "ANALOG_RDAC1: ", "ANALOG_RDAC2: ", "ANALOG_RDAC3: ", "ANALOG_RDAC4: ", "LAMBDA_OUT_3: ",
        "LAMBDA_OUT_4: "};
    auto valore = [&](size_t k) { return k < valori.size() ? std::to_string(valori[k]) : std::string("---"); };
    std::string t;
    auto riga = [&](const std::string& etichetta, size_t k) {
        if (!t.empty()) t += "\r\n";
        t += etichetta + valore(k);
    };
    for (size_t g = 0; g < 4; ++g)
        for (size_t n = 0; n < 8; ++n) riga(std::string(gruppi[g]) + std::to_string(n) + ": ", 8 * g + 7 - n);
    for (size_t k = 32; k <= 62; ++k) riga(etichette[k - 32], k);
    return t;
}

} // namespace ModExpert

FrmExpert::FrmExpert(QWidget* contenitore) : QWidget(contenitore, Qt::Tool) {
    setObjectName(QStringLiteral("FrmExpert"));
    setWindowTitle(QStringLiteral("Data"));
    resize(260, 600);
    Check1 = new QCheckBox(QStringLiteral("STOP"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(8, 6, 120, 22);
    Text1 = new QPlainTextEdit(QStringLiteral("Text1"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Text1->setGeometry(8, 32, 244, 538);
}

FrmExpert* FrmExpert::Istanza() {
    static QPointer<FrmExpert> istanza;
    if (!istanza) {
        istanza = new FrmExpert(ModMain::FinestraPrincipale.data());
        istanza->Form_Load();
    }
    return istanza.data();
}

void FrmExpert::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    if (auto* m = ModMain::FinestraPrincipale.data()) {
        setWindowIcon(m->windowIcon());
        setGeometry(m->geometry().left(), m->geometry().top(), width(), m->height());
    }
}

void FrmExpert::AggiornaValori() {
    if (Check1->isChecked()) return;
    const auto& v = TabellaBlocchi.size() > 1 ? TabellaBlocchi[1].Valori : std::vector<int32_t>{};
    Text1->setPlainText(QString::fromStdString(ModExpert::TestoValori(v)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void FrmExpert::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmExpert::closeEvent(QCloseEvent* e) {
    ModMain::ExpertAperto = 0;
    e->accept();
}

void FrmExpert::resizeEvent(QResizeEvent*) {
    const int h = height() - Text1->y() - 30;
    if (h > 0) Text1->resize(width() - 16, h);
}

void FrmExpert::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }
