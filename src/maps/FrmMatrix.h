#pragma once
// The full map editor of one map page (MTX 0, 1 or 2).
// Only the members the main window calls exist so far; they do nothing yet.
#include <array>
#include <cstdint>
#include <vector>

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QWidget>

#include "controls/GrigliaDati.h"
#include "core/PaginaMappa.h"

class FrmMatrix : public QWidget {
public:
    explicit FrmMatrix(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void CambiaTipoGriglia(int32_t idScheda);
    void CaricaAssiInMatrice(GrigliaDati* griglia, const std::array<uint8_t, ColonnePaginaMappa>& asseRpm, const std::array<uint8_t, RighePaginaMappa>& asseTinj);
    void ColoraMatriceGradiente(GrigliaDati* griglia);
    void CaricaMatriceInGriglia(GrigliaDati* griglia, const PaginaMappa& pagina, double fattore);
    void AbilitaTasti();
    void AggiornaCursMappa();
    void VisualizzaPuntoMatrice(int32_t riga, int32_t colonna);

    // Map page shown by this instance: 0, 1 or 2.
    int32_t MTX = 0;
    QPushButton* CmdChgAxis = nullptr;
    QPushButton* CmdDw = nullptr;
    QPushButton* CmdUp = nullptr;
    QPushButton* CmdUndo = nullptr;
    QPushButton* CmdErrInjCanc = nullptr;
    std::vector<QComboBox*> CMB_SelPage;
    QCheckBox* ChkSIM = nullptr;
    QCheckBox* ChkRefresh = nullptr;
    GrigliaDati* GrdInj = nullptr;
    QLineEdit* TxtMsgMappa = nullptr;
};
