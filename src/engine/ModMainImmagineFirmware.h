#pragma once
// Firmware images: the S2 records of a ".frh" image (plain or encoded, or one
// of the two images built into the program) laid out as the ECU's flash in
// the image buffer, the flash sectors of bin/Flash.ini, and the 38-byte
// information record found in the buffer at its address.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ModCript {

// One line of the line-encoded form (reversed, four decimal digits per
// character, each the code doubled). False, and the empty text, when a group
// is not a number or does not give a character code.
bool DecriptaRiga(const std::string& riga, std::string& testo);
// The decoded lines of resource `id` of `tipo`; a line ends at CR LF and what
// follows the last CR LF is dropped. A line that does not decode is empty.
void CaricaRigheRisorsa(std::vector<std::string>& righe, int16_t id, const std::string& tipo);

} // namespace ModCript

namespace ModMain {

struct SettoreFlash {
    int32_t Inizio = 0;
    int32_t Fine = 0;
};
using TabellaSettoriFlash = std::array<SettoreFlash, 14>;

// Sector rows in file order; rows the file does not name keep their values.
inline TabellaSettoriFlash SettoriFlash{};
// Highest flash address an image can fill: S2 records carry 24-bit addresses,
// so no byte of an image lies above it. A Flash.ini row outside 0..this is
// refused, which bounds the image buffer to 16 MiB whatever the file says.
inline constexpr int32_t IndirizzoFlashMassimo = 0x00FFFFFF;
inline constexpr size_t DimensioneMassimaImmagine = static_cast<size_t>(IndirizzoFlashMassimo) + 1;

// End of the last sector read minus the start of row 0; 0 before Flash.ini is read.
inline int32_t LunghezzaImmagine = 0;
// The image buffer: index i holds the byte of flash address SettoriFlash[0].Inizio + i.
inline std::vector<uint8_t> DatiFirmware;
// Hex image address of the information record; replaced by "[AdrFrmwarEcu]" in any image read.
inline std::string IndirizzoInfoFirmware = "00FFE000";
// True only while the buffer holds the whole image read last: a failed read
// leaves it incomplete, and such a buffer is never programmed.
inline bool ImmagineFirmwareLetta = false;

// Result of a read that found no information record: 36 "0" characters.
inline const std::string InfoFirmwareAssente(36, '0');
inline constexpr size_t LunghezzaInfoFirmware = 38;

// Resource ids of the built-in images (type "FW").
inline constexpr int16_t RisorsaFirmwareVecchioHw = 101;
inline constexpr int16_t RisorsaFirmwareNuovoHw = 102;

// Reads the image at `percorso` (or the built-in image standing for it) into
// the buffer and returns its information record, or InfoFirmwareAssente.
std::string LeggiInfoFirmwareImmagine(const std::string& percorso);
// Reads Flash.ini into the table and sets the length; nothing when the file is
// missing. False on a malformed line, a fifteenth sector or a row outside the
// flash's addresses (the rows read before it stay); the last is reported in a
// box, once per run.
bool LeggiSettoriFlash(const std::string& percorso, TabellaSettoriFlash& settori, int32_t& lunghezza);
inline bool AvvisoSettoriFlashMostrato = false;
// Resizes the buffer to indices 0..superiore (0xFF filled unless kept); nothing
// when negative or past IndirizzoFlashMassimo.
void DimensionaDatiFirmware(int32_t superiore, bool mantieni);
// True when the address lies in a sector (rows with a zero bound skipped).
bool IndirizzoInSettore(int32_t indirizzo, const TabellaSettoriFlash& settori);

// The lines of an image: the file's (encoded or plain) when it exists, else
// those of the built-in image for the path. Nothing when the file cannot be read.
std::optional<std::vector<std::string>> RigheImmagineFirmware(const std::string& percorso);
// One S2 line checked and split: its byte count must match the line's length
// and its checksum the ones' complement of the sum of count, address and data.
bool DecodificaRecordS2(const std::string& riga, int32_t& indirizzo, std::vector<uint8_t>& dati);
// The 6-digit address fields of every S2 line, in file order; a list holding
// one empty text when there are none or the image cannot be read.
std::vector<std::string> ElencoIndirizziS2(const std::string& percorso);
// Hex text ("&H" style, up to 8 digits) as a signed 32-bit value.
std::optional<int32_t> ValoreEsadecimale(const std::string& testo);

} // namespace ModMain
