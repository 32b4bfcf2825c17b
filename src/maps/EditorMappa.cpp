#include "maps/EditorMappa.h"

#include <QtCore/QSignalBlocker>
#include <QtWidgets/QComboBox>

#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainSchermo.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckModifiche.h"
#include "link/ModMappeDati.h"
#include "maps/ColoriMappa.h"
#include "maps/MappeOperazioni.h"
#include "maps/OpzioniMappa.h"
#include "platform/Dialoghi.h"

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

void GestisciVista(QWidget* interruttore, int32_t mappa, bool scelta, const std::function<void(bool)>& imposta,
                   int16_t& muto) {
    const uint8_t bit = MappeOperazioni::BitVista(mappa);
    if (!TagUno(interruttore)) {
        const bool ridotta = (ModMain::MatSoglie[15] & bit) != 0;
        if (scelta != ridotta) {
            muto = -1;
            imposta(ridotta);
            muto = 0;
        }
    } else if (ModMain::RichiestaPendente == 0) {
        ModMain::MatSoglieModificata = ModMain::MatSoglie;
        ModMain::MatSoglieModificata[15] = OpzioniMappa::Byte15ConVista(ModMain::MatSoglie[15], mappa, scelta);
        const int32_t richiesta =
            mappa == 1 ? REQ_SELECT_MAP1_EDITOR : mappa == 2 ? REQ_SELECT_MAP2_EDITOR : REQ_SELECT_MAP0_EDITOR;
        ModMain::RichiediOperazione(richiesta, true);
        ImpostaTag(interruttore, false);
    }
}

void GestisciMoltiplicatore(QComboBox* combo, int32_t& ultimo, const std::vector<int32_t>& valori, int16_t& muto) {
    const int32_t molt = ValoreBlocco(15, 88);
    GestisciComboOpzione(
        combo, ultimo, molt, OpzioniMappa::IndiceMoltiplicatore(valori, combo->count(), molt),
        [combo, &valori] { return OpzioniMappa::MoltiplicatoreScelto(valori, combo->currentIndex()); },
        [](int32_t v) { ModBlck::ModificheBlocco15 = {ModificaPendente{v, 88, 0}}; }, REQ_WRITE_BLK15, muto);
}

void GestisciPercentuale(QComboBox* combo, int32_t& ultimo, size_t k, int16_t& muto) {
    const int32_t v = ValoreBlocco(16, k);
    GestisciComboOpzione(
        combo, ultimo, v, OpzioniMappa::IndicePercentuale(VociCombo(combo), v),
        [combo] {
            if (combo->currentIndex() < 0) return std::optional<int32_t>();
            return OpzioniMappa::PercentualeScelta(combo->currentText().toStdString());
        },
        [k](int32_t valore) { ModBlck::ModificheBlocco16 = {ModificaPendente{valore, static_cast<int32_t>(k), 0}}; },
        REQ_WRITE_BLK16, muto);
}

void ImpostaVisibile(QWidget* w, bool visibile) {
    if (w && w->isVisibleTo(w->parentWidget()) != visibile) w->setVisible(visibile);
}

void ImpostaPosizione(QWidget* w, int x, int y) {
    if (w->pos() != QPoint(x, y)) w->move(x, y);
}

void CopiaSelezione(const GrigliaDati* griglia) {
    Piattaforma::ImpostaAppunti(QString::fromStdString(
        MappeOperazioni::TestoCopia(ColoriMappa::LeggiTesti(griglia), ColoriMappa::LeggiSelezione(griglia))));
}

} // namespace EditorMappa
