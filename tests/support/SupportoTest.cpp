#include "support/SupportoTest.h"

#include "BaseSpedita.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtWidgets/QWidget>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace SupportoTest {

CartellaBase::CartellaBase(bool copiaDist) {
    std::random_device rd;
    for (int tentativo = 0; tentativo < 100; ++tentativo) {
        auto p = fs::temp_directory_path() /
                 ("mondaro-test-" + std::to_string(getpid()) + "-" + std::to_string(rd()));
        std::error_code ec;
        if (fs::create_directory(p, ec)) {
            radice_ = p;
            break;
        }
    }
    if (radice_.empty()) throw std::runtime_error("no temporary folder");
    if (copiaDist) {
        BaseSpedita::Copia(MONDARO_DIST, MONDARO_SORGENTI "/data", radice_);
    } else {
        for (const char* c : {"bin", "lng", "Data", "img", "Tune"}) fs::create_directories(radice_ / c);
    }
}

CartellaBase::~CartellaBase() {
    std::error_code ec;
    fs::remove_all(radice_, ec);
}

void CartellaBase::Scrivi(const std::string& relativo, const std::string& byte) const {
    const auto p = radice_ / relativo;
    fs::create_directories(p.parent_path());
    ScriviFile(p.string(), byte);
}

std::string CartellaBase::Leggi(const std::string& relativo) const { return LeggiFile(File(relativo)); }

std::string LeggiFile(const std::string& percorso) {
    std::ifstream f(percorso, std::ios::binary);
    std::ostringstream o;
    o << f.rdbuf();
    return o.str();
}

void ScriviFile(const std::string& percorso, const std::string& byte) {
    std::ofstream f(percorso, std::ios::binary | std::ios::trunc);
    f.write(byte.data(), static_cast<std::streamsize>(byte.size()));
}

bool Fotografa(QWidget* w, const std::string& nome, int eventi) {
    const char* cartella = std::getenv("MONDARO_SCREENSHOT_DIR");
    if (!cartella || !*cartella) return false;
    for (int i = 0; i < eventi; ++i) QCoreApplication::processEvents();
    w->grab().save(QDir(QString::fromLocal8Bit(cartella)).filePath(QString::fromStdString(nome)));
    return true;
}

QColor Pixel(QWidget& w, int x, int y) { return w.grab().toImage().pixelColor(x, y); }

char StatoProcesso(int pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    std::string s;
    if (!std::getline(f, s)) return 0;
    const auto p = s.rfind(')');
    return p != std::string::npos && p + 2 < s.size() ? s[p + 2] : 0;
}

bool AttendiFineProcesso(int pid) {
    for (int i = 0; i < 1000; ++i) {
        const char stato = StatoProcesso(pid);
        if (stato == 0 || stato == 'Z') return true;
        ::usleep(10000);
    }
    return false;
}

} // namespace SupportoTest
