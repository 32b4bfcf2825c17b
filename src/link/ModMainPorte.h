#pragma once
// The port list the connect procedure probes and the connected panel's combo
// shows, and the remembered port in bin/PortCom.ini.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QComboBox;

// One entry of the port list.
struct RecordPorta {
    int32_t NumeroCom = 0;  // byte sent with PIPE_OPEN_PORT; 0 for the USB entry
    int32_t TipoPorta = 0;  // 0 USB, 1 serial COM port, 2 Bluetooth COM port
};

namespace ModMain {

// Entry 0 is {0, 0} (USB), then one entry per present serial port; when the
// companion simulates the ECU on a COM number above 0, that port too. The
// fallback form (ports could not be listed) is {i, 1} for i = 0 to 60.
// List index = combo index.
inline std::vector<RecordPorta> ListaPorte{RecordPorta{}};

// Rebuilds ListaPorte and, when given, the combo's items ("USB", "COM4",
// "COM4 BT"). Always true.
bool ElencaPorteCom(QComboBox* CMB_Seriali);

// Combo text of one entry.
std::string TestoPorta(const RecordPorta& porta);

// COM number remembered in PortCom.ini: the trimmed line when it is numeric,
// otherwise none.
std::optional<int32_t> LeggiPortaRicordata();
// Writes the number as one line to PortCom.ini; false when it cannot.
bool ScriviPortaRicordata(int32_t numeroCom);

// Path of the companion's settings, <base>/bin/VirUzo.ini.
std::string PercorsoVirUzoIni();
// Largest VirUzo.ini read: a thousand times the shipped file. A larger one is
// reported in a box and read as missing (every line may add a device).
inline constexpr int64_t DimensioneMassimaVirUzoIni = int64_t(1) << 20;

} // namespace ModMain
