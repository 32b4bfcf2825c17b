#include "config/ModMainFirmware.h"

#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"

namespace ModMain {

std::string FormattaVersioneFirmware(const std::string& record) {
    if (record.size() <= 11) return "00.00 - 00/00/0000";
    const std::string h = ModGlobFunct::ConvertiTestoInHex(record.substr(0, 6));
    return h.substr(0, 2) + "." + h.substr(2, 2) + " - " + h.substr(4, 2) + "/" + h.substr(6, 2) + "/" + h.substr(8, 4);
}

std::string LeggiCampoTestoFw(const std::string& record, bool ridotto) {
    std::string t = record;
    if (ridotto) {
        if (t.size() < 11) return {};
        t = t.substr(10, t.size() - 11);
    }
    const auto parole = Conv::Split(t, " ");
    return parole.size() > 2 ? parole[2] : std::string();
}

} // namespace ModMain
