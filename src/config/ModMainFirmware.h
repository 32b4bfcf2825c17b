#pragma once
// Fields of a firmware information record (one character per byte): byte 0
// version, 1 revision, 2 day, 3 month (BCD), 4-5 year (BCD, high pair first),
// 10 up to the last but one a text of blank-separated words. Each reader asks
// for one character more than its field needs and gives its neutral value
// for a shorter record.
#include <cstdint>
#include <string>

namespace ModMain {

// "vv.rr - dd/mm/yyyy", each pair the byte's two upper-case hex digits;
// "00.00 - 00/00/0000" for 11 characters or fewer.
std::string FormattaVersioneFirmware(const std::string& record);
int32_t LeggiVersioneFw(const std::string& record);
int32_t LeggiRevisioneFw(const std::string& record);
// Day and month as stored (BCD: day 31 gives 49), so they compare in calendar order.
int16_t LeggiGiornoFw(const std::string& record);
int16_t LeggiMeseFw(const std::string& record);
// The two year bytes read as four decimal digits (0x20 0x18 gives 2018);
// 0 when a digit is not decimal.
int16_t LeggiAnnoFw(const std::string& record);
// Third word of the text (with `ridotto` the record without its first 10
// characters and its last one), the words split at every single blank and
// padded to four; "" when there is none.
std::string LeggiCampoTestoFw(const std::string& record, bool ridotto);

} // namespace ModMain
