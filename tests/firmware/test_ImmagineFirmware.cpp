// The image reader: S2 records into the buffer laid out by Flash.ini, the
// information record, the built-in images, and what makes a read fail.
#include "core/ClsLingue.h"
#include "core/ModMainDizionario.h"
#include <filesystem>
#include <functional>

#include "config/ModMainFirmware.h"
#include "firmware/FissaggioImmagine.h"

namespace {

const Scrittura::Descrizione Nuova = Scrittura::ImmagineNuovoHw();

} // namespace

TEST_F(FissaggioImmagine, ImmagineSpeditaNelBufferDellaFlash) {
    const std::string info = ModMain::LeggiInfoFirmwareImmagine(ModMain::PercorsoFirmwareNuovoHw);
    EXPECT_EQ(info, Scrittura::RecordInfo(Nuova));
    EXPECT_TRUE(ModMain::ImmagineFirmwareLetta);
    // Flash.ini: three sectors from 0xFF0000 to 0xFFFFFF.
    EXPECT_EQ(ModMain::SettoriFlash[0].Inizio, 0xFF0000);
    EXPECT_EQ(ModMain::SettoriFlash[2].Fine, 0xFFFFFF);
    EXPECT_EQ(ModMain::SettoriFlash[3].Inizio, 0);
    EXPECT_EQ(ModMain::LunghezzaImmagine, 0xFFFF);
    ASSERT_EQ(ModMain::DatiFirmware.size(), 0x10000u);
    EXPECT_EQ(Byte(ModMain::DatiFirmware, 0, Nuova.lunghezzaCodice), Scrittura::Codice(Nuova));
    EXPECT_EQ(ModMain::DatiFirmware[Nuova.lunghezzaCodice], 0xFF);
    EXPECT_EQ(Byte(ModMain::DatiFirmware, 0xFFFC, 4), std::string("\x00\xFF\x00\x00", 4));
    EXPECT_EQ(ModMain::FormattaVersioneFirmware(info), "03.02 - 14/05/2024");
    EXPECT_EQ(ModMain::LeggiCampoTestoFw(info, true), "RXN9");
    // The old-hardware image.
    EXPECT_EQ(ModMain::LeggiInfoFirmwareImmagine(ModMain::PercorsoFirmwareVecchioHw),
              Scrittura::RecordInfo(Scrittura::ImmagineVecchioHw()));
}

TEST_F(FissaggioImmagine, ImmaginiIncorporateAlPostoDeiFileMancanti) {
    // Each built-in image decodes to the lines of the shipped file it stands for.
    std::vector<std::string> righe;
    ModCript::CaricaRigheRisorsa(righe, ModMain::RisorsaFirmwareNuovoHw, "FW");
    EXPECT_EQ(righe, Scrittura::Righe(Nuova));
    ModCript::CaricaRigheRisorsa(righe, ModMain::RisorsaFirmwareVecchioHw, "FW");
    EXPECT_EQ(righe, Scrittura::Righe(Scrittura::ImmagineVecchioHw()));
    EXPECT_EQ(Scrittura::File(righe), base.Leggi("bin/fw/QDLPower_OldHw.frh"));
    ModCript::CaricaRigheRisorsa(righe, 103, "FW");
    EXPECT_TRUE(righe.empty());

    std::filesystem::remove_all(base.File("bin/fw"));
    const std::string nuova = Scrittura::RecordInfo(Nuova), vecchia = Scrittura::RecordInfo(Scrittura::ImmagineVecchioHw());
    struct Caso {
        std::string percorso;
        int32_t variante;
        std::string info;
    } casi[] = {
        {ModMain::PercorsoFirmwareNuovoHw, 1, nuova}, // the path decides, not the variant
        {ModMain::PercorsoFirmwareVecchioHw, 0, vecchia},
        {base.File("bin/fw/altro.frh"), 1, vecchia},
        {base.File("bin/fw/altro.frh"), 0, nuova},
    };
    for (const auto& c : casi) {
        ModMain::VarianteHardware = c.variante;
        EXPECT_EQ(ModMain::LeggiInfoFirmwareImmagine(c.percorso), c.info) << c.percorso << " " << c.variante;
        EXPECT_TRUE(ModMain::ImmagineFirmwareLetta);
    }
}

