#pragma once
// The OBD page (page 7): the OBD link selectors with Run and Stop, the live
// OBD values and the correction indicator, and the adaptive-correction
// settings. Clicks only mark a control pending (Tag "1"); the display tick's
// AggiornaVisualizzazione (link controls) and AggiornaVisualizzazioni
// (settings) stage the writes and post one request once the slot is free.
#include <cstdint>
#include <string>
#include <vector>

#include <QtCore/QPointer>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"
#include "link/ModBlckModifiche.h"

class PulsanteGrafico;
class FrmCalcoloVacuum;

class FrmObd : public QWidget, public FormaConTasti {
public:
    explicit FrmObd(QWidget* contenitore = nullptr);

    void Form_Load();
    // The unload also withdraws the load-step hook it registered.
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void AzzeraRiferimenti();
    void AggiornaVisualizzazioni();
    void AggiornaSelezioniObd();
    void AggiornaVisualizzazioneNew();
    void AggiornaVisualizzazione();
    void AggiornaParametriObd();
    void Form_Resize();
    void Form_Activate();

    // Click handlers: they mark the control pending.
    void CmdRunObd_Click();
    void CmdStopObd_Click();
    void CmbAbilObd_Click();
    void CmbGestObd_Click();
    void CmbTipoObd_Click();
    void ChkBankB2_Click();
    void CMDAdvanced_Click();
    void CmdMappetta_Click();
    // The settings controls share one handler: pending unless the page is loading.
    void Impostazione_Click(QWidget* controllo);

    // Link control.
    QLabel* LblAbilObd = nullptr;
    QComboBox* CmbAbilObd = nullptr;
    QLabel* LblGestObd = nullptr;
    QComboBox* CmbGestObd = nullptr;
    QLabel* LblTipoObd = nullptr;
    QComboBox* CmbTipoObd = nullptr;
    QCheckBox* ChkBankB2 = nullptr;
    PulsanteGrafico* CmdRunObd = nullptr;
    PulsanteGrafico* CmdStopObd = nullptr;
    PulsanteGrafico* CMDAdvanced = nullptr;
    PulsanteGrafico* CmdMappetta = nullptr;
    QLineEdit* LAB_ADVPAR = nullptr;
    QLabel* LblNumEcuObdDIDA = nullptr;
    QLabel* LblNumEcuObd = nullptr;

    // Panels.
    QFrame* FRM_LINK = nullptr;
    QFrame* FRM1 = nullptr;
    QFrame* FRM2 = nullptr;
    QFrame* FRM_OBDADV_1 = nullptr;
    QFrame* FRM_OBDADV_2 = nullptr;
    std::vector<QFrame*> SHP; // outlines 0-10 (some unused)
    QFrame* SHP_Contorno = nullptr;

    // Live data.
    QLabel* lblStatusB = nullptr;
    QLabel* LblStatusB1 = nullptr;
    QLabel* LblStatusB2 = nullptr;
    QLabel* LblPidVal03_B1 = nullptr;
    QLabel* LblPidVal03_B2 = nullptr;
    QLabel* LblShortTerm = nullptr;
    QLabel* LblLongTerm = nullptr;
    QLabel* LblPidVal06 = nullptr;
    QLabel* LblPidVal07 = nullptr;
    QLabel* LblPidVal08 = nullptr;
    QLabel* LblPidVal09 = nullptr;
    QLabel* lblTitoloMEdia = nullptr;
    QLabel* LblMediaObd = nullptr;
    std::vector<QLabel*> LblObdValMedio; // items 0, 2, 4 used
    std::vector<QFrame*> ShpBack;        // 0 the correction window, 1 the inner band
    QFrame* ShpPuntoMediaObd = nullptr;
    QLabel* LBLPIC_OBD = nullptr;
    QLabel* PIC_OBD = nullptr;
    QLabel* PIC_OBD_REP = nullptr;

    // Settings.
    QCheckBox* ChkAdatStat = nullptr;
    QLabel* LblPeriodAcq = nullptr;
    QComboBox* CmbPeriodAcq = nullptr;
    QLabel* LblSogliaVac = nullptr;
    QComboBox* CmbSogliaVac = nullptr;
    QLabel* LblTarget = nullptr;
    QComboBox* CmbTarget = nullptr;
    QLabel* LblMaxValCorr = nullptr;
    QComboBox* CmbMaxValCorr = nullptr;
    QLabel* LAB_div_mappaOBD = nullptr;
    QComboBox* CMB_div_mappaOBD = nullptr;
    QLabel* LblMinDiff = nullptr;
    QComboBox* CmbMiDiff = nullptr;
    QLabel* LblClosedLoopDelay = nullptr;
    QComboBox* CmbClosedLoopDelay = nullptr;
    QLabel* lblPIDPressRail = nullptr;
    QComboBox* cmbPIDPressRail = nullptr;
    QLabel* LblOreAdat = nullptr;
    QComboBox* CmbOreAdat = nullptr;
    QLabel* LblSOH_RPM_ADAT = nullptr;
    QComboBox* CmbSOH_RPM_ADAT = nullptr;
    QLabel* LblTempAdat = nullptr;
    QComboBox* CmbTempAdat = nullptr;
    PulsanteGrafico* CmdInfoMinDiff = nullptr;
    PulsanteGrafico* CmdInfoTarget = nullptr;
    PulsanteGrafico* CmdInfoSogliaRpm = nullptr;
    PulsanteGrafico* CmdInfoSogliaVac = nullptr;

    // The threshold help dialog (open while it is shown).
    void CmdInfoSogliaRpm_Click();
    void CmdInfoSogliaVac_Click();
    void CmdInfoMinDiff_Click();
    void CmdInfoTarget_Click();
    FrmCalcoloVacuum* CalcoloVacuum() const;

    // Trouble codes and MIL options.
    QCheckBox* CHK_SpegniSpiaPermanente = nullptr;
    QCheckBox* CHK_AbilitaCancellazioneSelettiva = nullptr;
    QCheckBox* CHK_SpegniSpiaKeyOff = nullptr;
    QCheckBox* CHK_SpegniSpiaKeyOn = nullptr;
    QCheckBox* chkbloccaOBD = nullptr;
    QLabel* LAB_CodiceErrore = nullptr;
    QLineEdit* TXT_Errore = nullptr;
    QPushButton* CHK_AggiungiErrore = nullptr;
    QPushButton* CHK_TogliErrore = nullptr;
    QListWidget* LST_Selettivo = nullptr;
    PulsanteGrafico* CHK_SpegniSpiaOneShot = nullptr;
    PulsanteGrafico* CMD_StatusOBDInfo = nullptr;
    QFrame* SHP_StatusOBDKeyOn = nullptr;

    void CHK_AggiungiErrore_Click();
    void CHK_TogliErrore_Click();
    void CHK_SpegniSpiaOneShot_Click();
    void CMD_StatusOBDInfo_Click();
    // The text and colour the indicator shows now (its Tag and BackColor).
    std::string TagStatusOBDInfo() const { return tagStatoInfo_; }
    int32_t ColoreStatusOBDInfo() const { return coloreStatoInfo_; }

    // Page state.
    int16_t CaricamentoPagina = 0;  // -1 while the page sets its own controls
    int16_t RicaricaPagina = 0;     // -1: reload the page once the slot is free
    std::vector<int32_t> ValoriDivisoreMappa;
    double ProssimaLetturaTabelle = 0; // microseconds; 0 = at once
    double ProssimaLetturaInfo = 0;

protected:
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void ApplicaAbilitazioneObd();
    void DisegnaBarraCorrezioneObd();
    void PosizionaMediaObd();
    void RidisegnaImmagineObd();
    void AggiornaImpostazioni();
    void AggiornaPulsantiInfo();
    bool Pendente(const QWidget* c) const;
    void Segna(QWidget* c, bool pendente);
    void ScriviOpzione(size_t byte, int32_t valore);
    void ImpostaIndice(QComboBox* c, int32_t indice);
    static std::vector<double> ValoriVoci(const QComboBox* c);
    void PubblicaRichiesta(int32_t codice, bool attesa);
    // Trouble codes and MIL options (FrmObdCodici.cpp).
    void CreaGruppoCodici();
    void CaricaLinguaCodici(int16_t marcatore, int16_t marcatoreTuning);
    void AggiornaOpzioniSpia();
    void AggiornaStatoObdInfo();
    // Handles the first pending control of the group; false when none is.
    bool GestisciCodici();
    void MessaggioObd(const std::string& testo, bool titoloPrimaLingua = false);

    ModMain::ListeLivelli liste_;
    int16_t posMapObd_ = 0;   // "[Frm_MapObd]" + 1
    int16_t posTuning_ = 0;   // "[Frm_Tuning]" + 1
    std::string primaOreAdat_; // first item of CmbOreAdat
    std::string copiaDatiGrezzi1B_;
    bool copiaValida_ = false;
    // Values last shown by the settings controls (sentinels outside every value).
    struct Ricordati {
        int32_t AdatStat, PeriodAcq, SogliaVac, SohRpm, Target, MaxValCorr, MiDiff, DivMappa, OreAdat, TempAdat,
            PidRail, ClosedLoop;
    } ricordati_{};
    bool layoutInCorso_ = false;
    // What each selector's click staged, kept by the page until its turn in
    // the dispatch: the shared lists may be restaged by anything in between.
    ListaModifiche sceltaGestObd_, sceltaBankB2_, sceltaTipoObd_;
    QPointer<FrmCalcoloVacuum> calcoloVacuum_;
    FrmCalcoloVacuum* ApriCalcoloVacuum();
    void MessaggioAcquisite(bool target);
    std::string testiCodici_[6];   // add: invalid, present, full; remove: none, invalid, absent
    std::string testiIndicatore_[5];
    std::string testoBlocco_, testoKeyOff_; // refusals of the OBD lock and of key-off
    std::string tagStatoInfo_;
    std::string didascaliaStatoInfo_;
    int32_t coloreStatoInfo_ = -1;
    bool caricata_ = false;
};
