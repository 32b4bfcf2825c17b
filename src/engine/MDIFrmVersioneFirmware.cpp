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

int16_t Campo(const std::string& record, size_t i) {
    return record.size() > i ? static_cast<int16_t>(static_cast<uint8_t>(record[i])) : 0;
}

int32_t ValoreBlocco1(size_t k) {
    if (TabellaBlocchi.size() <= 1 || TabellaBlocchi[1].Valori.size() <= k) return 0;
    return TabellaBlocchi[1].Valori[k];
}

} // namespace

// Positions count from 1 at the record's first byte, which is the first data
// byte of the identification reply: version 1, revision 2, day 3, month 4,
// year 5-6. Each length test asks for one byte more than the field needs.
int16_t LeggiVersioneFw(const std::string& record) { return record.size() < 2 ? 0 : Campo(record, 0); }
int16_t LeggiRevisioneFw(const std::string& record) { return record.size() < 3 ? 0 : Campo(record, 1); }
int16_t LeggiGiornoFw(const std::string& record) { return record.size() < 4 ? 0 : Campo(record, 2); }
int16_t LeggiMeseFw(const std::string& record) { return record.size() < 5 ? 0 : Campo(record, 3); }

int16_t LeggiAnnoFw(const std::string& record) {
    if (record.size() < 7) return 0;
    // Four BCD digits read as a decimal number (0x20 0x18: 2018); a byte that
    // is not BCD gives 0, a year no firmware has.
    int16_t anno = 0;
    for (size_t i = 4; i < 6; ++i) {
        const int b = static_cast<uint8_t>(record[i]);
        if ((b >> 4) > 9 || (b & 0x0F) > 9) return 0;
        anno = static_cast<int16_t>(anno * 100 + (b >> 4) * 10 + (b & 0x0F));
    }
    return anno;
}

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
    const bool boot = ecu == ModMain::FirmaHardware[variante];
    const int16_t vi = ModMain::LeggiVersioneFw(img), ve = ModMain::LeggiVersioneFw(ecu);
    const int16_t ri = ModMain::LeggiRevisioneFw(img), re = ModMain::LeggiRevisioneFw(ecu);
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
    ModMain::FirmwareDaAggiornare = ModMain::LeggiGiornoFw(img) != ModMain::LeggiGiornoFw(ecu) ||
                                    ModMain::LeggiMeseFw(img) != ModMain::LeggiMeseFw(ecu) ||
                                    ModMain::LeggiAnnoFw(img) != ModMain::LeggiAnnoFw(ecu);
}

} // namespace MDIFrm
