#include "config/ModMainFirmware.h"

#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"

namespace ModMain {

namespace {

int32_t FwByte(const std::string& r, size_t i) {
    return r.size() > i + 1 ? static_cast<uint8_t>(r[i]) : 0;
}

} // namespace

std::string FormattaVersioneFirmware(const std::string& record) {
    if (record.size() <= 11) return "00.00 - 00/00/0000";
    const std::string h = ModGlobFunct::ConvertiTestoInHex(record.substr(0, 6));
    return h.substr(0, 2) + "." + h.substr(2, 2) + " - " + h.substr(4, 2) + "/" + h.substr(6, 2) + "/" + h.substr(8, 4);
}

int32_t LeggiVersioneFw(const std::string& record) { return FwByte(record, 0); }
int32_t LeggiRevisioneFw(const std::string& record) { return FwByte(record, 1); }
int16_t LeggiGiornoFw(const std::string& record) { return static_cast<int16_t>(FwByte(record, 2)); }
int16_t LeggiMeseFw(const std::string& record) { return static_cast<int16_t>(FwByte(record, 3)); }

int16_t LeggiAnnoFw(const std::string& record) {
    if (record.size() < 7) return 0;
    int16_t anno = 0;
    for (const char c : ModGlobFunct::ConvertiTestoInHex(record.substr(4, 2))) {
        if (c < '0' || c > '9') return 0;
        anno = static_cast<int16_t>(anno * 10 + (c - '0'));
    }
    return anno;
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
