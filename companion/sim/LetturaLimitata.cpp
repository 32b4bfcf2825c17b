#include "LetturaLimitata.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Simulazione {

std::optional<std::string> LeggiFileLimitato(const std::string& percorso, size_t massimo, bool* troppoGrande) {
    if (troppoGrande) *troppoGrande = false;
    const int fd = ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<std::string> letto;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        bool oltre = static_cast<uint64_t>(st.st_size) > massimo;
        // Its length and one byte more, to see the end at once; a file that
        // grows while it is read is read up to one byte past the bound.
        std::string byte(oltre ? 0 : static_cast<size_t>(st.st_size) + 1, '\0');
        size_t n = 0;
        while (!oltre) {
            if (n == byte.size()) {
                if (n > massimo) {
                    oltre = true;
                    break;
                }
                byte.resize(std::min(byte.size() * 2, massimo + 1));
            }
            const ssize_t r = ::read(fd, byte.data() + n, byte.size() - n);
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) break;
            n += static_cast<size_t>(r);
        }
        if (oltre) {
            if (troppoGrande) *troppoGrande = true;
        } else {
            byte.resize(n);
            letto = std::move(byte);
        }
    }
    ::close(fd);
    return letto;
}

} // namespace Simulazione
