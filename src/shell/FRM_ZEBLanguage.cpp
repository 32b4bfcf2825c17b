#include "shell/FRM_ZEBLanguage.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <algorithm>

#include "controls/PulsanteGrafico.h"
#include "core/Applicazione.h"
#include "core/ClsLingue.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainTasti.h"
#include "platform/Charset.h"
#include "link/ModMainStatoLinea.h"
#include "maps/FrmEnterValue.h"
#include "shell/MDIFrm.h"
#include "shell/MDIFrmForme.h"

namespace {

constexpr int NumeroPulsanti = 5;
constexpr const char* ProprietaPosto = "PostoTwips";

// A control's place in twips, kept as floating point so that repeated
// resizes do not drift by rounding.
void Colloca(QWidget* w, const QRectF& twips) {
    w->setProperty(ProprietaPosto, twips);
    w->setGeometry(MDIFrm::Pixel(twips.x()), MDIFrm::Pixel(twips.y()), MDIFrm::Pixel(twips.width()),
                   MDIFrm::Pixel(twips.height()));
}

int32_t Twips(int pixel) { return pixel * 15; }

} // namespace

FRM_ZEBLanguage::FRM_ZEBLanguage(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBLanguage"));
    setAutoFillBackground(true);
    resize(MDIFrm::Pixel(11985), MDIFrm::Pixel(750));

    auto* contorno = new QFrame(this);
    ModMain::ImpostaMembro(contorno, QStringLiteral("SHP_Contorno"), 0);
    contorno->setAttribute(Qt::WA_TransparentForMouseEvents);
    Colloca(contorno, QRectF(0, 0, 11985, 750));
    SHP_Contorno.push_back(contorno);

    for (int k = 0; k < NumeroPulsanti; ++k) {
        auto* b = new PulsanteGrafico(this);
        ModMain::ImpostaMembro(b, QStringLiteral("BUT_Lang"), k);
        b->Mode(1);
        Colloca(b, QRectF(263 + 2310.0 * k, 128, 2235, 495));
        b->setVisible(false);
        connect(b, &PulsanteGrafico::Click, this, [this, k] { BUT_Lang_Click(k); });
        BUT_Lang.push_back(b);
    }
}

void FRM_ZEBLanguage::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    Caricamento = false;
    PrimoTasto = 0;
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    SHP_Contorno[0]->setStyleSheet(QStringLiteral("QFrame { border: 1px solid rgb(0, 0, 64); background: transparent; }"));
    LarghezzaRicordata = Twips(width());
    AltezzaRicordata = Twips(height());
    caricata_ = true;
    CaricaLingua();
}

void FRM_ZEBLanguage::Form_Unload() { caricata_ = false; }

