#pragma once
// The coarse carburetion view of one map page (MTX 0, 1 or 2).
// Only the members the main window calls exist so far; they do nothing yet.
#include <array>
#include <cstdint>

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QWidget>

#include "controls/GrigliaDati.h"
#include "core/PaginaMappa.h"

class FRM_ZEBCarburazione : public QWidget {
public:
    explicit FRM_ZEBCarburazione(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void CambiaTipoGriglia(int32_t idScheda);
    void CaricaAssiInMatrice(GrigliaDati* griglia, const std::array<uint8_t, ColonnePaginaMappa>& asseRpm, const std::array<uint8_t, RighePaginaMappa>& asseTinj);
    void ColoraMatriceGradiente2(GrigliaDati* griglia);
    void CaricaMatriceInGriglia(GrigliaDati* griglia, const PaginaMappa& pagina, double fattore);
    void AbilitaTasti();
    void AggiornaCursMappaSmall();
    void VisualizzaPuntoMatrice(int32_t riga, int32_t colonna);

    // Map page shown by this instance: 0, 1 or 2.
    int32_t MTX = 0;
    QComboBox* CMB_SelPage_0 = nullptr;
    QComboBox* CMB_SelPage_1 = nullptr;
    QPushButton* CmdDw = nullptr;
    QPushButton* CmdUp = nullptr;
    QPushButton* CmdResetMap = nullptr;
    QPushButton* CmdUndo = nullptr;
    QPushButton* CmdChgAxis = nullptr;
    QCheckBox* ChkSIM = nullptr;
    QCheckBox* ChkSpiana = nullptr;
    GrigliaDati* GrdSmall = nullptr;
};
