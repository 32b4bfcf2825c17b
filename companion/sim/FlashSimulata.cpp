#include "FlashSimulata.h"

#include "CentralinaSimulata.h"

namespace Simulazione {

namespace {

constexpr uint8_t FlashCmdIdentificazione = 0x21;
constexpr uint8_t FlashCmdProgEntra = 0x06;
constexpr uint8_t FlashCmdProgCancella = 0x07;
constexpr uint8_t FlashCmdProgScrivi = 0x08;
constexpr uint8_t FlashCmdProgRiavvia = 0x0A;
constexpr uint8_t FlashCmdLeggiBlocco5 = 0x30;
constexpr uint8_t FlashCmdScriviBlocco5 = 0x2C;
constexpr uint8_t FlashCmdMemorizzaBlocco5 = 0x15;
constexpr uint8_t FlashStatoFuoriMemoria = 0xFD;
constexpr uint8_t FlashStatoNonInBoot = 0xFE;

} // namespace

bool CentralinaSimulata::AmmessoInBoot(uint8_t comando) const {
    if (!flash.boot) return false;
    switch (comando) {
    case FlashCmdProgEntra: case FlashCmdProgCancella: case FlashCmdProgScrivi: case FlashCmdProgRiavvia:
    case FlashCmdLeggiBlocco5: case FlashCmdScriviBlocco5: case FlashCmdMemorizzaBlocco5:
        return true;
    default:
        return false;
    }
}

void CentralinaSimulata::EntraInBoot() {
    flash.boot = true;
    soloIdentificazione_ = true;
    // The boot frame of the hardware: the erased record of the new family, the
    // short refusal of the old one.
    identificazione_.clear();
    if (scenario_.hardware == 1) {
        identificazione_ = Risposta(FlashCmdIdentificazione, 0x14, "");
    } else {
        for (const auto& f : firme_)
            if (f.lista == 1 && f.numero == 0) {
                identificazione_ = f.trama;
                break;
            }
    }
}

void CentralinaSimulata::AvviaFirmwareFlash() {
    flash.boot = false;
    soloIdentificazione_ = false;
    identificazione_ = Risposta(FlashCmdIdentificazione, 0, flash.Record() + flash.codaIdentificazione);
}

void CentralinaSimulata::PreparaFlash() {
    // The firmware the ECU runs: the record of its identification frame.
    constexpr size_t Intestazione = 5;
    const std::string& id = identificazione_;
    if (scenario_.stato == ScenarioSimulato::Stato::Boot) {
        flash = MemoriaFlash{};
        flash.codaIdentificazione.assign(24, '\0');
        flash.boot = true;
        return;
    }
    if (id.size() < Intestazione + MemoriaFlash::LunghezzaInfo + 1 || static_cast<uint8_t>(id[4]) != 0) return;
    flash = MemoriaFlash{};
    flash.byte.replace(MemoriaFlash::IndirizzoInfo - MemoriaFlash::Inizio, MemoriaFlash::LunghezzaInfo,
                       id.substr(Intestazione, MemoriaFlash::LunghezzaInfo));
    flash.codaIdentificazione = id.substr(Intestazione + MemoriaFlash::LunghezzaInfo,
                                          id.size() - Intestazione - MemoriaFlash::LunghezzaInfo - 1);
}

bool CentralinaSimulata::ImpostaManopolaFlash(uint8_t id, int32_t valore) {
    if (id != MANOPOLA_ECU_FLASH_GUASTO) return false;
    flash.scrittureFinoAlGuasto = valore;
    return true;
}

void CentralinaSimulata::RegistraFlash() {
    PreparaFlash();
    Registra(FlashCmdProgEntra, [this](uint8_t c, const std::string&) {
        EntraInBoot();
        return Risposta(c, 0, "");
    });
    Registra(FlashCmdProgCancella, [this](uint8_t c, const std::string&) {
        if (!flash.boot) return Risposta(c, FlashStatoNonInBoot, "");
        flash.byte.assign(flash.byte.size(), '\xFF');
        flash.blocchiScritti = 0;
        return Risposta(c, 0, "");
    });
    Registra(FlashCmdProgScrivi, [this](uint8_t c, const std::string& d) {
        if (flash.scrittureFinoAlGuasto == 0) {
            // The line drops in the middle of the update: no answer at all.
            flash.scrittureFinoAlGuasto = -1;
            return std::string();
        }
        if (flash.scrittureFinoAlGuasto > 0) --flash.scrittureFinoAlGuasto;
        if (!flash.boot) return Risposta(c, FlashStatoNonInBoot, "");
        if (d.size() != 4 + MemoriaFlash::LunghezzaBlocco || d[0] != 0) return Risposta(c, FlashStatoFuoriMemoria, "");
        const uint32_t a = static_cast<uint32_t>(static_cast<uint8_t>(d[1])) << 16 |
                           static_cast<uint32_t>(static_cast<uint8_t>(d[2])) << 8 | static_cast<uint8_t>(d[3]);
        if (a < MemoriaFlash::Inizio || a + MemoriaFlash::LunghezzaBlocco - 1 > MemoriaFlash::Fine)
            return Risposta(c, FlashStatoFuoriMemoria, "");
        // Flash cells only go from 1 to 0 until the next erase.
        for (size_t i = 0; i < MemoriaFlash::LunghezzaBlocco; ++i) {
            char& cella = flash.byte[a - MemoriaFlash::Inizio + i];
            cella = static_cast<char>(static_cast<uint8_t>(cella) & static_cast<uint8_t>(d[4 + i]));
        }
        ++flash.blocchiScritti;
        return Risposta(c, 0, "");
    });
    Registra(FlashCmdProgRiavvia, [this](uint8_t c, const std::string&) {
        if (!flash.boot) return Risposta(c, FlashStatoNonInBoot, "");
        if (flash.FirmwareValido()) AvviaFirmwareFlash();
        return Risposta(c, 0, "");
    });
}

} // namespace Simulazione