void FRM_ZEBLanguage::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FRM_ZEBLanguage::CaricaLingua() {
    for (auto* b : BUT_Lang) b->setVisible(false);
    const ClsLingue* d = ModMain::Dizionario;
    if (d) {
        // The strip holds five buttons: further languages are left out here
        // (the first-start dialog lists them all).
        const int ultima = std::min<int>(d->UboundLingue(), NumeroPulsanti - 1);
        for (int j = 0; j <= ultima; ++j) {
            PulsanteGrafico* b = BUT_Lang[static_cast<size_t>(j)];
            const QString nome = Piattaforma::TestoDaCharset(d->NomeLingua(static_cast<int16_t>(j)),
                                                             d->CharsetLingua(static_cast<int16_t>(j)));
            b->Caption(nome);
            b->setToolTip(nome);
            b->setVisible(true);
            if (j == d->IdLingua()) {
                Caricamento = true;
                b->Value(true);
                Caricamento = false;
            } else {
                b->Value(false);
            }
        }
    }
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FRM_ZEBLanguage::BUT_Lang_Click(int Index) {
    if (Caricamento) return;
    ClsLingue* d = ModMain::Dizionario;
    if (!d) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    d->IdLingua(static_cast<int16_t>(Index));
    d->VoceDizionario(d->IdLingua(), 0, Applicazione::TitoloProdotto);
    ModMain::AvvisaSeLinguaNonSalvata();

    using namespace MDIFrm;
    const auto& righe = ModMain::RigheConfigScale;
    auto lingua = [](auto* f, const char* nome) {
        if (f) ChiamaMembro(nome, [&] { f->CaricaLingua(); });
    };
    auto combo = [&righe](auto* f, const char* nome) {
        if (f) ChiamaMembro(nome, [&] { f->RiempiCmbSwtch(righe); });
    };
    lingua(this, "FRM_ZEBLanguage.CaricaLingua");
    lingua(IstanzaFrmError, "FrmError.CaricaLingua");
    combo(IstanzaFrmError, "FrmError.RiempiCmbSwtch");
    lingua(IstanzaFRM_ZEBMenuTop, "FRM_ZEBMenuTop.CaricaLingua");
    lingua(IstanzaFRM_ZEBMenuTop2, "FRM_ZEBMenuTop2.CaricaLingua");
    lingua(IstanzaFRM_ZEBMenuTop3, "FRM_ZEBMenuTop3.CaricaLingua");
    lingua(IstanzaFRM_ZEBMain, "FRM_ZEBMain.CaricaLingua");
    lingua(IstanzaFRM_ZEBMenu, "FRM_ZEBMenu.CaricaLingua");
    lingua(IstanzaFRM_ZEBCommutazione, "FRM_ZEBCommutazione.CaricaLingua");
    combo(IstanzaFRM_ZEBCommutazione, "FRM_ZEBCommutazione.RiempiCmbSwtch");
    lingua(IstanzaFRM_ZEBDashBoard, "FRM_ZEBDashBoard.CaricaLingua");
    lingua(IstanzaFRM_ZEBLambda, "FRM_ZEBLambda.CaricaLingua");
    combo(IstanzaFRM_ZEBLambda, "FRM_ZEBLambda.RiempiCmbSwtch");
    lingua(IstanzaFrmFirmware, "FrmFirmware.CaricaLingua");
    lingua(IstanzaFrmInjSetPopUp, "FrmInjSetPopUp.CaricaLingua");
    lingua(IstanzaFrmAutoTuning, "FrmAutoTuning.CaricaLingua");
    lingua(IstanzaFRM_ZEBSensori, "FRM_ZEBSensori.CaricaLingua");
    combo(IstanzaFRM_ZEBSensori, "FRM_ZEBSensori.RiempiCmbSwtch");
    lingua(IstanzaFRM_ZEBGestione, "FRM_ZEBGestione.CaricaLingua");
    lingua(IstanzaFrmLogger, "FrmLogger.CaricaLingua");
    lingua(IstanzaFrmObd, "FrmObd.CaricaLingua");
    combo(IstanzaFrmObd, "FrmObd.RiempiCmbSwtch");
    lingua(IstanzaFrmMatrix0, "FrmMatrix0.CaricaLingua");
    lingua(IstanzaFRM_ZEBCarburazione1, "FRM_ZEBCarburazione1.CaricaLingua");
    lingua(IstanzaFrmMatrix1, "FrmMatrix1.CaricaLingua");
    lingua(IstanzaFrmMatrix2, "FrmMatrix2.CaricaLingua");
    lingua(IstanzaFRM_ZEBCarburazione2, "FRM_ZEBCarburazione2.CaricaLingua");
    lingua(IstanzaFrmSeqInj, "FrmSeqInj.CaricaLingua");
    lingua(IstanzaFRM_ZEBCarburazione0, "FRM_ZEBCarburazione0.CaricaLingua");
    lingua(IstanzaFRM_ZEBLoadSave, "FRM_ZEBLoadSave.CaricaLingua");
    lingua(IstanzaFRM_ZEBinjDir, "FRM_ZEBinjDir.CaricaLingua");
    lingua(IstanzaFrmInjDirAcq1, "FrmInjDirAcq1.CaricaLingua");
    lingua(IstanzaFrmInjDirAcq2, "FrmInjDirAcq2.CaricaLingua");
    lingua(IstanzaFrmInjDirAcq3, "FrmInjDirAcq3.CaricaLingua");
    lingua(IstanzaFrmInjDirAcq4, "FrmInjDirAcq4.CaricaLingua");
    // The value-entry dialog, when it has been used already.
    ModMapEditor::CaricaLinguaFrmEnterValue();

    if (Finestra) Finestra->SelezioneScheda(ModMain::PaginaCorrente);
    QApplication::restoreOverrideCursor();
}

void FRM_ZEBLanguage::Form_Resize() {
    if (!caricata_ || LarghezzaRicordata <= 0 || AltezzaRicordata <= 0) return;
    const int32_t l = Twips(width()), a = Twips(height());
    const float x = static_cast<float>(l) / static_cast<float>(LarghezzaRicordata);
    const float y = static_cast<float>(a) / static_cast<float>(AltezzaRicordata);
    for (QWidget* c : ModMain::ControlliForma(this)) {
        if (ModMain::LeggiTag(c) == QLatin1String("0")) continue;
        const QVariant v = c->property(ProprietaPosto);
        if (!v.isValid()) continue;
        const QRectF r = v.toRectF();
        Colloca(c, QRectF(r.x() * x, r.y() * y, r.width() * x, r.height() * y));
    }
    LarghezzaRicordata = l;
    AltezzaRicordata = a;
}

void FRM_ZEBLanguage::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void FRM_ZEBLanguage::Form_KeyUp(int16_t KeyCode, int16_t Shift) {
    if (PrimoTasto == 0) {
        PrimoTasto = 1;
        return;
    }
    ModMain::GestisciTasto(KeyCode, Shift);
}
