#pragma once
// The OBD threshold help: instructions with a live suggestion of the rpm or
// load threshold for the engine point held now, or a value computed from the
// petrol acquisition table. Modeless; reused until its button closes it.
#include <cstdint>
#include <string>

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

#include "core/ModMainSchermo.h"

class FrmCalcoloVacuum : public QDialog {
public:
    // `sogliaRpm` and `sogliaVac`: the OBD page's threshold lists.
    FrmCalcoloVacuum(QWidget* padre, QComboBox* sogliaRpm, QComboBox* sogliaVac);

    void Form_Load();
    void AggiornaLivelliVisualizzazione();
    // Mode 0: load threshold, otherwise rpm threshold; the second text empty:
    // a computed message without live suggestion.
    void CaricaMessaggio(int32_t modo, const std::string& primo, const std::string& secondo);
    void Timer1_Timer();
    void CmdEsc_Click();

    QLabel* LblMessaggio = nullptr;
    QLabel* LblVaccumSuggerito = nullptr;
    QLabel* LblPercVac = nullptr;
    QPushButton* CmdEsc = nullptr;
    QTimer* Timer1 = nullptr;

private:
    int32_t modo_ = 0;
    bool rosso_ = false;
    QPointer<QComboBox> sogliaRpm_, sogliaVac_;
    ModMain::ListeLivelli liste_;
};
