#include "engine/ModMainImmagineFirmware.h"

#include <QtCore/QCoreApplication>
#include <exception>
#include <fstream>

#include "core/ModBlckFile.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainConnessione.h"
#include "platform/Dialoghi.h"
#include "platform/Risorse.h"

namespace ModCript {

bool DecriptaRiga(const std::string& riga, std::string& testo) {
    testo.clear();
    try {
        const auto r = ModBlck::DecodificaRiga(riga, false);
        if (!r) return false;
        testo = *r;
        return true;
    } catch (const std::exception& e) {
        Piattaforma::MostraMessaggio(QStringLiteral("Err: %1\r\nPublic Function DecriptaRiga").arg(QString::fromLocal8Bit(e.what())),
                                     QString(), Piattaforma::IconaMessaggio::Critica, Piattaforma::PulsantiMessaggio::Ok);
        // A line decoded only in part is not the line: report the failure.
        testo.clear();
        return false;
    }
}

void CaricaRigheRisorsa(std::vector<std::string>& righe, int16_t id, const std::string& tipo) {
    righe.clear();
    const auto byte = Piattaforma::CaricaRisorsa(id, tipo);
    if (!byte) return;
    std::string raccolta;
    for (size_t i = 0; i + 1 < byte->size(); ++i) {
        const char c = (*byte)[i];
        if (c == '\r' && (*byte)[i + 1] == '\n') {
            std::string testo;
            DecriptaRiga(raccolta, testo);
            righe.push_back(std::move(testo));
            raccolta.clear();
            ++i;
        } else {
            raccolta += c;
        }
    }
}

} // namespace ModCript

