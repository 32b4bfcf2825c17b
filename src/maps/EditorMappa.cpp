#include "maps/EditorMappa.h"

#include <QtCore/QSignalBlocker>
#include <QtWidgets/QComboBox>

#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainSchermo.h"
#include "engine/ModMainRichieste.h"

namespace EditorMappa {

LimitiValore LimitiMappa() { return {100, -100, 50, -50, 255, 0}; }

bool TagUno(const QWidget* w) { return w && ModMain::LeggiTag(w) == QStringLiteral("1"); }
void ImpostaTag(QWidget* w, bool uno) {
    if (w) ModMain::ImpostaTag(w, uno ? QStringLiteral("1") : QStringLiteral("0"));
}

void RiempiCmbSwtch(const std::vector<std::string>& righe, const std::vector<QComboBox*>& percentuali,
                    QComboBox* moltiplicatore, std::vector<int32_t>& valoriMoltiplicatore) {
    const int32_t charset = ModMain::CharsetCorrente();
    for (size_t i = 0; i < righe.size(); ++i) {
        if (righe[i] == "[SECONDAINJ]" && i + 1 < righe.size()) {
            for (QComboBox* c : percentuali) {
                const QSignalBlocker muto(c);
                ModGlobFunct::RiempiComboDaLista(righe[i + 1], c, 0, charset);
                c->setCurrentIndex(-1);
            }
        } else if (righe[i] == "[MOLTIPLICATORE]" && i + 2 < righe.size()) {
            ModGlobFunct::DividiLista(righe[i + 1], valoriMoltiplicatore);
            const QSignalBlocker muto(moltiplicatore);
            ModGlobFunct::RiempiComboDaLista(righe[i + 2], moltiplicatore, 0, charset);
            moltiplicatore->setCurrentIndex(-1);
        }
    }
}

void RiempiSelettori(QComboBox* tutte, QComboBox* dueMappe, int16_t k) {
    for (QComboBox* c : {tutte, dueMappe}) {
        if (!c) continue;
        const QSignalBlocker muto(c);
        const int indice = c->currentIndex();
        c->clear();
        const int voci = c == tutte ? 3 : 2;
        for (int i = 0; i < voci; ++i) c->addItem(ModMain::VoceLingua(static_cast<int16_t>(k + 14 + i)));
        c->setCurrentIndex(indice < voci ? indice : -1);
    }
}

void AllineaCombo(QComboBox* combo, int32_t& ultimo, int32_t valore, int32_t indice, int16_t& muto) {
    if (valore == ultimo) return;
    ultimo = valore;
    muto = -1;
    combo->setCurrentIndex(indice);
    muto = 0;
}

std::vector<std::string> VociCombo(const QComboBox* combo) {
    std::vector<std::string> v;
    for (int i = 0; i < combo->count(); ++i) v.push_back(combo->itemText(i).toStdString());
    return v;
}

void GestisciComboOpzione(QComboBox* combo, int32_t& ultimo, int32_t valoreEcu, int32_t indiceEcu,
                          const std::function<std::optional<int32_t>()>& scelto,
                          const std::function<void(int32_t)>& prepara, int32_t richiesta, int16_t& muto) {
    if (TagUno(combo) && ModMain::RichiestaPendente == 0) {
        ImpostaTag(combo, false);
        // A combo with no valid choice stages nothing: the mark just goes.
        if (const auto v = scelto()) {
            prepara(*v);
            ModMain::RichiediOperazione(richiesta, true);
        }
        return;
    }
    AllineaCombo(combo, ultimo, valoreEcu, indiceEcu, muto);
}

int32_t ValoreBlocco(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size() || k >= TabellaBlocchi[blocco].Valori.size()) return 0;
    return TabellaBlocchi[blocco].Valori[k];
}

} // namespace EditorMappa
