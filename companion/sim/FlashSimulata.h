#pragma once
// The simulated ECU's flash memory and its boot loader: CMD_PROG_ENTER puts
// the ECU into its boot state, where it answers only the identification (its
// boot frame), the ECU record (block 5) and the programming commands; the
// flash is erased whole and written in 128-byte blocks; CMD_PROG_RESTART
// starts the firmware found in the flash, whose information record the
// identification then reports. Without a valid record the ECU stays in boot.
#include <cstdint>
#include <string>

namespace Simulazione {

// Knob ids (PIPE_MANOPOLA) of the flash.
enum : uint8_t {
    MANOPOLA_ECU_FLASH_GUASTO = 30, // CMD_PROG_WRITE frames answered before one goes unanswered; < 0 never
};

struct MemoriaFlash {
    static constexpr uint32_t Inizio = 0xFF0000;
    static constexpr uint32_t Fine = 0xFFFFFF;
    static constexpr uint32_t IndirizzoInfo = 0xFFE000;
    static constexpr size_t LunghezzaInfo = 38;
    static constexpr size_t LunghezzaBlocco = 128;

    std::string byte;                // Inizio..Fine, 0xFF when erased
    bool boot = false;               // the boot loader runs
    std::string codaIdentificazione; // identification data after the 38-byte record
    int32_t scrittureFinoAlGuasto = -1;
    int32_t blocchiScritti = 0;      // since the last erase

    MemoriaFlash() : byte(Fine - Inizio + 1, '\xFF') {}
    // The information record of the firmware in the flash.
    std::string Record() const { return byte.substr(IndirizzoInfo - Inizio, LunghezzaInfo); }
    // A firmware is there when its record is not erased.
    bool FirmwareValido() const { return static_cast<uint8_t>(byte[IndirizzoInfo - Inizio]) != 0xFF; }
};

} // namespace Simulazione
