#pragma once
// Shared test support: a private copy of the run-time base folder for each
// test, and small file helpers.
#include <filesystem>
#include <string>

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

} // namespace SupportoTest
