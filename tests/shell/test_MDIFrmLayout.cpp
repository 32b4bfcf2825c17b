// The three bands for window sizes around each threshold of the layout.
#include "FissaggioShell.h"

#include "controls/MDIFrmGriglie.h"

using Layout = FissaggioShell;

TEST_F(Layout, SottoLaMisuraMinimaNonSposta_NienteEFontInvariato) {
    struct Caso {
        int32_t W, H;
    };
    for (const Caso c : {Caso{11699, 8000}, Caso{12000, 5999}, Caso{5000, 3000}}) {
        MDIFrm::DimensioneCarattereGriglie = 7;
        MDIFrm::IstanzaFRM_ZEBMain->setGeometry(1, 2, 3, 4);
        MDIFrm::IstanzaFrmUpdate->setGeometry(1, 2, 3, 4);
        MDIFrm::IstanzaFRM_ZEBConnected->setGeometry(1, 2, 3, 4);
        f->DisponiForme(c.W, c.H);
        EXPECT_EQ(MDIFrm::DimensioneCarattereGriglie, 7) << c.W << "x" << c.H;
        EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBMain->geometry(), QRect(1, 2, 3, 4)) << c.W << "x" << c.H;
        EXPECT_EQ(MDIFrm::IstanzaFrmUpdate->geometry(), QRect(1, 2, 3, 4)) << c.W << "x" << c.H;
        EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBConnected->geometry(), QRect(1, 2, 3, 4)) << c.W << "x" << c.H;
    }
    f->DisponiForme(11700, 6000); // exactly the minimum is laid out
    EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBConnected->geometry(), QRect(8, 8, 260, 50));
}

TEST_F(Layout, DimensioneCarattereGriglieASoglieStrette) {
    const std::pair<int32_t, int32_t> casi[] = {
        {11700, 9}, {15765, 9}, {15766, 10}, {17625, 10}, {17626, 11}, {19000, 11}, {19001, 12}, {30000, 12},
    };
    for (const auto& [W, atteso] : casi) {
        f->DisponiForme(W, 9000);
        EXPECT_EQ(MDIFrm::DimensioneCarattereGriglie, atteso) << "W = " << W;
    }
}

TEST_F(Layout, BandePerDueMisure) {
    struct Caso {
        int32_t W, H;
        QRect connesso, barra, pagina, striscia, commutatore, attesa;
    };
    // 1280 x 800 and 780 x 400 pixels.
    const Caso casi[] = {
        {19200, 12000, QRect(8, 8, 260, 50), QRect(268, 8, 997, 50), QRect(8, 66, 1257, 585),
         QRect(106, 659, 1159, 110), QRect(8, 659, 90, 110), QRect(540, 388, 200, 25)},
        {11700, 6000, QRect(8, 8, 260, 50), QRect(268, 8, 497, 50), QRect(8, 66, 757, 185),
         QRect(106, 259, 659, 110), QRect(8, 259, 90, 110), QRect(290, 188, 200, 25)},
    };
    for (const auto& c : casi) {
        f->DisponiForme(c.W, c.H);
        const std::string d = std::to_string(c.W) + "x" + std::to_string(c.H);
        EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBConnected->geometry(), c.connesso) << d;
        for (QWidget* b : {static_cast<QWidget*>(MDIFrm::IstanzaFRM_ZEBMenuTop),
                           static_cast<QWidget*>(MDIFrm::IstanzaFRM_ZEBMenuTop2),
                           static_cast<QWidget*>(MDIFrm::IstanzaFRM_ZEBMenuTop3),
                           static_cast<QWidget*>(MDIFrm::IstanzaFRM_ZEBLanguage)})
            EXPECT_EQ(b->geometry(), c.barra) << d << " " << b->objectName().toStdString();
        for (QWidget* p : {static_cast<QWidget*>(MDIFrm::IstanzaFRM_ZEBMain),
                           static_cast<QWidget*>(MDIFrm::IstanzaFRM_ZEBLambda),
                           static_cast<QWidget*>(MDIFrm::IstanzaFrmMatrix0),
                           static_cast<QWidget*>(MDIFrm::IstanzaFrmMatrix1),
                           static_cast<QWidget*>(MDIFrm::IstanzaFrmMatrix2),
                           static_cast<QWidget*>(MDIFrm::IstanzaFRM_ZEBCarburazione1),
                           static_cast<QWidget*>(MDIFrm::IstanzaFRM_ZEBCarburazione2),
                           static_cast<QWidget*>(MDIFrm::IstanzaFrmFirmware),
                           static_cast<QWidget*>(MDIFrm::IstanzaFrmCompensa)})
            EXPECT_EQ(p->geometry(), c.pagina) << d << " " << p->objectName().toStdString();
        EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBDashBoard->geometry(), c.striscia) << d;
        EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBPortSearch->geometry(),
                  QRect(8, c.striscia.y(), c.pagina.width(), 110)) << d;
        EXPECT_EQ(MDIFrm::IstanzaFrmCommutatore->geometry(), c.commutatore) << d;
        EXPECT_EQ(MDIFrm::IstanzaFrmUpdate->geometry(), c.attesa) << d;
    }
}

