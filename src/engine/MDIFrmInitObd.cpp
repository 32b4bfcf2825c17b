// OBD start: run-flag wait, OBD off pause, protocol direct try and family
// search, car-ECU slots, and the block-12 and block-2 writes.
#include "engine/MDIFrmInitObd.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <vector>

#include "core/Applicazione.h"
#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckTrame.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModPipe.h"
#include "platform/Charset.h"
#include "platform/Dialoghi.h"


namespace MDIFrm {

namespace {

constexpr int32_t Verde = 0x00FF00, VerdeChiaro = 0xC0FFC0, Rosso = 0xFF0000, RossoChiaro = 0xFF8080;
constexpr int16_t VoceAttesaMotore = 27, VoceObdSpento = 26, VoceRicercaCentraline = 28, VoceObdAttivo = 33;
constexpr int16_t VoceAnnulla = 43, VoceChiudi = 34, VocePid03 = 57;
constexpr double PassoAttesaUs = 250'000, PassoPausaUs = 100'000, PausaObdSpentoUs = 5'000'000;

// Ends the run at its closing step with the outcome as it stands.
struct FineInitObd {};

class Avvio {
public:
    bool Esegui() {
        auto& ui = Interfaccia();
        ModEvoObd::AnnullaInitObd = false;
        ModMain::EsitoInitObd = 255;
        f_.ColoreBack = Verde;
        f_.ColoreStato = VerdeChiaro;
        f_.LblTitolo = ModMain::TestoVoce(VoceAttesaMotore);
        f_.CmdAnnulla = ModMain::TestoVoce(VoceAnnulla);
        Mostra();
        const int32_t modoSalvato = ModPipe::ModoLinea;
        try {
            Passi();
        } catch (const FineInitObd&) {
        } catch (const std::exception&) {
        }

        std::string r;
        ModPipe::InviaComandoPipe(PIPE_SET_ECU_WAIT, Attesa(static_cast<long>(Conv::ArrotondaPari(ModBlck::AttesaGlobale / 1000.0))),
                                  ModBlck::AttesaPipe, r);
        ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, static_cast<char>(modoSalvato)), ModBlck::AttesaPipe, r);

        if (risultato_) {
            f_.ColoreBack = Verde;
            f_.ColoreStato = VerdeChiaro;
            f_.LblTitolo = ModMain::TestoVoce(VoceObdAttivo);
            f_.ColoreTitolo = Rosso;
            Mostra();
            if (pid03Mancante_)
                Piattaforma::MostraMessaggio(
                    Piattaforma::TestoDaCharset(ModMain::TestoVoce(VocePid03), ModMain::CharsetCorrente()),
                    QString::fromLatin1(Applicazione::TitoloApplicazione));
            ModEvoObd::AnnullaInitObd = true;
        } else {
            f_.ColoreBack = Rosso;
            f_.ColoreStato = RossoChiaro;
            const uint8_t e = ModMain::EsitoInitObd;
            f_.LblTitolo = ModMain::TestoVoce(e == 1 ? 29 : e == 2 ? 30 : e == 3 ? 31 : 32);
            f_.ColoreTitolo = Rosso;
            ModEvoObd::AnnullaInitObd = false;
        }
        f_.StatoVisibile = true;
        f_.CmdAnnulla = ModMain::TestoVoce(VoceChiudi);
        Mostra();
        // The window stays, its lamp blinking, until its button is pressed;
        // without a window nobody could press it.
        do {
            if (!finestra_) break;
            ModGlobFunct::AttendiMicrosecondi(PassoAttesaUs);
            f_.StatoVisibile = !f_.StatoVisibile;
            Mostra();
        } while (!ModEvoObd::AnnullaInitObd);
        ui.FrmInitObd_Scarica();
        return risultato_;
    }

private:
    void Mostra() { finestra_ = Interfaccia().FrmInitObd_Mostra(f_); }

    [[noreturn]] void Fine(uint8_t esito) {
        ModMain::EsitoInitObd = esito;
        throw FineInitObd{};
    }

