#include "obd/FrmCalcoloVacuum.h"

#include "core/ModBlckBlocchi.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainCollegamento.h"
#include "link/ModMappeDati.h"
#include "obd/ObdConversioni.h"
#include "platform/Charset.h"

namespace {

int32_t ValoreVacuum(size_t k) {
    if (TabellaBlocchi.size() < 2) return 0;
    const auto& v = TabellaBlocchi[1].Valori;
    return k < v.size() ? v[k] : 0;
}

std::vector<std::string> VociVacuum(const QComboBox* c) {
    std::vector<std::string> r;
    if (!c) return r;
    for (int i = 0; i < c->count(); ++i) r.push_back(c->itemText(i).toStdString());
    return r;
}

} // namespace

FrmCalcoloVacuum::FrmCalcoloVacuum(QWidget* padre, QComboBox* sogliaRpm, QComboBox* sogliaVac)
    : QDialog(padre), sogliaRpm_(sogliaRpm), sogliaVac_(sogliaVac) {
    setObjectName(QStringLiteral("FrmCalcoloVacuum"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(420, 230);
    LblMessaggio = new QLabel(this);
    LblMessaggio->setObjectName(QStringLiteral("LblMessaggio"));
    LblMessaggio->setGeometry(12, 12, 396, 90);
    LblMessaggio->setWordWrap(true);
    LblMessaggio->setAlignment(Qt::AlignCenter);
    LblMessaggio->setAutoFillBackground(true);
    LblVaccumSuggerito = new QLabel(this);
    LblVaccumSuggerito->setObjectName(QStringLiteral("LblVaccumSuggerito"));
    LblVaccumSuggerito->setGeometry(12, 110, 260, 40);
    LblVaccumSuggerito->setWordWrap(true);
    LblPercVac = new QLabel(this);
    LblPercVac->setObjectName(QStringLiteral("LblPercVac"));
    LblPercVac->setGeometry(280, 110, 128, 40);
    LblPercVac->setAlignment(Qt::AlignCenter);
    LblPercVac->setStyleSheet(QStringLiteral("font-weight: bold; border: 1px solid gray;"));
    CmdEsc = new QPushButton(this);
    CmdEsc->setObjectName(QStringLiteral("CmdEsc"));
    CmdEsc->setGeometry(160, 176, 100, 34);
    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &FrmCalcoloVacuum::Timer1_Timer);
    connect(CmdEsc, &QPushButton::clicked, this, &FrmCalcoloVacuum::CmdEsc_Click);
}

void FrmCalcoloVacuum::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    AggiornaLivelliVisualizzazione();
    if (parentWidget()) setWindowIcon(parentWidget()->windowIcon());
    setWindowTitle(ModMain::TestoLingua(ModMain::TestoVoce(0) + ModMain::VersioneProgramma));
    CmdEsc->setText(ModMain::VoceLingua(34)); // "Close"
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
    Timer1->start();
}

void FrmCalcoloVacuum::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmCalcoloVacuum::CaricaMessaggio(int32_t modo, const std::string& primo, const std::string& secondo) {
    modo_ = modo;
    LblVaccumSuggerito->setVisible(!secondo.empty());
    LblPercVac->setVisible(!secondo.empty());
    LblMessaggio->setText(ModMain::TestoLingua(primo));
    LblVaccumSuggerito->setText(ModMain::TestoLingua(secondo));
    LblMessaggio->setStyleSheet({});
    show();
    raise();
}

void FrmCalcoloVacuum::Timer1_Timer() {
    if (LblVaccumSuggerito->text().isEmpty()) return;
    rosso_ = !rosso_;
    LblMessaggio->setStyleSheet(rosso_ ? QStringLiteral("background-color: #FF0000;")
                                       : QStringLiteral("background-color: #FFFF00;"));
    std::string t;
    if (modo_ != 0) {
        const int32_t k = ObdConversioni::IndiceRpmMappaObd(ValoreVacuum(37), ValoreVacuum(32), ValoreVacuum(50),
                                                             ModMain::AsseRpmLavoro.data()) + 1;
        t = ObdConversioni::TestoSoglia(VociVacuum(sogliaRpm_), k, " Rpm");
    } else {
        const int32_t k = ObdConversioni::IndiceCaricoMappaObd(ValoreVacuum(48), ModMain::UnitaRpm) + 1;
        t = ObdConversioni::TestoSoglia(VociVacuum(sogliaVac_), k, " %");
    }
    LblPercVac->setText(QString::fromStdString(t));
}

void FrmCalcoloVacuum::CmdEsc_Click() {
    Timer1->stop();
    close();
}
