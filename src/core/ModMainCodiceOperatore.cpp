#include "core/ModMainCodiceOperatore.h"

#include <algorithm>
#include <cstdlib>

#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include "core/Conversioni.h"
#include "core/FrmOPEnterSecret.h"
#include "core/ModBlckFile.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainPercorsi.h"
#include "core/ModMainSchermo.h"

namespace ModCustom {

void CaricaTabellaCustom() {
    StringheCodiciOperatore.assign(NumeroStringheCodici, std::string());
    auto righe = ModBlck::LeggiFileTesto(ModMain::PercorsoBase + "/bin/CodiciOp.dat");
    if (!righe) return;
    const size_t n = std::min(righe->size(), StringheCodiciOperatore.size());
    for (size_t i = 0; i < n; ++i) StringheCodiciOperatore[i] = std::move((*righe)[i]);
}

} // namespace ModCustom

namespace ModMain {

void CaricaDatiCustom() {
    ModCustom::CaricaTabellaCustom();
    TabellaCodiciOperatore.assign(NumeroCodiciOperatore, std::nullopt);

    // The texts joined in order, cut at every "|": the first piece must decode
    // to the marker; piece k + 1 is entry k. The pieces are gathered across the
    // texts as they come, without building the joined text (over a megabyte).
    std::string grezzo;
    int32_t pezzo = 0;
    // False once the table is complete or the marker is wrong.
    auto chiudiPezzo = [&]() -> bool {
        const auto testo = ModBlck::DecodificaRiga(grezzo, false);
        grezzo.clear();
        if (pezzo == 0) {
            if (!testo || Conv::Trim(*testo) != ModBlck::MarcatoreCodificato) return false;
        } else if (testo) {
            TabellaCodiciOperatore[static_cast<size_t>(pezzo - 1)] = Conv::CLng(*testo);
        }
        return ++pezzo <= NumeroCodiciOperatore;
    };
    for (const auto& s : ModCustom::StringheCodiciOperatore) {
        size_t inizio = 0;
        for (size_t fine; (fine = s.find('|', inizio)) != std::string::npos; inizio = fine + 1) {
            grezzo.append(s, inizio, fine - inizio);
            if (!chiudiPezzo()) return;
        }
        grezzo.append(s, inizio, std::string::npos);
    }
    chiudiPezzo();
}

void ApriCodiceOperatore() {
    // The generator is re-seeded at every page switch.
    const double caso = static_cast<double>(std::rand()) / (static_cast<double>(RAND_MAX) + 1.0);
    const auto r = static_cast<size_t>(caso * NumeroCodiciOperatore);

    if (!IstanzaFrmOPEnterSecret) {
        auto* forma = new FrmOPEnterSecret(FinestraPrincipale);
        IstanzaFrmOPEnterSecret = forma;
        forma->Form_Load();
    }
    FrmOPEnterSecret* forma = IstanzaFrmOPEnterSecret;
    forma->CloseMe = false;
    if (QWidget* principale = FinestraPrincipale) principale->setEnabled(false);

    const auto voce = r < TabellaCodiciOperatore.size() ? TabellaCodiciOperatore[r] : std::nullopt;
    forma->LAB_SecretKey_VAL->setText(voce ? QString::number(*voce) : QString());
    forma->TxtValue->clear();

    forma->show();
    forma->setEnabled(true);
    PrimoPianoSeSistema(forma, true);
    forma->activateWindow();
    forma->Form_Activate();

    while (!forma->CloseMe) {
        ModGlobFunct::AttendiMicrosecondi(100000);
        if (!IstanzaFrmOPEnterSecret) return; // the program closed meanwhile
    }
    if (QWidget* principale = FinestraPrincipale) principale->setEnabled(true);
    ModGlobFunct::AttendiMicrosecondi(200000);
    if (IstanzaFrmOPEnterSecret) forma->hide();
}

} // namespace ModMain
