#include "shell/FRM_ZEBMenu.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QRadialGradient>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <cmath>

#include "controls/ModZebPagina.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModBlckBlocchi.h"
#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "engine/MDIFrmMem10.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "link/ModBlckTrame.h"
#include "platform/Dialoghi.h"
#include "shell/CasaControlli.h"
#include "shell/CasaConversioni.h"
#include "shell/FRM_ZEBMenuTop.h"
#include "shell/FRM_ZEBMenuTop2.h"
#include "shell/FRM_ZEBMenuTop3.h"
#include "shell/MDIFrm.h"

namespace {

constexpr int32_t ColoreFinestra = static_cast<int32_t>(0x80000005U); // system window background
constexpr int32_t ColoreModificato = 0x00FFFF;
constexpr int32_t ColoreProgetto = 0xC0C0C0;

const char* const FieldCaptions[8] = {"S/N Lotto", "Lotto", "Week", "Year", "Client", "SL", "Num_Cilinder", "ConfigHw"};

// Text and background colours. The background is filled from the Window role
// on every kind of control: a check box would otherwise fill from its Button role.
void ColoriTesto(QWidget* w, const QColor& testo, const QColor& sfondo) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, testo);
    p.setColor(QPalette::Window, sfondo);
    w->setPalette(p);
    w->setBackgroundRole(QPalette::Window);
    w->setAutoFillBackground(true);
}

// The page's own background: a dark blue field lit from the upper right, with
// faint rings behind the section buttons and a thin horizon line.
void DisegnaSfondo(QPainter& p, const QSize& s) {
    const double w = s.width(), h = s.height();
    QLinearGradient base(0, 0, 0, h);
    base.setColorAt(0, QColor(4, 8, 28));
    base.setColorAt(1, QColor(0, 0, 0));
    p.fillRect(QRectF(0, 0, w, h), base);
    QRadialGradient luce(QPointF(w * 0.72, h * 0.25), std::max(w, h) * 0.7);
    luce.setColorAt(0, QColor(20, 40, 110, 170));
    luce.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(0, 0, w, h), luce);
    p.setRenderHint(QPainter::Antialiasing);
    QPen anello(QColor(70, 90, 170, 60));
    anello.setWidthF(std::max(1.0, w / 400.0));
    p.setPen(anello);
    p.setBrush(Qt::NoBrush);
    const QPointF centro(w * 0.95, h * 0.05);
    for (int k = 1; k <= 6; ++k) p.drawEllipse(centro, w * 0.14 * k, w * 0.14 * k);
    QLinearGradient linea(0, 0, w, 0);
    linea.setColorAt(0, QColor(0, 0, 0, 0));
    linea.setColorAt(0.5, QColor(90, 120, 220, 140));
    linea.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(0, h * 0.86, w, std::max(1.0, h / 300.0)), linea);
}

std::string TestoDi(const QLineEdit* t) { return t->text().toLatin1().toStdString(); }

