#pragma once
// The request vocabulary between the screens and the link engine: the request
// codes, the single-slot mailbox and the poster. A screen stages its change
// (pending edits, a prepared frame, a path) and posts one code; the link timer
// carries it out on its next tick.
#include <array>
#include <cstdint>
#include <string>

// Request codes held in RichiestaPendente. The executor serves exactly these;
// every other non-zero value (1, 3, 26, 42-47, 50, above 76, negative) is
// treated as a failure.
enum CodiceRichiesta : int32_t {
    REQ_READ_BLK3 = 2,
    REQ_CLEAR_ECU_ERRORS = 4,
    REQ_SET_LINK_PARAM_1 = 5,
    REQ_SET_LINK_PARAM_0 = 6,
    REQ_WRITE_BLK3 = 7,
    REQ_SAVE_CONFIG_FILE = 8,
    REQ_LOAD_CONFIG_PARAMS = 9,
    REQ_SET_LINK_PARAM_2 = 10,
    REQ_WRITE_MAP0 = 11,
    REQ_PRESS_SWITCH = 12,
    REQ_SET_INJECTORS = 13,
    REQ_WRITE_TEMP_TABLE = 14,
    REQ_WRITE_COMP_TABLES = 15,
    REQ_WRITE_SWITCH_TEMP = 16,
    REQ_LOAD_CONFIG_MAPS = 17,
    REQ_LOAD_CONFIG_FILE = 18,
    REQ_WRITE_ECU_INFO = 19,
    REQ_START_OBD = 20,
    REQ_WRITE_BLK12 = 21,
    REQ_READ_ERRORS = 22,
    REQ_WRITE_MAP_AXES = 23,
    REQ_WRITE_MAP0_LINE = 24,
    REQ_WRITE_BLK3_OPTIONS = 25,
    REQ_WRITE_BLK2 = 27,
    REQ_WRITE_OPTIONS = 28,
    REQ_READ_BLK10 = 29,
    REQ_RESET_HISTOGRAM = 30,
    REQ_RESET_PETROL_ACQ = 31,
    REQ_RESET_GAS_ACQ = 32,
    REQ_READ_ACQ_TABLES = 33,
    REQ_WRITE_MAP0_RESET_ACQ = 34,
    REQ_WRITE_BLK3_OPTIONS_BLK2 = 35,
    REQ_WRITE_OBD_SETTINGS = 36,
    REQ_WRITE_OPTIONS_BLK2 = 37,
    REQ_LOAD_RESULT_TABLE = 38,
    REQ_WRITE_BANK_OPTIONS = 39,
    REQ_WRITE_LAMBDA_EMULATION = 40,
    REQ_WRITE_LAMBDA_PROBE = 41,
    REQ_MAP_DIALOG_BUSY = 48,
    REQ_WRITE_BLK14 = 49,
    REQ_SELECT_MAP2_EDITOR = 51,
    REQ_SEND_CMD_69 = 52,
    REQ_LOAD_CONFIG_COMP = 53,
    REQ_WRITE_BLK15 = 54,
    REQ_WRITE_BLK3_BLK14 = 55,
    REQ_ACQUIRE_INJ_SEQUENCE = 56,
    REQ_WRITE_BLK3_BLK15 = 57,
    REQ_SELECT_MAP0_EDITOR = 58,
    REQ_WRITE_BLK16 = 59,
    REQ_READ_BLK16 = 60,
    REQ_READ_ADAPTIVE_MAP = 61,
    REQ_WRITE_MAP2 = 62,
    REQ_WRITE_MAP1 = 63,
    REQ_SELECT_MAP1_EDITOR = 64,
    REQ_WRITE_BLK19 = 65,
    REQ_READ_OBD_INFO_ERROR = 66,
    REQ_WRITE_BLK12_BLK19 = 67,
    REQ_ACQUIRE_INJ_SEQUENCE_DI = 68,
    REQ_APPLY_SEQUENCE_NORMAL = 69,
    REQ_APPLY_SEQUENCE_ANTICIPATED = 70,
    REQ_IGNORED_71 = 71,
    REQ_IGNORED_72 = 72,
    REQ_WRITE_BLK15_BLK16 = 73,
    REQ_LOAD_PETROL_PRESS_TABLE = 74,
    REQ_SEND_CUSTOM_FRAME = 75,
    REQ_LOAD_GAS_PRESS_TABLE = 76,
};

namespace ModMain {

// The mailbox: 0 = empty, otherwise the code of the one request waiting or
// being carried out. A few screens store a code here directly; pages read it
// and refuse edits while it is not 0.
inline int32_t RichiestaPendente = 0;

// Stores `codice` when the slot is empty (a post into an occupied slot is
// dropped without notice; posting 0 leaves it empty) and, with `mostraAttesa`,
// starts the busy overlay's timer, which keeps the overlay up while the slot
// is occupied and 250 ms longer.
void RichiediOperazione(int32_t codice, bool mostraAttesa);

} // namespace ModMain

// What screens stage before posting, read by the executor.
namespace ModMain {

inline std::string PercorsoSalvataggio;    // request 8: the file to save
inline bool SalvataggioRichiesto = false;  // request 8: a save from the archive page is pending
inline std::string PercorsoCaricamento;    // requests 9, 17, 18, 53, 38: the file to load
inline std::string FrameMenuCustom;        // request 19: a whole CMD_WRITE_BLK5 frame
inline std::string ComandoCustom;          // request 75: hex text of the frame; then the answer
inline std::string RispostaCustom;         // request 75: the answer shown
inline int32_t PhaseShifterCorrente = 1;   // requests 56, 69, 70: phase-shifter entry of the sequence page

// Start values (set again by start-up) that the settings, configuration,
// compensation and tuning pages read.
inline int32_t SceltaSeqInj = 3;           // largest phase shift tried when the stored sequence is recognised
inline int16_t ConfigEstesa = -1;          // True: configuration files carry the adaptive and third maps
inline std::array<int32_t, 5> PassiCompensazione{4, 4, 4, 4, 1}; // strides of the five compensation tables
inline int16_t WizardAttivo = 0;           // True while the map-cell learning wizard runs

// Direct-injection acquisition wizard: false when a step of the request last
// carried out failed (the wizard records no progress bit after a failure).
inline bool UltimaRichiestaRiuscita = true;

// Capabilities found by the connect procedure.
inline int16_t FunzioneEstesaEcu = 0;      // not 0: block 18 (configuration name) exists
inline bool AbilitaNuovaObd = false;       // blocks 19 and 20 exist

} // namespace ModMain
