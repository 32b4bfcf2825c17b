#include "settings/FrmInjSetPopUp.h"

#include <cmath>

#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QPalette>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollBar>

#include "controls/MDIFrmGriglie.h"
#include "controls/ModZebPagina.h"
#include "controls/PulsanteGrafico.h"
#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckModifiche.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "platform/Caratteri.h"

using namespace ModZebPagina;

namespace {

constexpr int32_t IniettoriNavy = 0x800000;
constexpr int32_t IniettoriArgento = 0xC0C0C0;
constexpr int32_t IniettoriCollegato = 0xC0C000;
// The popup's own background and border, so that it stands apart from the
// black page behind it.
constexpr int32_t IniettoriSfondo = 0x281818;
constexpr int32_t IniettoriBordo = 0xC0A0A0;

int IniettoriPixel(double twips) { return static_cast<int>(std::lround(twips / 15.0)); }

// Twips rectangle; tops below the caption bar.
void IniettoriPosto(QWidget* w, double sinistra, double alto, double larghezza, double altezza) {
    if (!w) return;
    w->setGeometry(IniettoriPixel(sinistra), IniettoriPixel(alto + FrmInjSetPopUp::Barra), IniettoriPixel(larghezza),
                   IniettoriPixel(altezza));
}
double IniettoriAlto(const QWidget* w) { return w->y() * 15.0 - FrmInjSetPopUp::Barra; }

std::optional<int32_t> IniettoriValore(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size() || k >= TabellaBlocchi[blocco].Valori.size()) return std::nullopt;
    return TabellaBlocchi[blocco].Valori[k];
}


QLabel* IniettoriCella(QWidget* padre, int32_t sfondo, int32_t testo) {
    auto* l = new QLabel(padre);
    l->setAlignment(Qt::AlignCenter);
    ColoriPieni(l, testo, sfondo);
    return l;
}

} // namespace