// Lines of a caption as a label shows them.
QString Righe(const std::string& testo) {
    QString t = ModMain::TestoLingua(testo);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace

FRM_ZEBMenu::FRM_ZEBMenu(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBMenu"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    resize(800, 467); // design client area 12000 x 7005 twips

    SHP_Contorno = new Casa::FormaGrafica(this, Casa::FormaGrafica::Tipo::Rettangolo, 3, false);
    SHP_Contorno->setObjectName(QStringLiteral("SHP_Contorno"));
    Casa::Colloca(SHP_Contorno, 60, 0, 12000, 7005);

    // Diagonal from the upper right to the lower left.
    struct Posto {
        int indice;
        double sinistra, alto;
    };
    BUT_Round.assign(8, nullptr);
    for (const Posto& q : {Posto{2, 7800, 240}, Posto{0, 7080, 1020}, Posto{1, 6420, 1800}, Posto{3, 5700, 2580},
                           Posto{5, 5220, 3360}, Posto{6, 4620, 4140}, Posto{7, 3960, 4920}}) {
        auto* b = ModZebPagina::NuovoPulsante(
            this, QStringLiteral("BUT_Round"),
            {.forma = 3,
             .senzaGradiente = true,
             .senzaFocus = true,
             .testo = QStringLiteral("***"),
             .allineamentoFigura = 4,
             .font = [](QWidget* w) { Casa::ImpostaFont(w, QStringLiteral("Tahoma"), 15.75, false); }},
            q.indice);
        Casa::Colloca(b, q.sinistra, q.alto, 3975, 675);
        b->setVisible(q.indice == 2);
        const int indice = q.indice;
        connect(b, &PulsanteGrafico::Click, this, [this, indice] { BUT_Round_Click(indice); });
        BUT_Round[static_cast<size_t>(q.indice)] = b;
    }

    Shp_Semaforo_Main = new Casa::FormaGrafica(this, Casa::FormaGrafica::Tipo::Cerchio, 3, true);
    Shp_Semaforo_Main->setObjectName(QStringLiteral("Shp_Semaforo_Main"));
    Shp_Semaforo_Main->ColoreBordo(0x80);
    Shp_Semaforo_Main->ColoreRiempimento(0xFF);
    Casa::Colloca(Shp_Semaforo_Main, 7320, 360, 435, 435);

    LblInfo = Casa::NuovaEtichetta(this, QStringLiteral("LblInfo"), {}, 0xFFFFFF, QStringLiteral("Tahoma"), 9.75, true,
                                   Qt::AlignHCenter);
    LblInfo->setWordWrap(false);
    LblAmmore = Casa::NuovaEtichetta(this, QStringLiteral("LblAmmore"), {}, 0xFFFFFF, QStringLiteral("Tahoma"), 8.25,
                                     false, Qt::AlignLeft);
    Casa::Colloca(LblAmmore, 120, 6180, 8775, 720);
    LblAmmore->setVisible(false);

    FrmLotto = new QGroupBox(this);
    FrmLotto->setObjectName(QStringLiteral("FrmLotto"));
    ColoriTesto(FrmLotto, Qt::white, Qt::black);
    Casa::ImpostaFont(FrmLotto, QStringLiteral("MS Sans Serif"), 8.25, true);
    Casa::Colloca(FrmLotto, 120, 3480, 2505, 2595);
    ModMain::ImpostaTag(FrmLotto, QStringLiteral("SUP"));
    for (int i = 0; i < 8; ++i) {
        auto* l = new QLabel(QString::fromLatin1(FieldCaptions[i]), FrmLotto);
        ModMain::ImpostaMembro(l, QStringLiteral("Label1"), i);
        ColoriTesto(l, Qt::white, Qt::black);
        l->setAlignment(Qt::AlignCenter);
        Casa::ImpostaFont(l, QStringLiteral("MS Sans Serif"), 8.25, true);
        Casa::Colloca(l, 90, 150 + 300 * i, 1215, 270);
        auto* t = new QLineEdit(FrmLotto);
        ModMain::ImpostaMembro(t, QStringLiteral("Text1"), i);
        Casa::ImpostaFont(t, QStringLiteral("MS Sans Serif"), 8.25, true);
        Casa::Colloca(t, 1380, 150 + 300 * i, 1035, 285);
        t->setProperty("Indice", i);
        t->installEventFilter(this);
        connect(t, &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
        if (i != 6) {
            ModMain::ImpostaTag(l, QStringLiteral("AUT"));
            ModMain::ImpostaTag(t, QStringLiteral("AUT"));
        }
        Label1.push_back(l);
        Text1.push_back(t);
        ColoreCampo(i, ColoreProgetto);
    }

    CHK_LoggaMEM10 = new QCheckBox(QStringLiteral("Logga MEM10"), this);
    CHK_LoggaMEM10->setObjectName(QStringLiteral("CHK_LoggaMEM10"));
    ColoriTesto(CHK_LoggaMEM10, Qt::white, Qt::black);
    Casa::ImpostaFont(CHK_LoggaMEM10, QStringLiteral("Tahoma"), 9.75, true);
    Casa::Colloca(CHK_LoggaMEM10, 180, 1200, 1935, 375);
    ModMain::ImpostaTag(CHK_LoggaMEM10, QStringLiteral("SUP"));
    connect(CHK_LoggaMEM10, &QCheckBox::clicked, this, &FRM_ZEBMenu::CHK_LoggaMEM10_Click);

    TXT_INVIO = new QLineEdit(QStringLiteral(" - - - invio - - -"), this);
    TXT_INVIO->setObjectName(QStringLiteral("TXT_INVIO"));
    Casa::ImpostaFont(TXT_INVIO, QStringLiteral("Courier New"), 8.25, true);
    Casa::Colloca(TXT_INVIO, 180, 180, 5955, 375);
    ModMain::ImpostaTag(TXT_INVIO, QStringLiteral("AUT"));
    Command2 = new QPushButton(QStringLiteral("GO"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Casa::ImpostaFont(Command2, QStringLiteral("Arial Unicode MS"), 8.25, true);
    Casa::Colloca(Command2, 6240, 180, 435, 375);
    ModMain::ImpostaTag(Command2, QStringLiteral("AUT"));
    connect(Command2, &QPushButton::clicked, this, &FRM_ZEBMenu::Command2_Click);
    TXT_RICEZIONE = new QLineEdit(QStringLiteral(" - - - ricezione - - -"), this);
    TXT_RICEZIONE->setObjectName(QStringLiteral("TXT_RICEZIONE"));
    QPalette r = TXT_RICEZIONE->palette();
    r.setColor(QPalette::Base, Casa::Colore(0xE0E0E0));
    TXT_RICEZIONE->setPalette(r);
    Casa::ImpostaFont(TXT_RICEZIONE, QStringLiteral("Courier New"), 8.25, true);
    Casa::Colloca(TXT_RICEZIONE, 180, 660, 6495, 375);
    ModMain::ImpostaTag(TXT_RICEZIONE, QStringLiteral("AUT"));
}

void FRM_ZEBMenu::Form_Load() {
    ModMain::CaricaListeLivelli(this, ListeLivelli_);
    CaricamentoInCorso = false;
    FattoreFont = 1.0f;
    LarghezzaPrecedente = Casa::LarghezzaTwips(this);
    AltezzaPrecedente = Casa::AltezzaTwips(this);
    SHP_Contorno->ColoreBordo(0x400000);
    for (int i = 0; i <= 7; ++i)
        if (i != 2 && i != 4) BUT_Round[static_cast<size_t>(i)]->setVisible(true);
    CaricaLingua();
    caricata_ = true;
}

void FRM_ZEBMenu::Form_Unload() { caricata_ = false; }

void FRM_ZEBMenu::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, ListeLivelli_); }

void FRM_ZEBMenu::CaricaLingua() {
    const ClsLingue* d = ModMain::Dizionario;
    const int16_t lingua = d ? d->IdLingua() : int16_t(-1);
    const auto h = Casa::CercaSezione(d, lingua, "[Start_ZEB_FRM_MENU]");
    const std::pair<int, int> voci[] = {{0, 1}, {1, 2}, {2, 10}, {3, 4}, {5, 6}, {6, 7}, {7, 8}};
    for (const auto& [indice, n] : voci)
        BUT_Round[static_cast<size_t>(indice)]->Caption(ModMain::TestoLingua(Casa::VoceSezione(d, h, n)));
    const auto g = Casa::CercaSezione(d, lingua, "[FrmSalvaAprifile]");
    EtichetteArchivio[0] = Casa::VoceSezione(d, g, 23);
    EtichetteArchivio[1] = Casa::VoceSezione(d, g, 13);
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FRM_ZEBMenu::VisualizzaDatiCentralina(const std::string& rispostaBlocco0, const std::string&) {
    CaricamentoInCorso = true;
    const ClsLingue* d = ModMain::Dizionario;
    const auto h = Casa::CercaSezione(d, d ? d->IdLingua() : int16_t(-1), "[ABOUT]");
    const std::vector<int32_t> valori = TabellaBlocchi.size() > 5 ? TabellaBlocchi[5].Valori : std::vector<int32_t>();
    const std::string testo =
        Casa::TestoPannello([&](int32_t n) { return Casa::VoceSezione(d, h, n); }, rispostaBlocco0, valori);
    LblInfo->setText(Righe(testo));
    CollocaInfo();
    for (size_t i = 0; i < Text1.size(); ++i)
        Text1[i]->setText(QString::fromLatin1(Conv::CStr(i < valori.size() ? valori[i] : 0)));
    LblAmmore->setVisible(!ModMain::NomeConfigurazione.empty());
    LblAmmore->setText(Righe(Casa::TestoConfigurazione(
        EtichetteArchivio[0], EtichetteArchivio[1], ModMain::NomeConfigurazione, ModMain::NotaConfigurazione)));
    CaricamentoInCorso = false;
}

void FRM_ZEBMenu::AggiornaIcone() {
    const QString risposta = QString::fromLatin1(ModMain::RispostaCustom.c_str());
    if (TXT_RICEZIONE->text() != risposta) TXT_RICEZIONE->setText(risposta);
    const int32_t v = TabellaBlocchi.at(16).Valori.at(26);
    ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_Main, Casa::StatoSemaforoCasa(v));
}

void FRM_ZEBMenu::BUT_Round_Click(int Index) {
    const Casa::BottoneCasa b = Casa::AzioneBottoneCasa(Index);
    switch (b.Azione) {
    case Casa::AzioneCasa::PrimoBottoneBarra1:
        if (auto* f = MDIFrm::IstanzaFRM_ZEBMenuTop) f->BUT_Menu_Click(0);
        break;
    case Casa::AzioneCasa::PrimoBottoneBarra2:
        if (auto* f = MDIFrm::IstanzaFRM_ZEBMenuTop2) f->BUT_Menu_Click(0);
        break;
    case Casa::AzioneCasa::PrimoBottoneBarra3:
        if (auto* f = MDIFrm::IstanzaFRM_ZEBMenuTop3) f->BUT_Menu_Click(0);
        break;
    case Casa::AzioneCasa::Scheda:
        if (MDIFrm::Finestra) MDIFrm::Finestra->SelezioneScheda(b.Scheda);
        break;
    case Casa::AzioneCasa::Uscita:
        if (MDIFrm::Finestra) {
            int16_t cancel = 0;
            MDIFrm::Finestra->MDIForm_QueryUnload(cancel, 0);
        }
        break;
    case Casa::AzioneCasa::Nessuna: break;
    }
}

void FRM_ZEBMenu::CHK_LoggaMEM10_Click() { ModMain::LogMem10Richiesto = CHK_LoggaMEM10->checkState() == Qt::Checked; }

void FRM_ZEBMenu::Command2_Click() {
    if (ModMain::RichiestaPendente != 0) {
        Piattaforma::Suona(700, 250);
        return;
    }
    // Only whole hex byte pairs go to the ECU; anything else is refused here.
    const auto trama = Casa::TramaConsole(TestoDi(TXT_INVIO));
    if (!trama) {
        Piattaforma::Suona(700, 250);
        return;
    }
    ModMain::ComandoCustom = *trama;
    ModMain::RispostaCustom.clear();
    ModMain::RichiediOperazione(REQ_SEND_CUSTOM_FRAME, true);
}

void FRM_ZEBMenu::ColoreCampo(int k, int32_t colore) {
    QLineEdit* t = Text1.at(static_cast<size_t>(k));
    QPalette p = t->palette();
    const QColor c = Casa::Colore(colore);
    if (p.color(QPalette::Base) == c) return;
    p.setColor(QPalette::Base, c);
    t->setPalette(p);
}

void FRM_ZEBMenu::Text1_GotFocus(int Index) {
    TestoIniziale = TestoDi(Text1.at(static_cast<size_t>(Index)));
    TestoValido = TestoIniziale;
}

void FRM_ZEBMenu::Text1_KeyDown(int Index) { TestoValido = TestoDi(Text1.at(static_cast<size_t>(Index))); }

void FRM_ZEBMenu::Text1_Change(int Index) {
    if (!CaricamentoInCorso) ColoreCampo(Index, ColoreModificato);
}

void FRM_ZEBMenu::Text1_KeyUp(int Index, int KeyCode) {
    if (KeyCode == 13) {
        ScriviRecord(Index);
        return;
    }
    QLineEdit* t = Text1.at(static_cast<size_t>(Index));
    const std::string testo = TestoDi(t);
    // A value is accepted only when it is a number its field can hold; a key
    // that makes it anything else is undone at its release.
    const auto& b5 = TabellaBlocchi.size() > 5 ? TabellaBlocchi[5] : BloccoParametri{};
    const auto k = static_cast<size_t>(Index);
    if (k < b5.CodiciTipo.size() && k < b5.Scale.size() && Casa::ValoreCampoRecord(testo, b5.CodiciTipo[k], b5.Scale[k]))
        TestoValido = testo;
    const QString valido = QString::fromLatin1(TestoValido.c_str());
    if (t->text() != valido) t->setText(valido);
}

void FRM_ZEBMenu::Text1_LostFocus(int Index) {
    if (TestoValido == TestoIniziale) return;
    Text1.at(static_cast<size_t>(Index))->setText(QString::fromLatin1(TestoIniziale.c_str()));
    ColoreCampo(Index, ColoreFinestra);
}

void FRM_ZEBMenu::ScriviRecord(int k) {
    if (TabellaBlocchi.size() <= 5) return;
    BloccoParametri copia = TabellaBlocchi[5];
    const auto i = static_cast<size_t>(k);
    if (i >= copia.Valori.size() || i >= copia.CodiciTipo.size() || i >= copia.Scale.size()) return;
    // A value the record cannot hold as typed is refused, not written and read back changed.
    const auto valore = Casa::ValoreRecordScrivibile(TestoDi(Text1.at(i)), copia, i);
    if (!valore) {
        Piattaforma::Suona(700, 250);
        return;
    }
    // The frame is staged only when the post can be taken, so that a write
    // waiting in the slot is sent as it was confirmed.
    if (ModMain::RichiestaPendente == 0) {
        copia.Valori[i] = *valore;
        std::string dati;
        ModBlck::CodificaBlocco(dati, copia);
        ModMain::FrameMenuCustom = ModBlck::CostruisciTrama(0x41, 0x02, CMD_WRITE_BLK5, dati);
        ModMain::RichiediOperazione(REQ_WRITE_ECU_INFO, true);
    }
    ColoreCampo(k, ColoreFinestra);
    TestoIniziale = TestoValido;
}

bool FRM_ZEBMenu::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* t = qobject_cast<QLineEdit*>(oggetto);
    if (!t || t->parentWidget() != FrmLotto) return QWidget::eventFilter(oggetto, evento);
    const int i = t->property("Indice").toInt();
    switch (evento->type()) {
    case QEvent::FocusIn: Text1_GotFocus(i); break;
    case QEvent::FocusOut: Text1_LostFocus(i); break;
    case QEvent::KeyPress: Text1_KeyDown(i); break;
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(evento);
        if (k->isAutoRepeat()) break;
        const bool invio = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        Text1_KeyUp(i, invio ? 13 : k->key());
        return true;
    }
    default: break;
    }
    return QWidget::eventFilter(oggetto, evento);
}

void FRM_ZEBMenu::CollocaInfo() {
    LblInfo->adjustSize();
    LblInfo->move(width() - LblInfo->width() - 10, height() - LblInfo->height() - 10); // 150 twips
}

void FRM_ZEBMenu::Form_Resize() {
    Casa::RidimensionaForma(this, LarghezzaPrecedente, AltezzaPrecedente, FattoreFont, true);
    CollocaInfo();
}

void FRM_ZEBMenu::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FRM_ZEBMenu::paintEvent(QPaintEvent*) {
    QPainter p(this);
    DisegnaSfondo(p, size());
}

void FRM_ZEBMenu::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }
