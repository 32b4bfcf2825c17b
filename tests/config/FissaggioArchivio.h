#pragma once
// Fixture of the archive page and the fuel-type dialog: a private copy of the
// base folder as the paths, the dictionary, scripted dialogs, a small shell
// in place of the main window (offline load, ECU save, the switchover page's
// list index) and every shared value these forms touch restored afterwards.
#include <memory>

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "FissaggioConfig.h"
#include "config/FRM_ZEBLoadSave.h"
#include "config/MDIFrmCaricamentoMemoria.h"
#include "config/ModMainConfigurazioneEcu.h"
#include "controls/PulsanteGrafico.h"
#include "core/ClsLingue.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "platform/Dialoghi.h"
#include "support/SupportoTest.h"

class InterfacciaArchivio final : public ServiziInterfaccia {
public:
    InterfacciaArchivio() { MDIFrm::RegistraInterfaccia(this); }
    ~InterfacciaArchivio() override { MDIFrm::RegistraInterfaccia(nullptr); }

    int32_t indiceConfSistema = -1;
    int aggiornamentiCommutazione = 0;
    std::vector<std::string> titoli;

    void ImpostaTitolo(const std::string& t) override { titoli.push_back(t); }
    void FRM_ZEBCommutazione_AggiornaSelezioni() override { ++aggiornamentiCommutazione; }
    int32_t FRM_ZEBCommutazione_IndiceConfSistema() override { return indiceConfSistema; }
    void CaricaConfigurazioneInMemoria(int32_t c, const std::string& p) override {
        MDIFrm::CaricaConfigurazioneInMemoria(c, p);
    }
    bool SalvaConfigurazioneDaEcu(const std::string& p) override { return ModMain::SalvaConfigurazioneDaEcu(p); }
    bool CaricaConfigurazioneInEcu(const std::string& p) override { return ModMain::CaricaConfigurazioneInEcu(p); }
};

// The shared values of the archive forms, saved at construction and restored
// at destruction; paths, dictionary and scripted dialogs set for `base`.
class StatoArchivio {
public:
    explicit StatoArchivio(const std::string& base) {
        ModMain::ImpostaPercorsi(base);
        ModMain::PercorsoBase = base;
        dizionario_.PathDizionario(base + "/lng/diz.diz");
        dizionario_.PathAttualeLingua(base + "/lng/diz.con");
        dizionario_.LoadDizionario();
        dizionario_.IdLingua(0);
        ModMain::Dizionario = &dizionario_;
        ModMain::RichiestaPendente = 0;
        ModMain::SalvataggioRichiesto = false;
        ModMain::PercorsoSalvataggio.clear();
        ModMain::PercorsoCaricamento.clear();
        ModMain::FunzioneEstesaEcu = 0;
        ModMain::TastoXPremuto = 0;
        ModMain::VersioneProgramma = " 1.75.10";
        Piattaforma::Copione::Attiva();
    }
    ~StatoArchivio() {
        Piattaforma::Copione::Attiva(true); // scripted, as every test starts
        ModMain::Dizionario = dizionario0_;
        ModMain::RichiestaPendente = richiesta_;
        ModMain::SalvataggioRichiesto = salvataggio_;
        ModMain::PercorsoSalvataggio = salva_;
        ModMain::PercorsoCaricamento = carica_;
        ModMain::FunzioneEstesaEcu = estesa_;
        ModMain::TastoXPremuto = tastoX_;
        ModMain::VersioneProgramma = versione_;
        ModMain::NomeConfigurazione = nome_;
        ModMain::NotaConfigurazione = nota_;
        ModMain::StatoConnessione = connessione_;
        ModMain::ImpostaPercorsi(base_);
        ModMain::PercorsoBase = base_;
    }
    StatoArchivio(const StatoArchivio&) = delete;
    StatoArchivio& operator=(const StatoArchivio&) = delete;

private:
    ClsLingue* dizionario0_ = ModMain::Dizionario;
    int32_t richiesta_ = ModMain::RichiestaPendente;
    bool salvataggio_ = ModMain::SalvataggioRichiesto;
    std::string salva_ = ModMain::PercorsoSalvataggio, carica_ = ModMain::PercorsoCaricamento;
    int16_t estesa_ = ModMain::FunzioneEstesaEcu;
    int32_t tastoX_ = ModMain::TastoXPremuto;
    std::string versione_ = ModMain::VersioneProgramma;
    std::string nome_ = ModMain::NomeConfigurazione, nota_ = ModMain::NotaConfigurazione;
    int32_t connessione_ = ModMain::StatoConnessione;
    std::string base_ = ModMain::PercorsoBase;
    ClsLingue dizionario_;
};

namespace Archivio {

// A click on a check-mode drawn button: Value flips, then the handler runs.
inline void Premi(FRM_ZEBLoadSave& f, PulsanteGrafico* b, void (FRM_ZEBLoadSave::*click)()) {
    b->Value(!b->Value());
    (f.*click)();
}

// Typed characters, one key press each, through the control's event filters.
inline void Digita(QWidget* w, const QString& testo) {
    for (const QChar c : testo) {
        QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &e);
    }
}

inline std::string TestoVoceDopo(const std::string& marcatore, int n) {
    const ClsLingue* d = ModMain::Dizionario;
    for (int16_t k = 0; d && k <= d->UboundVoci(); ++k)
        if (d->VoceDizionario(0, k) == marcatore) return ModMain::TestoVoce(static_cast<int16_t>(k + n));
    return {};
}

// Texts of the message boxes shown so far.
inline std::vector<std::string> Messaggi() {
    std::vector<std::string> r;
    for (const auto& e : Piattaforma::Copione::Messaggi()) r.push_back(e.testo.toStdString());
    return r;
}

} // namespace Archivio