TEST_F(FissaggioImmagine, ImmagineCodificataLettaComeQuellaInChiaro) {
    base.Scrivi("bin/fw/codificata.frh", CodificaTesto::CodificaRighe(Scrittura::Righe(Nuova)));
    EXPECT_EQ(ModMain::LeggiInfoFirmwareImmagine(base.File("bin/fw/codificata.frh")), Scrittura::RecordInfo(Nuova));
}

TEST_F(FissaggioImmagine, RecordS2ControllatiPerLunghezzaESomma) {
    const std::string buona = Scrittura::RigaS2(0xFF0010, "\x01\x02\x03");
    ASSERT_EQ(buona, "S207FF0010010203E3");
    struct Caso {
        const char* nome;
        std::string riga;
        bool ok;
    } casi[] = {
        {"good", buona, true},
        {"lower-case digits", "S207ff0010010203e3", true},
        {"wrong checksum", "S207FF0010010203E2", false},
        {"count too high", "S208FF0010010203E3", false},
        {"count too low", "S206FF0010010203E3", false},
        {"odd length", "S207FF0010010203E", false},
        {"not hex", "S207FF00100102G3E3", false},
        {"shorter than a record", "S203FF00", false},
        {"S1 record", "S1050010010203E6", false},
    };
    for (const auto& c : casi) {
        int32_t indirizzo = 0;
        std::vector<uint8_t> dati;
        EXPECT_EQ(ModMain::DecodificaRecordS2(c.riga, indirizzo, dati), c.ok) << c.nome;
        if (c.ok) {
            EXPECT_EQ(indirizzo, 0xFF0010) << c.nome;
            EXPECT_EQ(dati, (std::vector<uint8_t>{1, 2, 3})) << c.nome;
        }
    }
}

TEST_F(FissaggioImmagine, LetturaFallitaDaIlRecordAZeriENonSiProgramma) {
    // A damaged record anywhere fails the whole read; the flag says the buffer is not the image.
    auto righe = Scrittura::Righe(Nuova);
    struct Caso {
        const char* nome;
        std::function<void(std::vector<std::string>&)> guasto;
    } casi[] = {
        {"checksum", [](auto& r) { r[3].back() = r[3].back() == '0' ? '1' : '0'; }},
        {"count", [](auto& r) { r[3][3] = static_cast<char>(r[3][3] + 1); }},
        {"hex digit", [](auto& r) { r[3][14] = 'Z'; }},
        {"record past the buffer", [](auto& r) { r.insert(r.begin() + 1, Scrittura::RigaS2(0xFFFFF0, std::string(32, 'A'))); }},
    };
    for (const auto& c : casi) {
        auto guasta = righe;
        c.guasto(guasta);
        ModMain::ImmagineFirmwareLetta = true;
        EXPECT_EQ(ModMain::LeggiInfoFirmwareImmagine(ScriviImmagine("guasta.frh", guasta)), ModMain::InfoFirmwareAssente)
            << c.nome;
        EXPECT_FALSE(ModMain::ImmagineFirmwareLetta) << c.nome;
    }
    EXPECT_EQ(ModMain::InfoFirmwareAssente, std::string(36, '0'));
}

