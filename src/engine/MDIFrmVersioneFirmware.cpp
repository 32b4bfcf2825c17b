// The firmware version check after a connect, the update preparation and the
// texts of ECU reply result bytes.
#include <exception>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainConnessione.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModPipe.h"
#include "platform/Charset.h"
#include "platform/Dialoghi.h"

namespace ModMain {

namespace {

int32_t ValoreBlocco1(size_t k) {
    if (TabellaBlocchi.size() <= 1 || TabellaBlocchi[1].Valori.size() <= k) return 0;
    return TabellaBlocchi[1].Valori[k];
}

} // namespace

bool PreparaAggiornamentoEcu() {
    try {
        if ((ValoreBlocco1(37) & 0x01) == 0 && ValoreBlocco1(32) <= 0) {
            std::string risposta;
            return ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, '\x02'), ModBlck::AttesaPipe, risposta) == 0;
        }
        MDIFrm::Interfaccia().FrmFirmware_MostraMessaggio(TestoVoce(38));
        return false;
    } catch (const std::exception&) {
        ModGlobFunct::MostraErrore("Error 009 - Update ", "Comunication error", true);
        return false;
    }
}

std::string TestoEsitoRisposta(const std::string& esito, bool& ok) {
    const int32_t b = IndiceVoceDizionario;
    auto voce = [b](int32_t n) { return TestoVoce(static_cast<int16_t>(b + n)); };
    // Callers pass whole reply frames; a shorter text reads as an unknown code.
    const int32_t codice = esito.size() >= 5 ? static_cast<uint8_t>(esito[4]) : -1;
    switch (codice) {
    case 0x00: ok = true; return voce(14);
    case 0xFF: ok = false; return voce(1);
    case 0xFE: ok = false; return voce(2);
    case 0xFD: ok = false; return voce(3);
    case 0xFC: ok = false; return voce(5);
    case 0xFB: ok = false; return voce(15);
    case 0xFA: ok = false; return voce(4);
    case 0x01: return ModGlobFunct::ConvertiTestoInHex(esito);
    default: return voce(7);
    }
}

} // namespace ModMain

namespace MDIFrm {

void VerificaVersioneFirmware(const std::string& infoFirmwareFile, const std::string& rispostaEcu) {
    const std::string& img = infoFirmwareFile;
    const std::string& ecu = rispostaEcu;
    const size_t variante = ModMain::VarianteHardware == 1 ? 1 : 0;
    bool boot = ecu == ModMain::FirmaHardware[variante];
    // No image information (the zero-filled form): no version to compare with.
    // An ECU in either boot state still gets the firmware page, the only
    // thing it can be used for; any other ECU is left alone, lamp off.
    const bool immagineAssente = !img.empty() && img.find_first_not_of('0') == std::string::npos;
    if (immagineAssente) {
        boot = boot || ecu == ModMain::FirmaHardware[1 - variante];
        if (!boot) {
            ModMain::FirmwareDaAggiornare = false;
            return;
        }
    }
    // The record fields are read by the configuration subsystem, above this layer.
    auto& ui = Interfaccia();
    const int32_t vi = ui.LeggiVersioneFw(img), ve = ui.LeggiVersioneFw(ecu);
    const int32_t ri = ui.LeggiRevisioneFw(img), re = ui.LeggiRevisioneFw(ecu);
    const bool immaginePiuNuova = vi > ve || (vi == ve && ri > re);
    if (boot || immaginePiuNuova) {
        Interfaccia().SelezioneScheda(SCHEDA_FIRMWARE);
        ModMain::FirmwareDaAggiornare = true;
        return;
    }
    if (vi != ve || ri != re) {
        const auto cs = ModMain::CharsetCorrente();
        Piattaforma::MostraMessaggio(
            Piattaforma::TestoDaCharset(ModMain::TestoVoce(39) + "\r\n" + ModMain::TestoVoce(40), cs),
            Piattaforma::TestoDaCharset(ModMain::TestoVoce(0), cs), Piattaforma::IconaMessaggio::Critica,
            Piattaforma::PulsantiMessaggio::Ok);
        ModMain::UscitaRichiesta = 1;
        ModMain::FirmwareDaAggiornare = true;
        return;
    }
    ModMain::FirmwareDaAggiornare = ui.LeggiGiornoFw(img) != ui.LeggiGiornoFw(ecu) ||
                                    ui.LeggiMeseFw(img) != ui.LeggiMeseFw(ecu) ||
                                    ui.LeggiAnnoFw(img) != ui.LeggiAnnoFw(ecu);
}

} // namespace MDIFrm
