#pragma once
// Fields of a firmware information record (one character per byte): byte 0
// version, 1 revision, 2 day, 3 month (BCD), 4-5 year (BCD, high pair first),
// 10 up to the last but one a text of blank-separated words. Each reader asks
// for one character more than its field needs and gives its neutral value
// for a shorter record.
#include <cstdint>
#include <string>

// The number fields (version, revision, day, month, year) are read by the
// engine's version check: engine/ModMainConnessione.h.
#include "engine/ModMainConnessione.h"

namespace ModMain {

// "vv.rr - dd/mm/yyyy", each pair the byte's two upper-case hex digits;
// "00.00 - 00/00/0000" for 11 characters or fewer.
std::string FormattaVersioneFirmware(const std::string& record);
// Third word of the text (with `ridotto` the record without its first 10
// characters and its last one), the words split at every single blank and
// padded to four; "" when there is none.
std::string LeggiCampoTestoFw(const std::string& record, bool ridotto);

} // namespace ModMain
