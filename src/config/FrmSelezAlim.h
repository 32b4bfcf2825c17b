#pragma once
// The fuel-type dialog: the switchover page opens it modally after a change
// of fuel type was confirmed. It lists the predefined configurations
// (<base>/lng/*.xsi); Load stages the chosen one in PercorsoCaricamento for
// request 18 and closes, Cancel and the close box leave that path empty.
#include <functional>

#include <QtWidgets/QDialog>

#include "core/ModMainSchermo.h"

class QLabel;
class QListWidget;
class QPushButton;

class FrmSelezAlim : public QDialog {
public:
    explicit FrmSelezAlim(QWidget* proprietario = nullptr);

    // Levels, icon, caption, texts, PercorsoCaricamento emptied, the list
    // filled and selected as the switchover page's system configuration.
    void Form_Load();
    void AggiornaLivelliVisualizzazione();

    void Command1_Click();
    void CmdAnnulla_Click();

    QLabel* LblQuestion = nullptr;
    QListWidget* CmbAlim = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* CmdAnnulla = nullptr;

private:
    ModMain::ListeLivelli liste_;
};

namespace ModMain {

// The modal show: the dialog is created and loaded, runs, and is gone when
// this returns; PercorsoCaricamento then holds the file to load, or is empty.
void MostraFrmSelezAlim();
// Tests run the loaded dialog here instead of its modal loop.
inline std::function<void(FrmSelezAlim&)> EseguiFrmSelezAlim;

} // namespace ModMain
