#include "core/ModMainDizionario.h"

#include "core/Applicazione.h"
#include "platform/Charset.h"
#include "platform/Dialoghi.h"

namespace ModMain {

std::string TestoVoce(int16_t n) {
    if (!Dizionario) return {};
    return Dizionario->VoceDizionario(Dizionario->IdLingua(), n);
}

int16_t CharsetCorrente() {
    if (!Dizionario) return 1;
    return Dizionario->CharsetLingua(Dizionario->IdLingua());
}

QString VoceEDettagli(int16_t n, const QString& dettagli) {
    const std::string voce = TestoVoce(n);
    if (voce.empty()) return dettagli;
    return Piattaforma::TestoDaCharset(voce, CharsetCorrente()) + QStringLiteral("\r\n") + dettagli;
}

void MostraVoce(int16_t n) {
    Piattaforma::MostraMessaggio(Piattaforma::TestoDaCharset(TestoVoce(n), CharsetCorrente()),
                                 QString::fromLatin1(Applicazione::TitoloApplicazione),
                                 Piattaforma::IconaMessaggio::Nessuna, Piattaforma::PulsantiMessaggio::Ok);
}

void AvvisaSeLinguaNonSalvata() {
    if (!Dizionario || Dizionario->LinguaSalvata() || AvvisoLinguaMostrato) return;
    AvvisoLinguaMostrato = true;
    MostraVoce(VoceLinguaNonSalvata);
}

} // namespace ModMain
