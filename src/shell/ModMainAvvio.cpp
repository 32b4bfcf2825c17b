#include "shell/ModMainAvvio.h"

#include <QtWidgets/QApplication>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/types.h>
#include <unistd.h>

#include "controls/PulsanteGrafico.h"
#include "core/ClsLingue.h"
#include "core/Conversioni.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainCodiceOperatore.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "core/ModMainPercorsi.h"
#include "core/ModMainSchermo.h"
#include "core/Applicazione.h"
#include "engine/MDIFrmMem10.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainImmagineFirmware.h"
#include "engine/ModBlckSequenza.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModPipe.h"
#include "obd/FrmMappetta.h"
#include "platform/Caratteri.h"
#include "platform/Dialoghi.h"
#include "platform/Processi.h"
#include "shell/FrmLingua.h"
#include "shell/MDIFrm.h"

namespace ModMain {

namespace {

std::unique_ptr<ClsLingue> dizionario;
std::unique_ptr<MDIFrm::MDIForm> finestra;

// Release numbers of this program and the build date shown after them.
constexpr int VersioneMaggiore = 1, VersioneMinore = 75, Revisione = 10;
constexpr const char* DataVersione = "31/07/2018";

// Wait after each stale companion stopped, in microseconds.
constexpr double AttesaDopoChiusura = 3000000.0;

std::string Canonico(const std::string& percorso) {
    std::error_code e;
    const auto p = std::filesystem::weakly_canonical(percorso, e);
    return e ? percorso : p.string();
}

// Running copies of our companion program owned by this user.
std::vector<pid_t> CopieCompagno() {
    std::vector<pid_t> copie;
    if (CartellaCompagno.empty()) return copie;
    const std::string programma = Canonico(CartellaCompagno + "/VirUzo");
    const uid_t utente = ::getuid();
    for (const auto& p : Piattaforma::ElencaProcessiInEsecuzione())
        if (p.uid == utente && !p.percorso.empty() && p.percorso == programma && p.pid != ::getpid())
            copie.push_back(p.pid);
    return copie;
}

// True while the process exists and is not a zombie.
bool ProcessoVivo(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    std::string s;
    if (!std::getline(f, s)) return false;
    const auto k = s.rfind(')');
    return k != std::string::npos && k + 2 < s.size() && s[k + 2] != 'Z';
}

// SIGTERM, then SIGKILL when it has not gone within a second.
void TerminaCopia(pid_t pid) {
    if (::kill(pid, SIGTERM) != 0) return;
    for (int i = 0; i < 100 && ProcessoVivo(pid); ++i) ::usleep(10000);
    if (ProcessoVivo(pid)) ::kill(pid, SIGKILL);
}

void MostraDialogoLingua() {
    FrmLingua dialogo;
    dialogo.Form_Load();
    if (MostraSceltaLingua) {
        MostraSceltaLingua(dialogo);
        return;
    }
    // A scripted run must never wait on a window nobody will click.
    if (Piattaforma::Copione::Attivo()) return;
    dialogo.exec();
}

} // namespace

void ChiudiProcessoCom() {
    try {
        // The oldest systems have no process list to look at; not the case here.
        for (const pid_t pid : CopieCompagno()) {
            TerminaCopia(pid);
            ModGlobFunct::AttendiMicrosecondi(AttesaDopoChiusura);
        }
    } catch (...) {
    }
}

bool ProcessoComAttivo() {
    if (ModGlobFunct::SistemaOperativoVecchio()) return true;
    try {
        if (ModPipe::PidProcessoCom() != 0 && ProcessoVivo(ModPipe::PidProcessoCom())) return true;
        return !CopieCompagno().empty();
    } catch (...) {
        return false;
    }
}

void ComunicaNomeProgramma() {
    std::string nome;
    try {
        const std::string percorso = Piattaforma::PercorsoProgramma();
        const std::string proprio = percorso.substr(percorso.find_last_of('/') + 1);
        const std::string cercato = Conv::UCase(proprio);
        for (const auto& p : Piattaforma::ElencaProcessiInEsecuzione())
            if (Conv::UCase(p.nome) == cercato) {
                nome = proprio;
                break;
            }
    } catch (...) {
        nome.clear();
    }
    std::string risposta;
    ModPipe::InviaComandoPipe(PIPE_HOST_NAME, nome, ModBlck::AttesaPipe, risposta);
}

void Main(const std::string& cartellaProgramma) {
    CartellaCompagno = cartellaProgramma;

    // 1. 2.
    VersioneProgramma = " " + std::to_string(VersioneMaggiore) + "." + std::to_string(VersioneMinore) + "." +
                        std::to_string(Revisione) + " - " + DataVersione;
    PhaseShifterCorrente = 1;
    SceltaSeqInj = 3;
    ModBlck::PersonalizzazioneVisualizzazione.assign(1, VocePersonalizzazione{});
    LivelloExp = 0;
    LivelloSup = 0;
    LivelloAut = 0;
    MDIFrm::RiavviaB10 = false;
    VarianteHardware = 0;
    FunzioneEstesaEcu = -1;
    SalvataggioRichiesto = false;
    CodiceOperatoreAccettato = 0;
    MDIFrm::NumeroFileMem10 = -1;

    // 3. 4.
    ModGlobFunct::LeggiVersioneSistema(ModGlobFunct::VersioneSistema);
    ChiudiProcessoCom();

    // 5.
    ModBlck::SogliaSpark = 7000;
    ComandoCustom.clear();
    RispostaCustom.clear();
    IndiceVoceDizionario = 0;
    Mem10Disponibile = false;
    LogMem10Richiesto = false;
    MDIFrm::UltimoValoreMem10 = -1;
    ConfigEstesa = -1;
    PassiCompensazione = {4, 4, 4, 4, 1};
    FirmwareDaAggiornare = false;
    WizardAttivo = 0;
    PaginaCorrente = SCHEDA_HOME;

    // 6. 7. 8.
    ModGlobFunct::SeparatoreDecimale = ModGlobFunct::LeggiInfoLocale(0, 14);
    const std::string base = ModGlobFunct::CalcolaCartellaBase(cartellaProgramma);
    ImpostaPercorsi(base);
    FirmaHardware[1] = ModGlobFunct::ConvertiHexInTesto(std::string("420104211472"));
    FirmaHardware[0] = ModGlobFunct::ConvertiHexInTesto("4201422100" + std::string(38 * 2, 'F') + "FEFE" +
                                                        "00000000" + "20000000" + std::string(14 * 2, 'F') + "00");

    // 9. 10. 11.
    CaricaFileImpostazioni(PercorsoConfigScale, RigheConfigScale);
    CaricaFileCoefficienti(base + "/lng/", CoefficientiTaratura);
    try {
        if (!ModGlobFunct::EsisteCartella(CartellaArchivio)) ModGlobFunct::CreaCartella(CartellaArchivio);
    } catch (...) {
        // A read-only installation has no archive; saving there reports its own failure.
    }
    RimuoviTemporaneiBase();

    // 12. The information record of the new-hardware image.
    IndirizzoInfoFirmware = IndirizzoInfoFirmwareDefault;
    FirmwareFile = LeggiInfoFirmwareImmagine(FileFirmwareScelto);

    // 13.
    ModPipe::AvviaProcessoCom(cartellaProgramma);

    // 14. 15.
    if (!dizionario) dizionario = std::make_unique<ClsLingue>();
    dizionario->PathDizionario(base + "/lng/diz.diz");
    dizionario->PathAttualeLingua(base + "/lng/diz.con");
    dizionario->LoadDizionario();
    Dizionario = dizionario.get();
    if (Dizionario->IdLingua() == -1) MostraDialogoLingua();
    Dizionario->VoceDizionario(Dizionario->IdLingua(), 0, Applicazione::TitoloProdotto);

    // 16. The live-data decoder hooks into the block table SetCom.ini builds.
    ModBlck::LeggiSetCom(PercorsoSetCom);
    ModBlck::CompletaAttese();
    ModBlck::InstallaPassiTipo();

    // 17. 18. 19.
    ComunicaNomeProgramma();
    ElencaConfigurazioniPredefinite(ConfigurazioniPredefinite);
    std::string risposta;
    ModPipe::InviaComandoPipe(PIPE_INIT, std::string(1, '\0'), ModBlck::AttesaPipe, risposta);

    // 20. 21. 22.
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda(RigheConfigScale);
    CaricaCostantiSensori(RigheConfigScale);
    CaricaTabellaQdl(RigheConfigScale);
    CaricaDatiCustom();
    PrimoAvvio = 1;

    // 23. The main window, and what the screen helpers ask of the upper layers.
    FontLinguaProprio = [](QWidget* w) {
        if (auto* b = qobject_cast<PulsanteGrafico*>(w)) {
            const QFont attuale = b->Font();
            b->Font(Piattaforma::CreaFont(QStringLiteral("Tahoma"), attuale.pointSizeF() > 0 ? attuale.pointSizeF() : 8.25,
                                          attuale.bold(), attuale.italic(), attuale.underline()));
        }
    };
    finestra = std::make_unique<MDIFrm::MDIForm>();
    FinestraPrincipale = finestra.get();
    Tasti.RichiestaUscita = [] {
        if (!MDIFrm::Finestra) return;
        int16_t cancel = 0;
        MDIFrm::Finestra->MDIForm_QueryUnload(cancel, 0);
    };
    Tasti.RiapriMappetta = [] {
        if (MappettaAperta != 1) return;
        FrmMappetta* f = FrmMappetta::Istanza();
        f->hide();
        f->show();
    };
    finestra->MDIForm_Load();
}

void Main() {
    Main(Piattaforma::CartellaProgramma());
    if (finestra) finestra->showMaximized();
}

MDIFrm::MDIForm* FinestraAvviata() { return finestra.get(); }

void ChiudiAvvio() {
    Tasti = AzioniTasto{};
    FontLinguaProprio = nullptr;
    finestra.reset();
    FinestraPrincipale = nullptr;
    ModPipe::TerminaProcessoCom();
    Dizionario = nullptr;
    dizionario.reset();
}

} // namespace ModMain
