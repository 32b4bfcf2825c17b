#pragma once
// What the connect procedure finds and leaves for the rest of the program:
// the hardware variant, the capability-free values it derives after the
// download, the firmware lamp flag, and the byte-string comparisons it
// recognises ECUs by. The capability flags live with their readers
// (ModMainRichieste.h, MDIFrmMem10.h).
#include <cstdint>
#include <string>

namespace ModMain {

// Hardware variant of the recognised ECU: 0 new, 1 old.
inline int32_t VarianteHardware = 0;
// Load step of one row of the OBD correction map: 64 or 128 (0 until the first connect).
inline int32_t UnitaRpm = 0;
// Load step of the gas maps: 64 when block 3 value 49 has bit 0x02, else 128
// (kept by AggiornaPassoCarico, which the OBD page registers).
inline int32_t UnitaRpmBlocco3 = 128;
// The firmware lamp of the home side menu: the ECU's firmware differs from the image's or is unusable.
inline bool FirmwareDaAggiornare = false;
// Dictionary index of "[Diagnosi_Support_S]"; the reply result texts follow it.
inline int32_t IndiceVoceDizionario = 0;

// Byte-string pieces: the first or last k characters, the whole string when shorter.
std::string PrimiN(const std::string& s, size_t k);
std::string UltimiN(const std::string& s, size_t k);
// Tail key: first 29 of (last 57), then first 14 of (last 15). Short tail key: the first part only.
std::string ChiaveCoda(const std::string& s);
std::string ChiaveCodaCorta(const std::string& s);

// Fields of a firmware information record, positions counted from 1 (1
// version, 2 revision, 3 day, 4 month, 5-6 year, BCD); 0 when the record is
// too short to hold the field.
int16_t LeggiVersioneFw(const std::string& record);
int16_t LeggiRevisioneFw(const std::string& record);
int16_t LeggiGiornoFw(const std::string& record);
int16_t LeggiMeseFw(const std::string& record);
int16_t LeggiAnnoFw(const std::string& record);

// The engine is stopped: link mode 2 set, true. Engine running: the refusal on the firmware page, false.
bool PreparaAggiornamentoEcu();
// Text of an ECU reply's result byte (its fifth character); `ok` set for the
// codes that define it, left alone otherwise.
std::string TestoEsitoRisposta(const std::string& esito, bool& ok);

} // namespace ModMain

namespace MDIFrm {

// The connect procedure: searches the ports until an ECU answers, recognises
// it, downloads it, or ends on STOP, on the exit or on a rejected device.
void ConnettiCentralina();
// Compares the ECU's firmware record with the image's: firmware page, exit or lamp.
void VerificaVersioneFirmware(const std::string& infoFirmwareFile, const std::string& rispostaEcu);

} // namespace MDIFrm
