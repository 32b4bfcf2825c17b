#include "maps/ModBlckAssi.h"

#include <QtWidgets/QWidget>

#include "core/ModMainDizionario.h"
#include "core/ModMainSchermo.h"
#include "platform/Dialoghi.h"

namespace ModBlck {

namespace ModBlckAssi_ {

// Breakpoints of one index vector. The rules hold for every entry but the
// last, which is not checked: a rise by one there, with a column (row) left,
// is still a breakpoint (without it the axis would end in 0 and the reverse
// conversion refuse it); any other last value is passed over.
template <size_t N, size_t P>
bool VettoreInAsse(const std::array<uint8_t, N>& vettore, std::array<uint8_t, P>& asse) {
    asse.fill(0);
    int32_t indice = -1;
    int32_t conta = -1;
    for (size_t i = 0; i + 1 < N; ++i) {
        const int32_t v = vettore[i];
        if (v == indice) continue;
        if (v != indice + 1) return false;
        indice = v;
        if (++conta > static_cast<int32_t>(P) - 1) return false;
        asse[static_cast<size_t>(conta)] = static_cast<uint8_t>(i);
    }
    if (vettore[N - 1] == indice + 1 && conta + 1 <= static_cast<int32_t>(P) - 1)
        asse[static_cast<size_t>(conta + 1)] = static_cast<uint8_t>(N - 1);
    return true;
}

template <size_t N, size_t P>
bool AsseInVettore(const std::array<uint8_t, P>& asse, std::array<uint8_t, N>& vettore) {
    vettore.fill(0);
    if (asse[0] != 0) return false;
    for (size_t k = 1; k < P; ++k) {
        if (asse[k] > N - 1 || asse[k - 1] >= asse[k]) return false;
        for (size_t i = asse[k - 1]; i < asse[k]; ++i) vettore[i] = static_cast<uint8_t>(k - 1);
    }
    for (size_t i = asse[P - 1]; i < N; ++i) vettore[i] = static_cast<uint8_t>(P - 1);
    return true;
}

} // namespace ModBlckAssi_

int32_t ConvertiVettoriAssi(std::array<uint8_t, 128>& vettoreRpm, std::array<uint8_t, 180>& vettoreTinj,
                            AsseGiri& asseRpm, AsseTempi& asseTinj, bool daVettori) {
    using namespace ModBlckAssi_;
    if (daVettori) {
        AsseGiri rpm{};
        AsseTempi tinj{};
        if (!VettoreInAsse(vettoreRpm, rpm)) return 1;
        if (!VettoreInAsse(vettoreTinj, tinj)) return 2;
        asseTinj = tinj;
        asseRpm = rpm;
        return 0;
    }
    std::array<uint8_t, 128> rpm{};
    std::array<uint8_t, 180> tinj{};
    if (!AsseInVettore(asseRpm, rpm)) return 3;
    if (!AsseInVettore(asseTinj, tinj)) return 4;
    vettoreRpm = rpm;
    vettoreTinj = tinj;
    return 0;
}

int16_t VoceRifiutoAssi(int32_t stato) {
    switch (stato) {
    case 1: return 66;
    case 2: return 67;
    case 3: return 68;
    case 4: return 69;
    default: return 70;
    }
}

bool CalcolaVettoriAssi(std::array<uint8_t, 128>& vettoreRpm, std::array<uint8_t, 180>& vettoreTinj,
                        AsseGiri& asseRpm, AsseTempi& asseTinj, bool daVettori) {
    const int32_t stato = ConvertiVettoriAssi(vettoreRpm, vettoreTinj, asseRpm, asseTinj, daVettori);
    if (stato == 0) return true;
    const QString titolo = ModMain::FinestraPrincipale ? ModMain::FinestraPrincipale->windowTitle() : QString();
    Piattaforma::MostraMessaggio(ModMain::VoceLingua(VoceRifiutoAssi(stato)), titolo,
                                 Piattaforma::IconaMessaggio::Critica);
    return false;
}

} // namespace ModBlck