TEST_F(Layout, LaStrisciaSegueLaPaginaPrincipaleComeCollocata) {
    // 9000 twips high: the page area is 5775 (385 px), the strip 120 twips below.
    f->DisponiForme(19200, 9000);
    EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBMain->geometry().bottom() + 1 + 8, MDIFrm::IstanzaFRM_ZEBDashBoard->y());
    EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBDashBoard->y(), 66 + 385 + 8);
}

TEST_F(Layout, ResizaFormPesePosaSoloLaFormaDellaPagina) {
    const std::pair<int32_t, QWidget*> casi[] = {
        {25, MDIFrm::IstanzaFRM_ZEBCommutazione}, {3, MDIFrm::IstanzaFRM_ZEBCommutazione},
        {27, MDIFrm::IstanzaFRM_ZEBCarburazione0}, {44, MDIFrm::IstanzaFRM_ZEBGestione},
        {22, MDIFrm::IstanzaFRM_ZEBGestione}, {26, MDIFrm::IstanzaFRM_ZEBSensori},
        {45, MDIFrm::IstanzaFRM_ZEBLoadSave}, {46, MDIFrm::IstanzaFRM_ZEBinjDir},
        {7, MDIFrm::IstanzaFrmObd}, {24, MDIFrm::IstanzaFRM_ZEBMenu}, {11, MDIFrm::IstanzaFrmError},
        {1, MDIFrm::IstanzaFrmLogger}, {5, MDIFrm::IstanzaFrmAutoTuning},
        {51, MDIFrm::IstanzaFrmInjDirAcq1}, {52, MDIFrm::IstanzaFrmInjDirAcq2},
        {53, MDIFrm::IstanzaFrmInjDirAcq3}, {54, MDIFrm::IstanzaFrmInjDirAcq4},
    };
    const int l = f->frameGeometry().width(), a = f->frameGeometry().height();
    for (const auto& [pagina, forma] : casi) {
        for (const auto& [p, altra] : casi) altra->setGeometry(1, 2, 3, 4);
        ModMain::PaginaCorrente = pagina;
        f->ResizaFormPese();
        EXPECT_EQ(forma->geometry(), QRect(8, 66, l - 23, a - 215)) << "page " << pagina;
        for (const auto& [p, altra] : casi) {
            if (altra != forma) {
                EXPECT_EQ(altra->geometry(), QRect(1, 2, 3, 4)) << "page " << pagina << " moved " << p;
            }
        }
    }
    // A page whose form the resize places anyway, and an unknown page: nothing here.
    for (const int32_t pagina : {0, 12, 99}) {
        for (const auto& [p, altra] : casi) altra->setGeometry(1, 2, 3, 4);
        ModMain::PaginaCorrente = pagina;
        f->ResizaFormPese();
        for (const auto& [p, altra] : casi) EXPECT_EQ(altra->geometry(), QRect(1, 2, 3, 4)) << "page " << pagina;
    }
}

TEST_F(Layout, IPopupCentratiSullaFinestra) {
    MDIFrm::IstanzaFrmInjSetPopUp->resize(400, 300);
    MDIFrm::IstanzaFrmSeqInj->resize(2000, 2000);
    f->DisponiForme(19200, 12000);
    EXPECT_EQ(MDIFrm::IstanzaFrmInjSetPopUp->pos(), QPoint((f->width() - 400) / 2, (f->height() - 300) / 2 - 30));
    EXPECT_EQ(MDIFrm::IstanzaFrmSeqInj->pos(), QPoint(0, 0)); // never off the top or left edge
}
