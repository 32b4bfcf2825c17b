#include "platform/Charset.h"

#include <cerrno>
#include <iconv.h>
#include <string_view>
#include <vector>

namespace Piattaforma {

const char* CodicePaginaDaCharset(int charset) {
    switch (charset) {
    case 161: return "CP1253";
    case 162: return "CP1254";
    case 177: return "CP1255";
    case 178: return "CP1256";
    case 186: return "CP1257";
    case 204: return "CP1251";
    case 238: return "CP1250";
    case 222: return "CP874";
    default: return "CP1252";
    }
}

namespace {
// Converts with iconv; a byte the code page cannot map is replaced by '?'
// so that a bad entry never loses the rest of the text.
std::string Converti(const std::string& in, const char* da, const char* a) {
    iconv_t cd = iconv_open(a, da);
    const bool daUtf8 = std::string_view(da) == "UTF-8";
    if (cd == reinterpret_cast<iconv_t>(-1)) return in;
    std::string out;
    out.reserve(in.size() * 2 + 4);
    std::vector<char> buf(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buf.data();
        size_t dstLeft = buf.size();
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: skip one input character, put a question mark
            // (from UTF-8, the character's continuation bytes go with it).
            ++src;
            --srcLeft;
            if (daUtf8)
                while (srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80) {
                    ++src;
                    --srcLeft;
                }
            out.push_back('?');
        }
    }
    iconv_close(cd);
    return out;
}
} // namespace

QString TestoDaCharset(const std::string& byte, int charset) {
    return QString::fromUtf8(Converti(byte, CodicePaginaDaCharset(charset), "UTF-8"));
}

std::string TestoACharset(const QString& testo, int charset) {
    const QByteArray u = testo.toUtf8();
    return Converti(std::string(u.constData(), static_cast<size_t>(u.size())), "UTF-8",
                    CodicePaginaDaCharset(charset));
}

} // namespace Piattaforma
