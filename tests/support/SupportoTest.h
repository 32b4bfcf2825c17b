#pragma once
// Shared test support: a private copy of the run-time base folder for each
// test, small file helpers, screenshots and the end of a child process.
#include <filesystem>
#include <string>

class QColor;
class QWidget;

namespace SupportoTest {

// A temporary copy of build/dist (bin/, lng/, Data/, img/, Tune/), removed at
// destruction. `Percorso()` is the base folder (no trailing slash).
class CartellaBase {
public:
    explicit CartellaBase(bool copiaDist = true);
    ~CartellaBase();
    CartellaBase(const CartellaBase&) = delete;
    CartellaBase& operator=(const CartellaBase&) = delete;
    std::string Percorso() const { return radice_.string(); }
    std::string File(const std::string& relativo) const { return (radice_ / relativo).string(); }
    void Scrivi(const std::string& relativo, const std::string& byte) const;
    std::string Leggi(const std::string& relativo) const;

private:
    std::filesystem::path radice_;
};

std::string LeggiFile(const std::string& percorso);
void ScriviFile(const std::string& percorso, const std::string& byte);

// With MONDARO_SCREENSHOT_DIR set (and not empty), the widget's picture saved
// there as `nome`, after `eventi` rounds of pending events; false, nothing
// done, without it. The pictures are to look at by eye.
bool Fotografa(QWidget* w, const std::string& nome, int eventi = 0);

// The colour of one pixel of the widget as drawn now.
QColor Pixel(QWidget& w, int x, int y);

// A process's state letter from /proc ('Z' for a zombie), or 0 when it is gone.
char StatoProcesso(int pid);
// Waits (at most 10 s) until the process has ended and only its exit status
// is left, or it is gone; false when it is still running.
bool AttendiFineProcesso(int pid);

} // namespace SupportoTest
