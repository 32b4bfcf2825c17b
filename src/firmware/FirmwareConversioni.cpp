#include "firmware/FirmwareConversioni.h"

#include <cmath>

#include "core/Conversioni.h"
#include "engine/ModMainConnessione.h"
#include "config/ModMainFirmware.h"
#include "link/ModBlckTrame.h"

namespace FirmwareConversioni {

namespace {

bool RecordZeri(const std::string& r) { return r == std::string(36, '0'); }

// Year, month, day compared in that order; the BCD bytes keep the calendar order.
int ConfrontaData(const std::string& a, const std::string& b) {
    const int32_t da[] = {ModMain::LeggiAnnoFw(a), ModMain::LeggiMeseFw(a), ModMain::LeggiGiornoFw(a)};
    const int32_t db[] = {ModMain::LeggiAnnoFw(b), ModMain::LeggiMeseFw(b), ModMain::LeggiGiornoFw(b)};
    for (int i = 0; i < 3; ++i)
        if (da[i] != db[i]) return da[i] < db[i] ? -1 : 1;
    return 0;
}

} // namespace

bool PiuNuovaPerRelease(const std::string& r1, const std::string& r2) {
    const int16_t v1 = ModMain::LeggiVersioneFw(r1), v2 = ModMain::LeggiVersioneFw(r2);
    return v1 > v2 || (v1 == v2 && ModMain::LeggiRevisioneFw(r1) > ModMain::LeggiRevisioneFw(r2));
}

Compatibilita ValutaCompatibilita(const std::string& ecu, const std::string& file, const std::string& firmaVariante) {
    Compatibilita c;
    c.stessaChiave = ModMain::LeggiCampoTestoFw(ecu, true) == ModMain::LeggiCampoTestoFw(file, true);
    if (RecordZeri(file) || ecu.empty()) c.riga = RigaCompatibilita::Sconosciuta;
    else if (ecu == firmaVariante || PiuNuovaPerRelease(file, ecu)) c.riga = RigaCompatibilita::DaAggiornare;
    else if (ModMain::LeggiVersioneFw(file) != ModMain::LeggiVersioneFw(ecu) ||
             ModMain::LeggiRevisioneFw(file) != ModMain::LeggiRevisioneFw(ecu))
        c.riga = RigaCompatibilita::ImmaginePiuVecchia;
    else {
        const int d = ConfrontaData(file, ecu);
        c.riga = d > 0 ? RigaCompatibilita::DataPiuRecente
                       : (d == 0 ? RigaCompatibilita::Uguale : RigaCompatibilita::DataPiuVecchia);
    }
    return c;
}

bool CambioRelease(const std::string& ecu, const std::string& file, const std::string& firmaVariante) {
    return ecu == firmaVariante || ModMain::LeggiVersioneFw(ecu) != ModMain::LeggiVersioneFw(file) ||
           ModMain::LeggiRevisioneFw(ecu) != ModMain::LeggiRevisioneFw(file);
}

std::string PayloadAttesa(int32_t ms) {
    return std::string{static_cast<char>(ms & 0xFF), static_cast<char>((ms >> 8) & 0xFF), '\0', '\0'};
}

int32_t AttesaNormaleMs(int32_t attesaGlobaleUs) {
    return static_cast<int32_t>(Conv::ArrotondaPari(static_cast<double>(attesaGlobaleUs) / 1000.0));
}

int32_t AttesaLungaMs(int32_t attesaGlobaleUs, int32_t moltiplicatore) {
    return static_cast<int32_t>(Conv::ArrotondaPari(static_cast<double>(attesaGlobaleUs) / 1000.0 * moltiplicatore));
}

std::string BloccoImmagine(const std::vector<uint8_t>& buffer, int64_t i0) {
    std::string b(128, '\xFF');
    for (int64_t k = 0; k < 128; ++k) {
        const int64_t i = i0 + k;
        if (i >= 0 && i < static_cast<int64_t>(buffer.size())) b[static_cast<size_t>(k)] = static_cast<char>(buffer[static_cast<size_t>(i)]);
    }
    return b;
}

bool BloccoCancellato(const std::string& blocco) { return blocco.find_first_not_of('\xFF') == std::string::npos; }

std::string TramaScritturaFlash(int32_t indirizzo, const std::string& blocco) {
    std::string dati;
    dati += '\0';
    dati += static_cast<char>((indirizzo >> 16) & 0xFF);
    dati += static_cast<char>((indirizzo >> 8) & 0xFF);
    dati += static_cast<char>(indirizzo & 0xFF);
    dati += blocco;
    return ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, CMD_PROG_WRITE, dati);
}

} // namespace FirmwareConversioni