FrmInjSetPopUp::FrmInjSetPopUp(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmInjSetPopUp"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Colore(IniettoriSfondo));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);

    LblTitolo = NuovaEtichetta(this, QStringLiteral("LblTitolo"), 0xFFFFFF, 8.25, true);
    ColoriPieni(LblTitolo, 0xFFFFFF, IniettoriNavy);
    LblTitolo->setWordWrap(false);
    LblTitolo->setIndent(4);
    CmdChiudi = new PulsanteGrafico(this);
    CmdChiudi->setObjectName(QStringLiteral("CmdChiudi"));
    CmdChiudi->Caption(QStringLiteral("X"));
    CmdChiudi->BackColor(0xC0A0A0);
    ImpostaFont(CmdChiudi, 8.25, true);
    connect(CmdChiudi, &PulsanteGrafico::Click, this, [this] {
        int cancella = 0;
        Form_QueryUnload(cancella, 0);
    });

    ImgFlag = new FormaPagina(this, QStringLiteral("ImgFlag"), 0, true);
    ImgFlag->ColoreRiempimento(0x808000);
    ImgFlag->hide();

    struct Intestazione {
        QLabel** etichetta;
        const char* nome;
    } intestazioni[] = {{&LblInjNum, "LblInjNum"}, {&LblTimeB, "LblTimeB"}, {&LblTimeG, "LblTimeG"},
                        {&LblEnricht, "LblEnricht"}, {&LblInjSet, "LblInjSet"}};
    for (const auto& h : intestazioni) {
        *h.etichetta = IniettoriCella(this, IniettoriNavy, 0xFFFFFF);
        (*h.etichetta)->setObjectName(QString::fromLatin1(h.nome));
        (*h.etichetta)->setWordWrap(true);
    }
    // Every row exists from the start: the form's load numbers and fills them.
    for (int i = 0; i < 8; ++i) {
        const auto k = static_cast<size_t>(i);
        LblInj[k] = IniettoriCella(this, IniettoriArgento, 0);
        ModMain::ImpostaMembro(LblInj[k], QStringLiteral("LblInj"), i);
        LblTimeBenz[k] = IniettoriCella(this, IniettoriArgento, 0);
        ModMain::ImpostaMembro(LblTimeBenz[k], QStringLiteral("LblTimeBenz"), i);
        LblTimeGas[k] = IniettoriCella(this, IniettoriArgento, 0);
        ModMain::ImpostaMembro(LblTimeGas[k], QStringLiteral("LblTimeGas"), i);
        LblTimeCor[k] = IniettoriCella(this, IniettoriArgento, 0);
        ModMain::ImpostaMembro(LblTimeCor[k], QStringLiteral("LblTimeCor"), i);
        HScrTime[k] = new QScrollBar(Qt::Horizontal, this);
        ModMain::ImpostaMembro(HScrTime[k], QStringLiteral("HScrTime"), i);
        HScrTime[k]->setRange(-30, 30);
        HScrTime[k]->setPageStep(5);
        HScrTime[k]->setTracking(false); // one change when the thumb is let go
        ChkBank[k] = new QCheckBox(this);
        ModMain::ImpostaMembro(ChkBank[k], QStringLiteral("ChkBank"), i);
        CmdDefaultTime[k] = new PulsanteGrafico(this);
        ModMain::ImpostaMembro(CmdDefaultTime[k], QStringLiteral("CmdDefaultTime"), i);
        CmdDefaultTime[k]->Caption(QStringLiteral("0"));
        CmdDefaultTime[k]->BackColor(0xC0A0A0);
        CmbSelecT[k] = new QComboBox(this);
        ModMain::ImpostaMembro(CmbSelecT[k], QStringLiteral("CmbSelecT"), i);
        LblStatoInj[k] = IniettoriCella(this, 0x00FF00, 0);
        ModMain::ImpostaMembro(LblStatoInj[k], QStringLiteral("LblStatoInj"), i);
        LblStatoInj[k]->hide();
        connect(HScrTime[k], &QScrollBar::valueChanged, this, [this, i](int) { HScrTime_Change(i); });
        connect(ChkBank[k], &QCheckBox::clicked, this, [this, i](bool) { ChkBank_Click(i); });
        connect(CmdDefaultTime[k], &PulsanteGrafico::Click, this, [this, i] { CmdDefaultTime_Click(i); });
        connect(CmbSelecT[k], &QComboBox::activated, this, [this, i](int) { CmbSelecT_Click(i); });
    }

    FrmPilotaggioInj = new QGroupBox(this);
    FrmPilotaggioInj->setObjectName(QStringLiteral("FrmPilotaggioInj"));
    ColoriPieni(FrmPilotaggioInj, 0xFFFFFF, 0x404040);
    struct Servizio {
        QLabel** etichetta;
        QLineEdit** testo;
        const char* nome;
        const char* nomeTesto;
    } servizi[] = {{&LblMinTimePPG, &TxtMinTimePPG, "MinTimePPG", "TxtMinTimePPG"},
                   {&LblPwmOff, &TxtPwmOff, "PwmOff", "TxtPwmOff"},
                   {&LblPwmOn, &TxtPwmOn, "PwmOn", "TxtPwmOn"}};
    int r = 0;
    for (const auto& s : servizi) {
        *s.etichetta = new QLabel(QString::fromLatin1(s.nome), FrmPilotaggioInj);
        (*s.etichetta)->setObjectName(QStringLiteral("Lbl") + QString::fromLatin1(s.nome));
        *s.testo = new QLineEdit(FrmPilotaggioInj);
        (*s.testo)->setObjectName(QString::fromLatin1(s.nomeTesto));
        (*s.testo)->setReadOnly(true); // nothing reads them back
        (*s.etichetta)->setGeometry(10, 12 + r * 30, 100, 24);
        (*s.testo)->setGeometry(115, 12 + r * 30, 90, 24);
        ++r;
    }
    FrmPilotaggioInj->resize(220, 110);
    FrmPilotaggioInj->hide();
    resize(Larghezza / 15, (6000 + Barra) / 15);
}

