#include "maps/ModMainMappe.h"

#include <cmath>
#include <limits>

#include <QtWidgets/QComboBox>

#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModMainSchermo.h"
#include "engine/ModMainConnessione.h"
#include "link/ModMappeDati.h"

namespace ModMain {

namespace ModMainMappe_ {

int32_t ValoreBlocco(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size() || k >= TabellaBlocchi[blocco].Valori.size()) return 0;
    return TabellaBlocchi[blocco].Valori[k];
}

int32_t Limita(int64_t v, int32_t massimo) { return v < 0 ? 0 : v > massimo ? massimo : static_cast<int32_t>(v); }

} // namespace ModMainMappe_

using namespace ModMainMappe_;

int32_t CalcolaIndiceRpmMappaObd() {
    const int32_t flag = ValoreBlocco(1, 37);
    const int32_t giri = ValoreBlocco(1, 32);
    int64_t indice;
    if ((flag & 0x01) && (flag & 0x08) && giri == 0) {
        const int32_t p = Limita(ValoreBlocco(1, 50), ColonnePaginaMappa - 1);
        const int64_t rpm = static_cast<int64_t>(AsseRpmLavoro[static_cast<size_t>(p)]) * 64;
        indice = rpm / 512 - 1;
    } else {
        indice = giri / 512 - 1;
    }
    return Limita(indice, 7);
}

int32_t CalcolaIndiceCaricoMappaObd() {
    if (UnitaRpm == 0) return 0;
    return Limita(static_cast<int64_t>(ValoreBlocco(1, 48)) / UnitaRpm - 1, 14);
}

bool ApplicaCoefficientiMappa(MatriceInteri& mappa, const CoefficientiMappa& co) {
    UnitaRpmBlocco3 = (ValoreBlocco(3, 49) & 0x02) ? 64 : 128;
    if (co.div_fact == 0) return false;
    MatriceInteri nuova = mappa;
    const double div = co.div_fact;
    for (int c = 0; c < ColonnePaginaMappa; ++c) {
        for (int r = 0; r < RighePaginaMappa; ++r) {
            const int64_t prodotto = static_cast<int64_t>(mappa[r][c]) * co.m_mappa[r][c];
            const double v = Conv::ArrotondaPari(static_cast<double>(prodotto) / div + co.q_mappa[r][c] / div);
            if (!(v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())) return false;
            nuova[r][c] = static_cast<int32_t>(v);
        }
    }
    mappa = nuova;
    return true;
}

bool ElencoTipoLivello(std::vector<std::string>& elenco) {
    elenco.clear();
    size_t i = 0;
    for (; i < ModBlck::SensoriLivello.size() && !ModBlck::SensoriLivello[i].Nome.empty(); ++i)
        elenco.push_back(ModBlck::SensoriLivello[i].Nome);
    for (; i < ModBlck::SensoriLivello.size(); ++i)
        if (!ModBlck::SensoriLivello[i].Nome.empty()) return false;
    return true;
}

bool RiempiComboTipoLivello(QComboBox* combo) {
    if (!combo) return false;
    combo->clear();
    std::vector<std::string> elenco;
    const bool completo = ElencoTipoLivello(elenco);
    for (const std::string& nome : elenco) combo->addItem(TestoLingua(nome));
    return completo;
}

} // namespace ModMain
