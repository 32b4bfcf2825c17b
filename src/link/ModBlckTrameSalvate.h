#pragma once
// Reply frames kept in files (configuration sections, the result table of a
// map file) checked before any of them goes back to the ECU. Readers that
// only fill memory still take a frame by position; a write never sends a
// frame whose start, length byte, command, status, data length or XOR is off.
#include <cstdint>
#include <optional>
#include <string>

#include "core/ModBlckBlocchi.h"

namespace ModBlck {

// A whole reply frame: 42 01, L = its length - 2, status 0, XOR of every byte 0.
bool TramaRispostaIntegra(const std::string& trama);
// The same, answering `comando` with exactly `dati` data bytes.
bool TramaRispostaAttesa(const std::string& trama, uint8_t comando, size_t dati);

// The command byte of a block's request frame, which its reply echoes; nothing
// when the request frame is not hex or too short.
std::optional<uint8_t> ComandoLetturaBlocco(const BloccoParametri& blocco);
// The data bytes of a block's reply by its layout: up to the last byte any
// parameter is read from (the decoder's positions, counted from 1 at the 0x42).
size_t DatiRispostaBlocco(const BloccoParametri& blocco);

} // namespace ModBlck