void FrmInjSetPopUp::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    Form_Activate();
}

void FrmInjSetPopUp::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FrmInjSetPopUp::Form_KeyUp(int16_t KeyCode, int16_t Shift) {
    if (Shift == 7) {
        if (KeyCode == 'X' && ModMain::TastoXPremuto == 0) {
            ModMain::TastoXPremuto = 1;
            MostraParametriInj(true);
        } else {
            ModMain::TastoXPremuto = 0;
            MostraParametriInj(false);
        }
    }
    ModMain::GestisciTasto(KeyCode, Shift);
}

void FrmInjSetPopUp::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    CaricaLingua();
    LblTitolo->setText(ModMain::TestoLingua(ModMain::TestoVoce(0) + ModMain::VersioneProgramma));
    for (int i = 0; i < 8; ++i) {
        const auto k = static_cast<size_t>(i);
        LblInj[k]->setText(QString::number(i + 1));
        CmbSelecT[k]->setEnabled(true);
        SelezioneMostrata[k] = -1;
        OffsetMostrato[k].reset();
    }
    const int32_t colori[4] = {0xFF0000, 0x0000FF, 0x00FF00, 0x00FFFF};
    for (size_t i = 0; i < 8; ++i) ColoriPieni(LblInj[i], i < 4 ? 0 : 0xFFFFFF, i < 4 ? colori[i] : IniettoriSfondo);
    for (QComboBox* c : CmbSelecT) {
        c->clear();
        c->addItem(ModMain::TestoLingua(VoceSelezione0));
        c->addItem(ModMain::TestoLingua(VoceSelezione1));
        c->setCurrentIndex(-1);
    }
    ProssimaLetturaBlocco3 = 0;
    caricata_ = true;
    Form_Resize();
}

void FrmInjSetPopUp::Form_Unload() { caricata_ = false; }

