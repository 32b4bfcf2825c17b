#pragma once
// The archive page (page 45): saves the configuration under a structured
// name maker_model_cylinders_id.qdl in the archive folder or through a save
// dialog, opens an archived or any file (written into the ECU, or loaded into
// memory offline), deletes archived files, restores a factory configuration,
// and hides the export of the parameter blocks (Ctrl+Shift+Alt+X). It never
// talks to the ECU: it stages the path, name and note and posts request 8 or
// 18; offline it also writes a save itself from memory.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QtWidgets/QWidget>

#include "config/ArchivioRegole.h"
#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class PulsanteGrafico;

class FRM_ZEBLoadSave : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBLoadSave(QWidget* contenitore = nullptr);
    ~FRM_ZEBLoadSave() override;

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    // Restore mode: the factory list, selected as the switchover page's system configuration.
    void VisualizzaReset();

    // Event handlers. The mode buttons' Value has already flipped (check buttons).
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    void CmdSave_Click();
    void CmdApriTutto_Click();
    void CmdRipristinaTutto_Click();
    void CmdOk_Click();
    void CmdCerca_Click();
    void CmdCancelFile_Click();
    void LstFile_Click();
    void CmbCostruttori_Change();
    void CmbCostr2_Change();
    void CmbAlim_Click();
    void CmdReset_Click();
    void CmdExport_Click();

    // 0 before the first use, 1 save, 2 open; kept when the mode ends.
    uint8_t ModalitaArchivio = 0;
    // 1 while a click on the archive list fills the fields (the maker filter rests).
    uint8_t SelezioneInCorso = 0;
    std::vector<std::string> ElencoCostruttori;
    float FattoreScala = 1.0f;

    PulsanteGrafico* CmdSave = nullptr;
    PulsanteGrafico* CmdApriTutto = nullptr;
    PulsanteGrafico* CmdRipristinaTutto = nullptr;
    ModZebPagina::FormaPagina* SHP_Contorno = nullptr;
    std::array<ModZebPagina::FormaPagina*, 4> SHP{}; // 1 and 3 exist

    QLabel* LFrmConfigVeicolo = nullptr;
    QFrame* FrmConfigVeicolo = nullptr;
    QLabel* LblCostruttore = nullptr;
    QComboBox* CmbCostruttori = nullptr;
    QLineEdit* TxtCostrut = nullptr;
    QLabel* LblModello = nullptr;
    QLineEdit* TxtModello = nullptr;
    QLabel* LblCil = nullptr;
    QLineEdit* TxtCil = nullptr;
    QLabel* LblId = nullptr;
    QLineEdit* TxtId = nullptr;
    QLabel* LblNote = nullptr;
    QPlainTextEdit* TXTNote = nullptr;
    std::array<QLabel*, 3> LblStar{};
    PulsanteGrafico* CmdOk = nullptr;

    QLabel* lFrmArchivio = nullptr;
    QFrame* FrmArchivio = nullptr;
    QLabel* LblCostruttore2 = nullptr;
    QComboBox* CmbCostr2 = nullptr;
    QListWidget* LstFile = nullptr;
    PulsanteGrafico* CmdCerca = nullptr;
    PulsanteGrafico* CmdCancelFile = nullptr;

    QFrame* FrmReset = nullptr;
    QLabel* LblQuestion = nullptr;
    QListWidget* CmbAlim = nullptr;
    QPlainTextEdit* TuTNote2 = nullptr;
    PulsanteGrafico* CmdReset = nullptr;

    QPushButton* CmdExport = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void CostruisciControlli();
    void ImpostaModalita(int32_t n);
    void PreparaModalita();
    void FiltraArchivio(const QString& testo);
    void RiempiArchivio(const std::string& prefisso);
    void ColoraCaselle();
    void MostraCampi(const std::array<std::string, 4>& campi);
    // The selected entry of a list box, or nothing.
    static std::optional<QString> Selezionata(const QListWidget* lista);
    void ImpostaTitoloPrincipale();
    void SalvaPerNome();
    void ApriSelezionato();

    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
    std::optional<int16_t> posizioneMisc_, posizioneSalva_;
    bool caricata_ = false;
};
