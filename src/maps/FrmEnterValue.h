#pragma once
// The value-entry dialog every grid editor opens on Enter: one number and the
// operation to apply it with (add, percent, set), checked against the
// caller's limits. Created once on first use, hidden between uses; the caller
// polls CloseMe while the timers keep running.
#include <cstdint>
#include <string>
#include <vector>

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QLineEdit;
class QRadioButton;

namespace ModMain {

// The dialog's result: 0 cancelled or refused, 1 add, 2 percent, 3 set.
inline int32_t OperazioneInserita = 0;
inline float ValoreInserito = 0.0f;

} // namespace ModMain

// Limits of the three operations, both inclusive.
struct LimitiValore {
    int32_t MaxAdd = 0, MinAdd = 0, MaxPerc = 0, MinPerc = 0, MaxAbs = 0, MinAbs = 0;
};

// Outcome of the check of a typed text: refused with a dictionary entry and
// the broken limit (entry 2 and no limit for a text that is not a number).
struct EsitoValore {
    bool Accettato = false;
    int16_t Voce = 0;
    int32_t Limite = 0;
    float Valore = 0.0f;
};

namespace ValoreInserimento {
// `operazione` 1..3, 0 when no option is selected (then only a number is needed).
EsitoValore ControllaTesto(const std::string& testo, int32_t operazione, const LimitiValore& limiti);
// The key filter: digits, comma, minus, full stop, Backspace and Enter pass.
bool CarattereAmmesso(char16_t c);
} // namespace ValoreInserimento

class FrmEnterValue : public QWidget, public FormaConTasti {
public:
    explicit FrmEnterValue(QWidget* proprietario = nullptr);

    void Form_Load();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void SistemaSoglie(int32_t Max_Add, int32_t Min_Add, int32_t Max_Perc, int32_t Min_Perc, int32_t Max_Abs,
                       int32_t Min_Abs);
    // The acceptance run by Enter in the text box or on an option.
    void Accetta();
    // Esc and the close box.
    void Annulla();

    bool CloseMe = true;
    LimitiValore Limiti;
    QLineEdit* TxtValue = nullptr;
    std::vector<QRadioButton*> OptTipoOper;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    ModMain::ListeLivelli liste_;
    bool caricata_ = false;
};

namespace ModMapEditor {

// The one dialog, created on first use with the main window as owner.
FrmEnterValue* IstanzaFrmEnterValue();
// Its texts again after a language change; nothing while it has not been used.
void CaricaLinguaFrmEnterValue();
// The calling order of every grid editor: limits set, main window disabled,
// dialog shown with option `opzione` (0..2) focused then the text box, waits
// in steps of 100 ms until it closes, main window enabled, a last wait of
// 200 ms, dialog hidden. Gives ModMain::OperazioneInserita.
int32_t ChiediValore(const LimitiValore& limiti, int32_t opzione);

} // namespace ModMapEditor