    static std::string Attesa(long ms) {
        const uint32_t v = static_cast<uint32_t>(std::clamp<long>(ms, 0, 0xFFFF));
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8), '\0', '\0'};
    }

    void Trasmetti(const std::string& trama) {
        std::string r;
        if (ModPipe::InviaComandoPipe(PIPE_ECU_FRAME, trama, ModBlck::AttesaPipe, r) != 0) Fine(1);
    }

    void LeggiBlocco(size_t n) {
        BloccoParametri& b = TabellaBlocchi.at(n);
        Trasmetti(ModGlobFunct::ConvertiHexInTesto(b.TramaRichiesta));
        b.UltimaRisposta = ModPipe::DatiRispostaPipe;
        ModBlck::DecodificaBlocco(b.UltimaRisposta, b);
    }

    void ScriviBlocco(const BloccoParametri& b, uint8_t comando) {
        std::string dati;
        ModBlck::CodificaBlocco(dati, b);
        Trasmetti(ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, comando, dati));
        // A write the ECU refused is a failed step, like one it never answered.
        if (!ModBlck::RichiestaEseguita()) Fine(1);
    }

    // Value k of a block; a value the block does not have reads 0 and takes no write.
    int32_t& Valore(BloccoParametri& b, size_t k) {
        if (k < b.Valori.size()) return b.Valori[k];
        nessuno_ = 0;
        return nessuno_;
    }

    // One CMD_OBD_INIT exchange; the reply's bytes, at least 9 of them.
    std::vector<uint8_t> Inizializza(const std::string& dati) {
        Trasmetti(ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, CMD_OBD_INIT, dati));
        std::vector<uint8_t> b;
        ModGlobFunct::ConvertiTestoInByte(ModPipe::DatiRispostaPipe, b);
        if (b.size() <= 8) Fine(1);
        return b;
    }

    static bool Trovato(const std::vector<uint8_t>& b) { return !(b[6] == 0xFF && b[7] == 0xFF); }

    void Passi() {
        std::string r;
        if (ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, '\x02'), ModBlck::AttesaPipe, r) != 0) Fine(1);

        // Run-flag wait: eleven passes with the flag, each pass without it paid back by one more.
        int32_t contatore = 0;
        for (;;) {
            if (ModEvoObd::AnnullaInitObd) Fine(0);
            LeggiBlocco(1);
            LeggiBlocco(2);
            if ((Valore(TabellaBlocchi.at(1), 37) & 0x01) == 0) ++contatore;
            else --contatore;
            if (contatore > 10) {
                f_.LblTitolo = ModMain::TestoVoce(VoceAttesaMotore);
                f_.StatoVisibile = !f_.StatoVisibile;
                Mostra();
            } else if (contatore < -10) {
                break;
            }
            ModGlobFunct::AttendiMicrosecondi(PassoAttesaUs);
        }

        // OBD on: switched off for five seconds first.
        f_.StatoVisibile = true;
        Mostra();
        BloccoParametri& b2 = TabellaBlocchi.at(2);
        if (Valore(b2, 2) & 0x04) {
            Valore(b2, 2) ^= 0x04;
            ScriviBlocco(b2, CMD_WRITE_BLK2);
            f_.LblTitolo = ModMain::TestoVoce(VoceObdSpento);
            Mostra();
            const double scadenza = ModGlobFunct::LeggiMicrosecondi() + PausaObdSpentoUs;
            while (!(ModGlobFunct::LeggiMicrosecondi() > scadenza)) {
                if (ModEvoObd::AnnullaInitObd) Fine(0);
                LeggiBlocco(1);
                LeggiBlocco(2);
                ModGlobFunct::AttendiMicrosecondi(PassoPausaUs);
                f_.StatoVisibile = !f_.StatoVisibile;
                Mostra();
            }
        }

        f_.StatoVisibile = true;
        Mostra();
        const long attesaLungaMs = static_cast<long>(
            Conv::ArrotondaPari(ModBlck::AttesaGlobale / 1000.0 * static_cast<double>(ModBlck::MoltiplicatoreAttesa)));
        if (ModPipe::InviaComandoPipe(PIPE_SET_ECU_WAIT, Attesa(attesaLungaMs), ModBlck::AttesaPipe, r) != 0) Fine(1);

        ModMain::ProtocolloObdCorrente = 255;
        BloccoParametri copia = TabellaBlocchi.at(12);
        const int32_t p = Valore(copia, 1);
        int32_t famigliaIniziale = 0;
        std::vector<uint8_t> init;
        bool trovato = false;
        if ((p >= 0 && p < 4) || (p >= 4 && p <= 8)) {
            ModMain::ProtocolloObdCorrente = static_cast<uint8_t>(p);
            famigliaIniziale = p < 4 ? 1 : 4;
            const std::string dati{'\0', static_cast<char>(famigliaIniziale), static_cast<char>(p), '\x02'};
            f_.LblTitolo = ModEvoObd::NomeProtocolloObd(ModMain::ProtocolloObdCorrente);
            Mostra();
            init = Inizializza(dati);
            trovato = Trovato(init);
        } else if (p == 11) {
            famigliaIniziale = 11;
        } else {
            Fine(2);
        }

        if (!trovato) {
            uint8_t& c = ModMain::ProtocolloObdCorrente;
            c = 255;
            if (famigliaIniziale == 4) c = 3;
            if (famigliaIniziale == 1) c = 8;
            for (;;) {
                const std::string dati = std::string(1, '\0') + ModEvoObd::ProssimoProtocolloObd(c);
                f_.LblTitolo = ModEvoObd::NomeProtocolloObd(c);
                Mostra();
                init = Inizializza(dati);
                if (Trovato(init)) break;
                if ((c == 3 && famigliaIniziale == 1) || (c == 8 && famigliaIniziale == 4) ||
                    (c == 3 && famigliaIniziale == 11))
                    Fine(2);
            }
        }

        // The lambda PID as the image held it before the chosen car ECU's values
        // 18-25 are cleared: a valid one is kept.
        const int32_t v24 = Valore(copia, 24);
        // Car ECUs: the first slot whose PID map reports PID 0x06.
        ModMain::EsitoInitObd = 0;
        f_.LblTitolo = ModMain::TestoVoce(VoceRicercaCentraline);
        Mostra();
        init.resize(std::max<size_t>(init.size(), 61), 0);
        std::vector<uint8_t> pid;
        size_t scelta = 0;
        for (size_t k = 0;; ++k) {
            std::string dati{'\x01', '\0'};
            for (size_t i = 9 + 4 * k; i <= 12 + 4 * k; ++i) dati += static_cast<char>(init[i]);
            Trasmetti(ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, CMD_OBD_INIT, dati));
            ModGlobFunct::ConvertiTestoInByte(ModPipe::DatiRispostaPipe, pid);
            pid.resize(12, 0);
            const bool accettata = !(pid[6] == 0xFF && pid[7] == 0xFF) && pid[5] != 0x7F &&
                                   (pid[5] == 0x41 || pid[6] == 0x00);
            if (accettata) {
                for (size_t v = 18; v <= 25; ++v) Valore(copia, v) = 0;
                pid03Mancante_ = (pid[7] & 0x20) == 0;
                if (!pid03Mancante_) Valore(copia, 18) = 3;
                if (pid[7] & 0x04) {
                    scelta = k;
                    break;
                }
            }
            if (k + 1 > init[8] || k == 2) Fine(3);
        }

        Valore(copia, 1) = init[7];
        for (size_t i = 0; i < 4; ++i) Valore(copia, 14 + i) = init[9 + 4 * scelta + i];
        Valore(copia, 19) = 6;
        Valore(copia, 20) = (pid[7] & 0x02) ? 7 : 0;
        Valore(copia, 21) = (pid[7] & 0x01) ? 8 : 0;
        Valore(copia, 22) = (pid[8] & 0x80) ? 9 : 0;
        Valore(copia, 23) = ModEvoObd::PidPressioneRailScelto;
        Valore(copia, 24) = (v24 == 0x15 || v24 == 0x19 || (v24 >= 0x34 && v24 <= 0x3B)) ? v24 : 0;
        Valore(copia, 25) = 0;
        for (size_t i = 0; i < 4; ++i) Valore(copia, 84 + i) = pid[7 + i];
        ScriviBlocco(copia, CMD_WRITE_BLK12);
        LeggiBlocco(12);
        LeggiBlocco(2);
        Valore(b2, 2) |= 0x04;
        Valore(b2, 2) |= 0x08;
        ScriviBlocco(b2, CMD_WRITE_BLK2);
        LeggiBlocco(2);
        risultato_ = true;
    }

    FinestraInitObd f_;
    bool finestra_ = false;
    bool risultato_ = false;
    bool pid03Mancante_ = false;
    int32_t nessuno_ = 0;
};

} // namespace

bool InizializzaObd() { return Avvio().Esegui(); }

} // namespace MDIFrm
