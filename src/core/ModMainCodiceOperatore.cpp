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
    const auto righe = ModBlck::LeggiFileTesto(ModMain::PercorsoBase + "/bin/CodiciOp.dat");
    if (!righe) return;
    const size_t n = std::min(righe->size(), StringheCodiciOperatore.size());
    for (size_t i = 0; i < n; ++i) StringheCodiciOperatore[i] = (*righe)[i];
}

} // namespace ModCustom

namespace ModMain {

void CaricaDatiCustom() {
    ModCustom::CaricaTabellaCustom();
    TabellaCodiciOperatore.assign(NumeroCodiciOperatore, std::nullopt);

    std::string tutto;
    for (const auto& s : ModCustom::StringheCodiciOperatore) tutto += s;

    // Pieces between "|": the first must decode to the marker; piece k + 1 is entry k.
    size_t inizio = 0;
    int32_t pezzo = 0;
    for (;;) {
        const size_t fine = tutto.find('|', inizio);
        const std::string grezzo = tutto.substr(inizio, fine == std::string::npos ? std::string::npos : fine - inizio);
        const auto testo = ModBlck::DecodificaRiga(grezzo, false);
        if (pezzo == 0) {
            if (!testo || Conv::Trim(*testo) != ModBlck::MarcatoreCodificato) return;
        } else if (pezzo <= NumeroCodiciOperatore && testo) {
            TabellaCodiciOperatore[static_cast<size_t>(pezzo - 1)] = Conv::CLng(*testo);
        }
        if (fine == std::string::npos || pezzo >= NumeroCodiciOperatore) break;
        inizio = fine + 1;
        ++pezzo;
    }
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