void FrmInjSetPopUp::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
    QPainter p(this);
    p.setPen(QPen(Colore(IniettoriBordo), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void FrmInjSetPopUp::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmInjSetPopUp::CaricaLingua() {
    const auto m = CercaMarcatore("[Frm_InjSet]");
    LblInjNum->setText(VoceSchermo(m, 1));
    LblTimeG->setText(VoceSchermo(m, 2));
    LblTimeB->setText(VoceSchermo(m, 3));
    LblEnricht->setText(VoceSchermo(m, 4));
    LblInjSet->setText(VoceSchermo(m, 5));
    VoceSelezione0 = Voce(m, 6);
    VoceSelezione1 = Voce(m, 7);
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmInjSetPopUp::Form_Resize() {
    if (InAggiornamento) return;
    GuardiaCaricamento guardia(InAggiornamento);
    // The design width at the smallest grid font, wider with a larger one.
    const int punti = MDIFrm::DimensioneCarattereGriglie;
    const double W = Larghezza * std::max(punti, 9) / 9.0;
    double H = 6000;
    const double g = Conv::ArrotondaPari(W * 8 / 1000);
    const double larghezze[5] = {50, 100, 100, 470, 180};
    QLabel* intestazioni[5] = {LblInjNum, LblTimeB, LblTimeG, LblEnricht, LblInjSet};
    const double altezza = H * 100 / 1000, alto = H * 30 / 1000;
    double sinistra = g + 450;
    double sx[5], lx[5];
    for (int c = 0; c < 5; ++c) {
        sx[c] = sinistra;
        lx[c] = W * larghezze[c] / 1000;
        IniettoriPosto(intestazioni[c], sx[c], alto, lx[c], altezza);
        sinistra += lx[c] + g;
    }
    const double E = lx[3];
    const double g2 = Conv::ArrotondaPari(E * 10 / 1000);
    const double lCor = E * 190 / 1000, lBar = E * 600 / 1000, lChk = E * 60 / 1000, lDef = E * 120 / 1000;
    const double xCor = sx[3], xBar = xCor + lCor + g2, xChk = xBar + lBar + g2, xDef = xChk + lChk + g2;
    double riga = alto + altezza + 75;
    for (size_t i = 0; i < 8; ++i) {
        IniettoriPosto(LblInj[i], sx[0], riga, lx[0], altezza);
        IniettoriPosto(LblTimeBenz[i], sx[1], riga, lx[1], altezza);
        IniettoriPosto(LblTimeGas[i], sx[2], riga, lx[2], altezza);
        IniettoriPosto(LblTimeCor[i], xCor, riga, lCor, altezza);
        IniettoriPosto(HScrTime[i], xBar, riga, lBar, altezza);
        IniettoriPosto(ChkBank[i], xChk + lChk / 4, riga, lChk * 3 / 4, altezza);
        IniettoriPosto(CmdDefaultTime[i], xDef, riga, lDef, altezza);
        IniettoriPosto(CmbSelecT[i], sx[4], riga + (altezza - 330) / 2, lx[4], 330);
        // The state labels stand in the left margin, beside their rows.
        IniettoriPosto(LblStatoInj[i], 60, riga + 150, 300, 300);
        riga += altezza + 75;
    }
    FrmPilotaggioInj->move(IniettoriPixel(225), IniettoriPixel(225 + Barra));
    PosizionaIndicatoreBanco();
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w == LblTitolo || w == CmdChiudi || w->parent() == FrmPilotaggioInj || w == FrmPilotaggioInj) continue;
        QFont f = w->font();
        f.setPointSize(punti);
        if (auto* b = qobject_cast<PulsanteGrafico*>(w)) b->Font(f);
        w->setFont(f);
    }
    // Height: the bottom of the last row shown, plus 750.
    int ultima = -1;
    for (int i = 0; i < 8 && !LblInj[static_cast<size_t>(i)]->isHidden(); ++i) ultima = i;
    if (ultima >= 0) {
        const QLabel* l = LblInj[static_cast<size_t>(ultima)];
        H = IniettoriAlto(l) + l->height() * 15.0 + 300 + 450;
    }
    // Width: without the mode column (below display level 2) the form ends
    // after the offset block, with the same right margin.
    double larghezza = W;
    if (LblInjSet->isHidden()) larghezza = sx[3] + lx[3] + (W - sx[4] - lx[4]);
    resize(IniettoriPixel(larghezza), IniettoriPixel(H + Barra));
    LblTitolo->setGeometry(0, 0, width() - 22, IniettoriPixel(Barra));
    CmdChiudi->setGeometry(width() - 21, 1, 20, IniettoriPixel(Barra) - 2);
}

void FrmInjSetPopUp::PosizionaIndicatoreBanco() {
    const int32_t n = IniettoriValore(3, 1).value_or(0);
    int primo = -1, ultimo = -1;
    if (n == 6) primo = 3, ultimo = 5;
    else if (n == 7) primo = 4, ultimo = 6;
    else if (n == 8) primo = 4, ultimo = 7;
    if (primo < 0) {
        ImgFlag->hide();
    } else {
        const double alto = IniettoriAlto(LblInj[static_cast<size_t>(primo)]) - 60;
        const double fondo = IniettoriAlto(LblInj[static_cast<size_t>(ultimo)]) + LblInj[static_cast<size_t>(ultimo)]->height() * 15.0;
        IniettoriPosto(ImgFlag, 45, alto, LblInj[0]->x() * 15.0 - 90, fondo - alto);
        ImgFlag->show();
    }
    ImgFlag->lower();
}

// ---- Rows

void FrmInjSetPopUp::AggiornaSelezioni(bool Tutte) {
    {
        GuardiaCaricamento guardia(InAggiornamento);
        for (size_t i = 0; i < 8; ++i) {
            if (const auto v = IniettoriValore(3, 24 - i); v && (!OffsetMostrato[i] || *OffsetMostrato[i] != *v)) {
                OffsetMostrato[i] = *v;
                // A value the bar cannot hold leaves it where it is (the number still shows it).
                if (*v >= HScrTime[i]->minimum() && *v <= HScrTime[i]->maximum()) HScrTime[i]->setValue(*v);
            }
            if (const auto s = IniettoriValore(3, 16 - i)) {
                if (*s == 0 && SelezioneMostrata[i] != 2) {
                    SelezioneMostrata[i] = 2;
                    CmbSelecT[i]->setCurrentIndex(1);
                } else if (*s != 0 && *s != 4 && SelezioneMostrata[i] != 0) {
                    SelezioneMostrata[i] = 0;
                    CmbSelecT[i]->setCurrentIndex(0);
                }
            }
        }
        if (Tutte) {
            TxtMinTimePPG->setText(QString::number(IniettoriValore(3, 6).value_or(0)));
            TxtPwmOff->setText(QString::number(IniettoriValore(3, 7).value_or(0)));
            TxtPwmOn->setText(QString::number(IniettoriValore(3, 8).value_or(0)));
        }
        ModBlck::ApplicaMascheraCilindri();
        for (size_t k = 0; k < 8; ++k) ChkBank[k]->setChecked((ModMain::MatSoglie[14] >> k) & 1);
        const bool sup = ModMain::LivelloSup != 0;
        LblInjSet->setVisible(sup);
        const int32_t n = IniettoriValore(3, 1).value_or(0);
        for (size_t i = 0; i < 8; ++i) {
            const bool mostra = static_cast<int32_t>(i) < n;
            CmbSelecT[i]->setVisible(mostra && sup);
            for (QWidget* w : {static_cast<QWidget*>(CmdDefaultTime[i]), static_cast<QWidget*>(HScrTime[i]),
                               static_cast<QWidget*>(ChkBank[i]), static_cast<QWidget*>(LblInj[i]),
                               static_cast<QWidget*>(LblTimeBenz[i]), static_cast<QWidget*>(LblTimeGas[i]),
                               static_cast<QWidget*>(LblTimeCor[i])})
                w->setVisible(mostra);
            if (ChkBank[i]->isChecked()) ColoriPieni(LblTimeCor[i], 0xFFFFFF, IniettoriCollegato);
            else ColoriPieni(LblTimeCor[i], Pulsante::ColoreTestoSistema, Pulsante::ColoreFacciaSistema);
        }
        PosizionaIndicatoreBanco();
    }
    // The height follows the rows now shown.
    Form_Resize();
}

void FrmInjSetPopUp::ModificaOffset(int Index, int32_t valore) {
    const auto k = static_cast<size_t>(Index);
    ModificaSingola(ModBlck::ModificheBlocco3, valore, 24 - Index, 0);
    if (ModMain::MatSoglie[14] != 0 && ChkBank[k]->isChecked()) {
        const int32_t n = std::min(IniettoriValore(3, 1).value_or(0), 8);
        for (int r = 0; r < n; ++r)
            if (r != Index && ChkBank[static_cast<size_t>(r)]->isChecked())
                ModBlck::ModificheBlocco3.push_back({valore, 24 - r, 0});
    }
}

void FrmInjSetPopUp::HScrTime_Change(int Index) {
    if (InAggiornamento || Index < 0 || Index > 7) return;
    const auto k = static_cast<size_t>(Index);
    if (!SlotLibero()) {
        // Dropped: the next load puts the stored offset back on the bar.
        OffsetMostrato[k].reset();
        return;
    }
    HScrTime[k]->setEnabled(false);
    ModificaOffset(Index, HScrTime[k]->value());
    HScrTime[k]->setEnabled(true);
    Posta(REQ_WRITE_BLK3);
}

void FrmInjSetPopUp::CmdDefaultTime_Click(int Index) {
    if (InAggiornamento || !SlotLibero() || Index < 0 || Index > 7) return;
    ModificaOffset(Index, 0);
    Posta(REQ_WRITE_BLK3);
}

void FrmInjSetPopUp::ChkBank_Click(int Index) {
    if (InAggiornamento || !SlotLibero() || Index < 0 || Index > 7) return;
    uint8_t& banchi = ModMain::MatSoglie[14];
    banchi = static_cast<uint8_t>(banchi & ~(1u << Index));
    if (ChkBank[static_cast<size_t>(Index)]->isChecked()) banchi = static_cast<uint8_t>(banchi | (1u << Index));
    Posta(REQ_WRITE_BANK_OPTIONS);
}

void FrmInjSetPopUp::CmbSelecT_Click(int Index) {
    if (InAggiornamento || Index < 0 || Index > 7) return;
    GuardiaCaricamento guardia(InAggiornamento);
    const auto k = static_cast<size_t>(Index);
    QComboBox* c = CmbSelecT[k];
    // While a request waits or runs (the injector change among them, which
    // reads the record at several steps) the choice is ignored.
    if (!SlotLibero()) {
        c->setCurrentIndex(SelezioneMostrata[k] == 2 ? 1 : SelezioneMostrata[k] == 0 ? 0 : -1);
        return;
    }
    auto& cambio = ModBlck::CambioConfigIniettori;
    if (c->currentIndex() == 0) {
        cambio = {1, static_cast<uint8_t>(Index), 3};
    } else if (c->currentIndex() == 1 && IniettoriValore(3, 16 - k).value_or(0) != 0) {
        cambio = {1, static_cast<uint8_t>(Index), 0};
    }
    if (cambio.Tipo != 0) Posta(REQ_SET_INJECTORS);
    CmdDefaultTime[k]->setFocus();
}

void FrmInjSetPopUp::RichiediAggiornamentoBlocco3() {
    if (!SlotLibero() || ModMain::StatoConnessione == STATO_OFFLINE) return;
    if (ModGlobFunct::LeggiMicrosecondi() > ProssimaLetturaBlocco3) {
        ModMain::RichiediOperazione(REQ_READ_BLK3, false);
        ProssimaLetturaBlocco3 = ModGlobFunct::LeggiMicrosecondi() + 2'000'000;
    }
}

// ---- Live columns and service view

void FrmInjSetPopUp::AggiornaTempiInj() {
    for (size_t i = 0; i < 8; ++i) {
        const int32_t stato = IniettoriValore(3, 16 - i).value_or(0);
        LblStatoInj[i]->setText(QString::number(stato));
        if (stato != 0) {
            int32_t d1 = 2, d2 = 2;
            LblTimeGas[i]->setText(QString::fromStdString(ModGlobFunct::FormattaNumeroZeri(IniettoriValore(1, 7 - i).value_or(0), d1)));
            LblTimeBenz[i]->setText(QString::fromStdString(ModGlobFunct::FormattaNumeroZeri(IniettoriValore(1, 15 - i).value_or(0), d2)));
        } else {
            LblTimeGas[i]->setText(QStringLiteral("0"));
            LblTimeBenz[i]->setText(QStringLiteral("0"));
        }
        LblTimeCor[i]->setText(QString::number(IniettoriValore(3, 24 - i).value_or(0)));
    }
}

void FrmInjSetPopUp::MostraParametriInj(bool Visibili) {
    FrmPilotaggioInj->setVisible(Visibili);
    if (Visibili) FrmPilotaggioInj->raise();
    for (QLabel* l : LblStatoInj) l->setVisible(Visibili);
}

// ---- Activation and closing

void FrmInjSetPopUp::Form_Activate() {
    raise();
    attivo_ = true;
    MDIFrm::Interfaccia().AbilitaDisabilitaForm(false);
    AnteprimaTasti::TieniTastiera(this);
}

void FrmInjSetPopUp::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (!attivo_) return;
    attivo_ = false;
    MDIFrm::Interfaccia().AbilitaDisabilitaForm(true);
}

void FrmInjSetPopUp::Form_QueryUnload(int& Cancel, int UnloadMode) {
    attivo_ = false;
    MDIFrm::Interfaccia().AbilitaDisabilitaForm(true);
    if (UnloadMode == 0) {
        Cancel = 1;
        hide();
        MDIFrm::Interfaccia().SelezioneScheda(SCHEDA_COMMUTAZIONE);
    }
}
