// The management page and the sequence popup loaded from the simulated ECU's
// blocks and threshold table, at the page sizes of the smallest and of a large
// main window, in English and Italian. With MONDARO_SCREENSHOT_DIR set it
// saves pictures of them, to look at by eye.
#include "settings/FissaggioImpostazioni.h"

#include <QtCore/QDir>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

#include "CentralinaSimulata.h"
#include "support/PagineProva.h"
#include "support/BlocchiSimulati.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "link/ModBlckDatiLive.h"
#include "core/ModBlckConfigScale.h"
#include "settings/FRM_ZEBGestione.h"
#include "settings/FRM_ZEBSensori.h"
#include "settings/FrmInjSetPopUp.h"
#include "controls/MDIFrmGriglie.h"

#include <QtWidgets/QGroupBox>
#include <QtWidgets/QScrollBar>
#include "controls/PulsanteGrafico.h"

namespace {

class GestioneSimulata : public FissaggioImpostazioni {
protected:
    void SetUp() override {
        FissaggioImpostazioni::SetUp();
        const std::string setCom = std::string(MONDARO_DIST) + "/bin/SetCom.ini";
        ModBlck::LeggiSetCom(setCom);
        ModBlck::InstallaPassiTipo();
        Simulazione::CentralinaSimulata ecu(setCom);
        for (auto& b : TabellaBlocchi) SupportoTest::LeggiBloccoSimulato(ecu, b);
        const std::string& s = ecu.trasferimenti.soglie;
        for (size_t i = 0; i < 16 && i < s.size(); ++i) ModMain::MatSoglie[i] = static_cast<uint8_t>(s[i]);
    }
    void Foto(QWidget* w, const std::string& nome) { SupportoTest::Fotografa(w, nome); }
};

TEST_F(GestioneSimulata, PaginaEPopupDalleCentralina) {
    ModMain::LivelloExp = ModMain::LivelloSup = 1;
    ModMain::MatSoglie[15] = static_cast<uint8_t>((ModMain::MatSoglie[15] & 0x0F) | 0x90); // both groups in use
    QWidget area;
    PagineProva::Sfondo(area);
    FRM_ZEBGestione g(&area);
    g.Form_Load();
    FrmSeqInj popup(&area);
    popup.Form_Load();
    const auto& lingue = PagineProva::Lingue;
    const auto& dimensioni = PagineProva::Dimensioni;
    for (const auto& l : lingue) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(l.lingua));
        g.CaricaLingua();
        popup.CaricaLingua();
        for (const auto& d : dimensioni) {
            area.resize(d.larghezza, d.altezza);
            g.setGeometry(0, 0, d.larghezza, d.altezza);
            area.show();
            g.show();
            g.Form_Resize();
            g.AggiornaLivelliVisualizzazione();
            g.AggiornaSelezioni();
            g.FRM_ADV->setVisible(true);
            g.AggiornaStatoEcu_FrmParam();
            popup.hide();
            // The loaded values: the sequence state in words, the low-rpm bound from byte 6.
            EXPECT_FALSE(g.LblStatoAnticipoVal->text().isEmpty());
            EXPECT_EQ(g.cmbGiriMinimo->currentText(), QString::number(ModMain::MatSoglie[6] * 50));
            EXPECT_TRUE(g.cmbGiriMinimo->isEnabled());
            Foto(&area, std::string("gestione_") + l.sigla + "_" + std::to_string(d.larghezza) + ".png");

            popup.AggiornaSelezioni(true);
            popup.AggiornaLivelliVisualizzazione();
            ModGlobFunct::CentraControllo(&popup, &area);
            popup.show();
            popup.raise();
            EXPECT_FALSE(popup.CmbNInj[0]->isHidden());
            Foto(&area, std::string("seqinj_") + l.sigla + "_" + std::to_string(d.larghezza) + ".png");
        }
    }
    EXPECT_TRUE(Messaggi().empty());
}

TEST_F(GestioneSimulata, SensoriDallaCentralina) {
    const auto livello = ModBlck::SensoriLivello;
    const auto temperatura = ModBlck::SensoriTemperatura;
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda(ModMain::RigheConfigScale);
    // A rising resistive level sensor, the tank a little under half full.
    const int32_t soglie[6] = {40, 180, 330, 480, 640, 900};
    Imposta(3, 25, 1);
    Imposta(3, 26, 0);
    for (size_t i = 0; i < 6; ++i) Imposta(3, 27 + i, soglie[i]);
    Imposta(1, 37, 1);
    Imposta(1, 40, 402);
    Imposta(1, 41, 400);
    ModMain::LivelloExp = ModMain::LivelloSup = 1;
    QWidget area;
    PagineProva::Sfondo(area);
    FRM_ZEBSensori s(&area);
    s.Form_Load();
    const auto& lingue = PagineProva::Lingue;
    const auto& dimensioni = PagineProva::Dimensioni;
    for (const auto& l : lingue) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(l.lingua));
        s.CaricaLingua();
        s.RiempiCmbSwtch(ModMain::RigheConfigScale);
        for (const auto& d : dimensioni) {
            area.resize(d.larghezza, d.altezza);
            s.setGeometry(0, 0, d.larghezza, d.altezza);
            area.show();
            s.show();
            s.Form_Resize();
            s.CaricaSoglieLivello();
            s.AggiornaLivelliVisualizzazione();
            s.AggiornaSelezioni();
            s.CaricaLivelliAttuale();
            EXPECT_EQ(s.CmbTipoLev->currentIndex(), 1);
            EXPECT_EQ(s.HScrLevel[0]->value(), 640);
            for (int k = 0; k < 3; ++k) {
                if (!s.CMD_SENSORI[static_cast<size_t>(k)]->Value()) {
                    s.CMD_SENSORI[static_cast<size_t>(k)]->Value(true);
                    s.CMD_SENSORI_Click(k);
                }
                Foto(&area, std::string("sensori") + std::to_string(k) + "_" + l.sigla + "_" +
                                std::to_string(d.larghezza) + ".png");
            }
        }
    }
    EXPECT_TRUE(Messaggi().empty());
    ModBlck::SensoriLivello = livello;
    ModBlck::SensoriTemperatura = temperatura;
}

TEST_F(GestioneSimulata, IniettoriDallaCentralina) {
    ModMain::LivelloExp = ModMain::LivelloSup = 1;
    QWidget area;
    PagineProva::Sfondo(area);
    FrmInjSetPopUp f(&area);
    f.Form_Load();
    const int32_t carattere = MDIFrm::DimensioneCarattereGriglie;
    const auto& lingue = PagineProva::Lingue;
    // Window 1024 x 640 (grid font 9) and 1400 x 900 (grid font 12).
    const struct {
        int larghezza, altezza, punti;
    } dimensioni[] = {{1024, 640, 9}, {1400, 900, 12}};
    for (const auto& l : lingue) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(l.lingua));
        f.CaricaLingua();
        for (const auto& d : dimensioni) {
            for (int32_t n : {4, 8}) {
                Imposta(3, 1, n);
                for (size_t i = 0; i < 8; ++i) Imposta(3, 16 - i, i == 2 ? 0 : 3);
                Imposta(1, 7, 3456);
                Imposta(1, 15, 4210);
                ModMain::MatSoglie[14] = 0x05;
                MDIFrm::DimensioneCarattereGriglie = d.punti;
                area.resize(d.larghezza, d.altezza);
                area.show();
                f.AggiornaSelezioni(true);
                f.AggiornaLivelliVisualizzazione();
                f.AggiornaTempiInj();
                ModGlobFunct::CentraControllo(&f, &area);
                f.show();
                EXPECT_LE(f.height(), d.altezza);
                Foto(&area, std::string("iniettori") + std::to_string(n) + "_" + l.sigla + "_" +
                                std::to_string(d.larghezza) + ".png");
            }
        }
    }
    MDIFrm::DimensioneCarattereGriglie = carattere;
    EXPECT_TRUE(Messaggi().empty());
}

} // namespace