TEST_F(FissaggioImmagine, RecordFuoriDaiSettoriEIndirizzoDellInfo) {
    // Records outside every sector are skipped: an all-0xFF buffer and record.
    EXPECT_EQ(ModMain::LeggiInfoFirmwareImmagine(ScriviImmagine("fuori.frh", {Scrittura::RigaS2(0x100000, "\x01\x02"),
                                                                              "[AdrFrmwarEcu]", "00FFE000"})),
              std::string(38, '\xFF'));
    // A record starting at a sector's last address is copied whole across the next.
    auto d = Nuova;
    d.indirizzoInfo = 0xFFDFFF;
    const std::string info = ModMain::LeggiInfoFirmwareImmagine(ScriviImmagine("a_cavallo.frh", Scrittura::Righe(d)));
    EXPECT_EQ(info, Scrittura::RecordInfo(d));
    EXPECT_EQ(ModMain::IndirizzoInfoFirmware, "00FFDFFF");
    // An image without the "[AdrFrmwarEcu]" line uses the address of the last image that had one.
    d.conIndirizzoInfo = false;
    d.versione = 9;
    EXPECT_EQ(ModMain::LeggiInfoFirmwareImmagine(ScriviImmagine("senza.frh", Scrittura::Righe(d))), Scrittura::RecordInfo(d));
    d.indirizzoInfo = 0xFFE000;
    EXPECT_EQ(ModMain::LeggiInfoFirmwareImmagine(ScriviImmagine("senza2.frh", Scrittura::Righe(d))),
              "\xFF" + Scrittura::RecordInfo(d).substr(0, 37));
}

TEST_F(FissaggioImmagine, FlashIniLettaRigaPerRiga) {
    struct Caso {
        const char* nome;
        std::string testo;
        bool ok;
        int32_t lunghezza;
    } casi[] = {
        {"shipped", "H00FF0000 - H00FF7FFF\r\nH00FF8000 - H00FFDFFF\r\nH00FFE000 - H00FFFFFF\r\n", true, 0xFFFF},
        {"empty lines skipped, anything between", "\r\nH00FF0000xyzH00FFFFFF\r\n\r\n", true, 0xFFFF},
        {"blank before H", " H00FF0000 - H00FFFFFF\r\n", false, 0},
        {"not hex", "H00FF00G0 - H00FFFFFF\r\n", false, 0},
        {"fifteen sectors", [] {
             std::string t;
             for (int i = 0; i < 15; ++i) t += "H00FF0000 - H00FF00FF\r\n";
             return t;
         }(), false, 0xFF},
    };
    for (const auto& c : casi) {
        ModMain::TabellaSettoriFlash t{};
        int32_t l = 0;
        base.Scrivi("bin/Flash.ini", c.testo);
        EXPECT_EQ(ModMain::LeggiSettoriFlash(ModMain::PercorsoFlash, t, l), c.ok) << c.nome;
        EXPECT_EQ(l, c.lunghezza) << c.nome;
        Azzera();
        const std::string info = ModMain::LeggiInfoFirmwareImmagine(ModMain::PercorsoFirmwareNuovoHw);
        EXPECT_EQ(info == ModMain::InfoFirmwareAssente, !c.ok || c.lunghezza < 0xFFFF) << c.nome;
    }
    // Missing at the first read: no sectors, so nothing can be read.
    std::filesystem::remove(base.File("bin/Flash.ini"));
    Azzera();
    EXPECT_EQ(ModMain::LeggiInfoFirmwareImmagine(ModMain::PercorsoFirmwareNuovoHw), ModMain::InfoFirmwareAssente);
    EXPECT_FALSE(ModMain::ImmagineFirmwareLetta);

    ModMain::TabellaSettoriFlash t{};
    t[0] = {0x100, 0x1FF};
    t[1] = {0, 0x2FF};
    EXPECT_TRUE(ModMain::IndirizzoInSettore(0x100, t));
    EXPECT_TRUE(ModMain::IndirizzoInSettore(0x1FF, t));
    EXPECT_FALSE(ModMain::IndirizzoInSettore(0x200, t)); // a row with a zero bound is skipped
}

