#pragma once
// What the firmware page decides without a screen: the compatibility of the
// ECU's firmware record with an image's, the release change that decides how
// the configuration survives an update, and the frames and wait payloads of
// the programming sequence.
#include <cstdint>
#include <string>
#include <vector>

namespace FirmwareConversioni {

// The row of the compatibility table that applies, in the table's order.
enum class RigaCompatibilita {
    Sconosciuta,        // no image information or no ECU text: "---"
    DaAggiornare,       // boot frame of the variant, or the image newer by release
    ImmaginePiuVecchia, // versions or revisions differ the other way
    DataPiuRecente,     // same release, image date later
    Uguale,             // same release and date
    DataPiuVecchia,     // same release, image date earlier
};

struct Compatibilita {
    RigaCompatibilita riga = RigaCompatibilita::Sconosciuta;
    bool stessaChiave = false; // the third text word is the same in both records
};

// `firmaVariante`: the boot frame of the ECU's hardware variant.
Compatibilita ValutaCompatibilita(const std::string& ecu, const std::string& file, const std::string& firmaVariante);
// R1 newer than R2 by release: higher version, or same version and higher revision.
bool PiuNuovaPerRelease(const std::string& r1, const std::string& r2);
// True when the update changes the firmware release (the boot frame counts as a change).
bool CambioRelease(const std::string& ecu, const std::string& file, const std::string& firmaVariante);

// Payload of PIPE_SET_ECU_WAIT: the wait in ms, low byte, high byte, 0, 0.
std::string PayloadAttesa(int32_t ms);
// AttesaGlobale / 1000 (x multiplier for the long wait), rounded half to even.
int32_t AttesaNormaleMs(int32_t attesaGlobaleUs);
int32_t AttesaLungaMs(int32_t attesaGlobaleUs, int32_t moltiplicatore);

// The 128 image bytes at buffer index `i0` (0xFF past the buffer's end).
std::string BloccoImmagine(const std::vector<uint8_t>& buffer, int64_t i0);
bool BloccoCancellato(const std::string& blocco);
// CMD_PROG_WRITE frame: 41 02 87 08 00 A2 A1 A0, the 128 bytes, XOR (137 bytes).
std::string TramaScritturaFlash(int32_t indirizzo, const std::string& blocco);

} // namespace FirmwareConversioni
