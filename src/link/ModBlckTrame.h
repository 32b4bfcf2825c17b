#pragma once
// ECU frames: the request frame, the reply frame, their XOR check byte, and
// the ECU command codes.
//   request  41 02 L cmd data... xor    L = data + 3
//   reply    42 01 L cmd status data... xor    L = data + 4
// L is the frame length minus 2, so the XOR of a whole good frame is 0.
// Reply positions count from 1 at the 0x42; the data begin at position 6.
#include <cstdint>
#include <string>

#include "core/ModBlckBlocchi.h"

// Request command codes.
enum TramaEcu : uint8_t {
    CMD_PROG_ENTER = 0x06,
    CMD_PROG_ERASE = 0x07,
    CMD_PROG_WRITE = 0x08,
    CMD_PROG_RESTART = 0x0A,
    CMD_OBD_INIT = 0x0B,
    CMD_READ_BLK2 = 0x0D,
    CMD_READ_BLK3 = 0x0E,
    CMD_WRITE_BLK2 = 0x10,
    CMD_WRITE_BLK3 = 0x11,
    CMD_READ_MAP = 0x12,
    CMD_WRITE_MAP = 0x13,
    CMD_CLEAR_ERRORS = 0x14,
    CMD_STORE_BLK5 = 0x15,
    CMD_READ_ADAT = 0x16,
    CMD_WRITE_ADAT = 0x17,
    CMD_READ_TBENZ = 0x1B,
    CMD_READ_TGAS = 0x1C,
    CMD_RESET_TBENZ = 0x1D,
    CMD_RESET_TGAS = 0x1E,
    CMD_READ_TISTO = 0x1F,
    CMD_READ_TRISULT = 0x20,
    CMD_READ_MEM1 = 0x21,
    CMD_WRITE_BLK5 = 0x2C,
    CMD_READ_SOGLIE = 0x31,
    CMD_WRITE_SOGLIE = 0x32,
    CMD_WRITE_BLK6 = 0x3D,
    CMD_RESET_TISTO = 0x3F,
    CMD_WRITE_TRISULT = 0x40,
    CMD_WRITE_BLK11 = 0x42,
    CMD_WRITE_BLK12 = 0x45,
    CMD_READ_VET_RPM = 0x4B,
    CMD_WRITE_VET_RPM = 0x4C,
    CMD_READ_VET_TINJ = 0x4E,
    CMD_WRITE_VET_TINJ = 0x4F,
    CMD_WRITE_BLK18 = 0x52,
    CMD_START_ACQUISITION = 0x5C,
    CMD_WRITE_BLK13 = 0x5E,
    CMD_WRITE_BLK14 = 0x63,
    CMD_69 = 0x69,
    CMD_WRITE_BLK15 = 0x6F,
    CMD_WRITE_BLK16 = 0x75,
    CMD_READ_MAPE = 0x78,
    CMD_WRITE_MAPE = 0x79,
    CMD_WRITE_BLK7 = 0x7B,
    CMD_WRITE_BLK8 = 0x7D,
    CMD_WRITE_BLK9 = 0x7F,
    CMD_WRITE_BLK17 = 0x81,
    CMD_WRITE_BLK19 = 0x9C,
};

// Command bytes of the replies to the live-data and OBD-data reads.
enum TramaRispostaEcu : uint8_t {
    CMD_READ_LIVE = 0x0C,
    CMD_READ_OBD_DATA = 0x44,
};

namespace ModBlck {

inline constexpr uint8_t InizioTrama = 0x41;
inline constexpr uint8_t DirezioneTrama = 0x02;
inline constexpr uint8_t InizioRisposta = 0x42;
inline constexpr uint8_t DirezioneRisposta = 0x01;
inline constexpr size_t MassimoDatiTrama = 252;
inline constexpr size_t MassimoDatiRisposta = 251;

// Fixed request texts with which the logger trace labels its samples.
inline constexpr const char* TestoTramaLive = "4102032161";
inline constexpr const char* TestoTramaObd = "4102034404";

// XOR of every byte; 0 for an empty string.
uint8_t CalcolaXor(const std::string& byte);

// start, direction, data + 3, command, data, XOR; empty when the data exceed 252 bytes.
std::string CostruisciTrama(uint8_t inizio, uint8_t direzione, uint8_t comando, const std::string& dati);

// A complete reply frame (status 0x00) rebuilt from the block's values, for the
// offline edits. Each value goes back to the position and in the byte order
// the decoder reads it from, over a copy of the block's last reply, so that
// the rebuilt reply decodes to the same values whatever the offsets; bytes no
// parameter covers keep what the last reply held. L and the XOR are then
// recomputed. Parameters that cannot be placed (an offset inside the header,
// past 251 data bytes, an unknown type code, scale 0) leave their bytes alone.
std::string CostruisciRispostaBlocco(const BloccoParametri& blocco, uint8_t comando);

} // namespace ModBlck