// A row outside the addresses an S2 record can name is refused with one box
// for the run: no buffer is laid out past 16 MiB and the image reads as absent.
TEST_F(FissaggioImmagine, SettoriFuoriDallaFlashRifiutati) {
    const struct {
        const char* nome;
        std::string testo;
    } casi[] = {
        {"past 24 bits after a good row", "H00FF0000 - H00FF7FFF\r\nH00FF8000 - H01000000\r\n"},
        {"sign bit", "H80000000 - H7FFFFFFF\r\n"},
        {"one wide sector", "H00000001 - H7FFFFFFF\r\n"},
    };
    for (const auto& c : casi) {
        Azzera();
        Piattaforma::Copione::Azzera();
        base.Scrivi("bin/Flash.ini", c.testo);
        EXPECT_EQ(ModMain::LeggiInfoFirmwareImmagine(ModMain::PercorsoFirmwareNuovoHw), ModMain::InfoFirmwareAssente)
            << c.nome;
        EXPECT_FALSE(ModMain::ImmagineFirmwareLetta) << c.nome;
        EXPECT_LE(ModMain::DatiFirmware.size(), ModMain::DimensioneMassimaImmagine) << c.nome;
        // The connect reads it again: no second box.
        ModMain::LeggiInfoFirmwareImmagine(ModMain::PercorsoFirmwareNuovoHw);
        const auto messaggi = Piattaforma::Copione::Messaggi();
        ASSERT_EQ(messaggi.size(), 1u) << c.nome;
        EXPECT_TRUE(messaggi[0].testo.contains(QStringLiteral("Flash.ini"))) << c.nome;
    }
    // The box speaks the chosen language.
    ClsLingue lingue;
    lingue.PathDizionario(base.File("lng/diz.diz"));
    lingue.PathAttualeLingua(base.File("lng/diz.con"));
    ASSERT_TRUE(lingue.LoadDizionario());
    ClsLingue* prima = ModMain::Dizionario;
    ModMain::Dizionario = &lingue;
    const std::pair<int16_t, QString> lingua[] = {
        {0, "A sector of the flash table lies outside the flash addresses; no firmware image is read:"},
        {1, QString::fromUtf8("Un settore della tabella della flash è fuori dagli indirizzi della flash; nessuna "
                              "immagine firmware viene letta:")},
    };
    for (const auto& [id, testo] : lingua) {
        Azzera();
        Piattaforma::Copione::Azzera();
        lingue.IdLingua(id);
        base.Scrivi("bin/Flash.ini", "H00FF0000 - H01000000\r\n");
        ModMain::LeggiInfoFirmwareImmagine(ModMain::PercorsoFirmwareNuovoHw);
        const auto messaggi = Piattaforma::Copione::Messaggi();
        ASSERT_EQ(messaggi.size(), 1u);
        EXPECT_EQ(messaggi[0].testo, testo + "\r\n" + QString::fromStdString(base.File("bin/Flash.ini")) +
                                         "\r\nH00FF0000 - H01000000 (H00000000 - H00FFFFFF)");
    }
    ModMain::Dizionario = prima;
    // The top of the 24-bit range is still flash.
    Azzera();
    base.Scrivi("bin/Flash.ini", "H00FF0000 - H00FFFFFF\r\n");
    EXPECT_NE(ModMain::LeggiInfoFirmwareImmagine(ModMain::PercorsoFirmwareNuovoHw), ModMain::InfoFirmwareAssente);
    EXPECT_EQ(ModMain::DatiFirmware.size(), 0x10000u);
}

TEST(DecriptaRiga, RigheCodificate) {
    struct Caso {
        std::string riga;
        bool ok;
        std::string testo;
    } casi[] = {
        {CodificaTesto::CodificaRiga("S2 ok"), true, "S2 ok"},
        {"", true, ""},
        {"0x10", false, ""},
        {"2150", false, ""}, // 0512 halves to 256: not a character
    };
    for (const auto& c : casi) {
        std::string t = "previous";
        EXPECT_EQ(ModCript::DecriptaRiga(c.riga, t), c.ok) << c.riga;
        EXPECT_EQ(t, c.testo) << c.riga;
    }
}

TEST_F(FissaggioImmagine, IndirizziDelleRigheS2) {
    EXPECT_EQ(ModMain::ElencoIndirizziS2(ScriviImmagine("due.frh", {"S0030000FC", Scrittura::RigaS2(0x123456, "\x01"),
                                                                    Scrittura::RigaS2(0xFFE000, "\x02")})),
              (std::vector<std::string>{"123456", "FFE000"}));
    EXPECT_EQ(ModMain::ElencoIndirizziS2(ScriviImmagine("vuota.frh", {"S804FF0000FC"})), std::vector<std::string>{""});
}
