#pragma once
// The frame replay's model: recorded reply frames and their times, the
// dispatch of one frame by its first four bytes, the pacing of the next one
// and the rows of the replay log. FrmReplay drives it from its timer.
#include <cstdint>
#include <string>
#include <vector>

namespace ModReplay {

inline std::vector<std::string> TrameReplay;  // hex text of whole reply frames
inline std::vector<int32_t> TempiReplay;      // ms, one per frame
inline int32_t IndiceReplay = 0;              // frame dispatched last
inline double ProssimaTramaUsec = 0;          // clock value after which the next frame is due
inline std::string PercorsoLogReplay;

enum class Destinazione { Nessuna, Blocco1, Blocco2, Blocco3, Grezzi1B, Grezzi1C, Grezzi20, Grezzi1F, ObdConLog, Obd };

// Where a frame goes, by its first eight hex characters (case-sensitive).
Destinazione DestinazioneTrama(const std::string& hex);
// Both arrays hold the same number of entries, at least two: otherwise the
// replay does nothing.
bool ArrayValidi();
// Pause before frame i + 1 in microseconds at slider value v (100 = recorded pace).
double PausaUsec(size_t i, int32_t v);
// Dispatches frame i: stores and decodes it where it belongs; true when it is
// an OBD frame of the logged kind (the caller refreshes the OBD page and writes a row).
bool SpedisciTrama(size_t i);
// The log's second line and one row: "#" time, then " #" and block 12 values 26 to 33.
inline const char* IntestazioneLogReplay = "#Tempo #Pid03 #Pid06 #Pid07 #Pid08 #Pid09 #Pid11 #Pid14 #Pid15";
std::string RigaLogReplay(int32_t tempo, const std::vector<int32_t>& valoriObd);

} // namespace ModReplay