namespace ModMain {

namespace {

constexpr const char* MarcatoreIndirizzoInfo = "[AdrFrmwarEcu]";

int Cifra(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<uint8_t> ByteEsadecimale(const std::string& t, size_t i) {
    if (i + 2 > t.size()) return std::nullopt;
    const int a = Cifra(t[i]), b = Cifra(t[i + 1]);
    if (a < 0 || b < 0) return std::nullopt;
    return static_cast<uint8_t>(a * 16 + b);
}

} // namespace

std::optional<int32_t> ValoreEsadecimale(const std::string& testo) {
    if (testo.empty() || testo.size() > 8) return std::nullopt;
    uint32_t v = 0;
    for (const char c : testo) {
        const int d = Cifra(c);
        if (d < 0) return std::nullopt;
        v = v << 4 | static_cast<uint32_t>(d);
    }
    return static_cast<int32_t>(v);
}

std::optional<std::vector<std::string>> RigheImmagineFirmware(const std::string& percorso) {
    if (ModGlobFunct::EsisteFile(percorso)) {
        if (ModBlck::VerificaFileCodificato(percorso)) return ModBlck::LeggiFileCodificato(percorso);
        return ModBlck::LeggiFileTesto(percorso);
    }
    int16_t id = VarianteHardware == 1 ? RisorsaFirmwareVecchioHw : RisorsaFirmwareNuovoHw;
    if (percorso == PercorsoFirmwareVecchioHw) id = RisorsaFirmwareVecchioHw;
    else if (percorso == PercorsoFirmwareNuovoHw) id = RisorsaFirmwareNuovoHw;
    std::vector<std::string> righe;
    ModCript::CaricaRigheRisorsa(righe, id, "FW");
    return righe;
}

bool DecodificaRecordS2(const std::string& riga, int32_t& indirizzo, std::vector<uint8_t>& dati) {
    dati.clear();
    if (riga.size() < 12 || riga.size() % 2 != 0 || riga.compare(0, 2, "S2") != 0) return false;
    uint32_t somma = 0;
    std::vector<uint8_t> b;
    for (size_t i = 2; i < riga.size(); i += 2) {
        const auto v = ByteEsadecimale(riga, i);
        if (!v) return false;
        b.push_back(*v);
    }
    // b: count, three address bytes, data, checksum.
    if (b[0] != b.size() - 1) return false;
    for (size_t i = 0; i + 1 < b.size(); ++i) somma += b[i];
    if (static_cast<uint8_t>(~somma & 0xFF) != b.back()) return false;
    indirizzo = static_cast<int32_t>(b[1] << 16 | b[2] << 8 | b[3]);
    dati.assign(b.begin() + 4, b.end() - 1);
    return true;
}

bool LeggiSettoriFlash(const std::string& percorso, TabellaSettoriFlash& settori, int32_t& lunghezza) {
    if (!ModGlobFunct::EsisteFile(percorso)) return true;
    const auto byte = ModBlck::LeggiFileIntero(percorso);
    if (!byte) return false;
    size_t r = 0;
    for (size_t p = 0; p < byte->size();) {
        size_t q = byte->find('\n', p);
        if (q == std::string::npos) q = byte->size();
        std::string riga = byte->substr(p, q - p);
        p = q + 1;
        if (!riga.empty() && riga.back() == '\r') riga.pop_back();
        if (riga.empty()) continue;
        if (QCoreApplication::instance()) QCoreApplication::processEvents();
        if (r >= settori.size() || riga.size() < 9 || riga[0] != 'H' || riga[riga.size() - 9] != 'H') return false;
        const auto inizio = ValoreEsadecimale(riga.substr(1, 8));
        const auto fine = ValoreEsadecimale(riga.substr(riga.size() - 8));
        if (!inizio || !fine) return false;
        if (*inizio < 0 || *inizio > IndirizzoFlashMassimo || *fine < 0 || *fine > IndirizzoFlashMassimo) {
            if (!AvvisoSettoriFlashMostrato) {
                AvvisoSettoriFlashMostrato = true;
                Piattaforma::MostraMessaggio(
                    ModMain::VoceEDettagli(
                        VoceSettoreFuoriFlash,
                        QStringLiteral("%1\r\n%2 (H00000000 - H%3)")
                            .arg(QString::fromLocal8Bit(percorso.c_str()), QString::fromLatin1(riga.c_str()),
                                 QString::number(IndirizzoFlashMassimo, 16).toUpper().rightJustified(8, QLatin1Char('0')))),
                    QString(), Piattaforma::IconaMessaggio::Critica, Piattaforma::PulsantiMessaggio::Ok);
            }
            return false;
        }
        settori[r] = {*inizio, *fine};
        lunghezza = settori[r].Fine - settori[0].Inizio;
        ++r;
    }
    return true;
}

void DimensionaDatiFirmware(int32_t superiore, bool mantieni) {
    if (superiore < 0 || superiore > IndirizzoFlashMassimo) return;
    const size_t n = static_cast<size_t>(superiore) + 1;
    if (mantieni) DatiFirmware.resize(n, 0xFF);
    else DatiFirmware.assign(n, 0xFF);
}

bool IndirizzoInSettore(int32_t indirizzo, const TabellaSettoriFlash& settori) {
    for (const auto& s : settori) {
        if (s.Inizio == 0 || s.Fine == 0) continue;
        if (s.Inizio <= indirizzo && indirizzo <= s.Fine) return true;
    }
    return false;
}

std::string LeggiInfoFirmwareImmagine(const std::string& percorso) {
    ImmagineFirmwareLetta = false;
    const auto righe = RigheImmagineFirmware(percorso);
    if (!righe) return InfoFirmwareAssente;
    if (!LeggiSettoriFlash(PercorsoFlash, SettoriFlash, LunghezzaImmagine)) return InfoFirmwareAssente;
    // The whole span of the sectors, erased (0xFF), then the records copied in.
    if (LunghezzaImmagine < 0) return InfoFirmwareAssente;
    DimensionaDatiFirmware(LunghezzaImmagine, false);
    const int64_t base = SettoriFlash[0].Inizio;
    for (size_t i = 0; i < righe->size(); ++i) {
        const std::string& riga = (*righe)[i];
        if (riga.compare(0, 2, "S2") == 0) {
            int32_t indirizzo = 0;
            std::vector<uint8_t> dati;
            if (!DecodificaRecordS2(riga, indirizzo, dati)) return InfoFirmwareAssente;
            if (!IndirizzoInSettore(indirizzo, SettoriFlash)) continue;
            const int64_t scostamento = indirizzo - base;
            if (scostamento < 0 || scostamento + static_cast<int64_t>(dati.size()) > static_cast<int64_t>(DatiFirmware.size()))
                return InfoFirmwareAssente;
            std::copy(dati.begin(), dati.end(), DatiFirmware.begin() + scostamento);
        } else if (riga == MarcatoreIndirizzoInfo && i + 1 < righe->size()) {
            IndirizzoInfoFirmware = (*righe)[i + 1];
        }
    }
    const auto indirizzoInfo = ValoreEsadecimale(IndirizzoInfoFirmware);
    if (!indirizzoInfo) return InfoFirmwareAssente;
    const int64_t scostamento = *indirizzoInfo - base;
    if (scostamento < 0 || scostamento + static_cast<int64_t>(LunghezzaInfoFirmware) > static_cast<int64_t>(DatiFirmware.size()))
        return InfoFirmwareAssente;
    ImmagineFirmwareLetta = true;
    return std::string(DatiFirmware.begin() + scostamento, DatiFirmware.begin() + scostamento + LunghezzaInfoFirmware);
}

std::vector<std::string> ElencoIndirizziS2(const std::string& percorso) {
    std::vector<std::string> elenco{std::string()};
    const auto righe = RigheImmagineFirmware(percorso);
    if (!righe) return elenco;
    for (const std::string& riga : *righe) {
        if (riga.compare(0, 2, "S2") != 0) continue;
        if (riga.size() < 10) return {std::string()};
        const std::string a = riga.substr(4, 6);
        if (elenco[0].empty()) elenco[0] = a;
        else elenco.push_back(a);
    }
    return elenco;
}

} // namespace ModMain
