#include "link/ModPipe.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QString>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/Applicazione.h"
#include "core/ModGlobFunct.h"
#include "link/ModMainStatoLinea.h"
#include "platform/Dialoghi.h"
#include "platform/Orologio.h"
#include "platform/Processi.h"

extern char** environ;

namespace ModPipe {
namespace {

int fdRichiesta = -1; // write end of the request pipe (companion's standard input)
int fdRisposta = -1;  // read end of the reply pipe (companion's standard output)
pid_t pidCompagno = 0;
// The companion died while we talked to it: reported once, then every
// transaction fails quietly as a time-out until it is started again.
bool compagnoPerso = false;

void Messaggio(const QString& testo, const QString& titolo = QString::fromLatin1(Applicazione::TitoloApplicazione),
               Piattaforma::IconaMessaggio icona = Piattaforma::IconaMessaggio::Nessuna) {
    Piattaforma::MostraMessaggio(testo, titolo, icona);
}

void Chiudi(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

int ByteInAttesa() {
    int n = 0;
    if (fdRisposta < 0 || ::ioctl(fdRisposta, FIONREAD, &n) != 0) return 0;
    return n;
}

// Bytes left in the reply pipe by an earlier transaction (a late reply, or the
// tail of a reply that was cut short) would otherwise be read as this reply.
void ScartaByteInAttesa() {
    char buf[512];
    while (ByteInAttesa() > 0) {
        const ssize_t r = ::read(fdRisposta, buf, sizeof buf);
        if (r <= 0) break;
    }
}

bool ScriviTutto(const std::string& pacchetto, std::string& errore, bool& morto) {
    morto = false;
    if (fdRichiesta < 0) {
        errore = "the communication process is not running";
        return false;
    }
    size_t fatto = 0;
    while (fatto < pacchetto.size()) {
        const ssize_t w = ::write(fdRichiesta, pacchetto.data() + fatto, pacchetto.size() - fatto);
        if (w > 0) {
            fatto += static_cast<size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // The companion is not reading: give it a moment, then give up.
            pollfd p{fdRichiesta, POLLOUT, 0};
            if (::poll(&p, 1, 200) > 0 && (p.revents & POLLOUT)) continue;
            errore = "the communication process does not read its input";
            return false;
        }
        // Nobody reads the request pipe any more: the companion has ended.
        morto = w < 0 && errno == EPIPE;
        errore = w < 0 ? std::strerror(errno) : "nothing written";
        return false;
    }
    return true;
}

void MessaggioTempoScaduto() {
    Messaggio(QStringLiteral("Error 007 - Time Out"), QString::fromLatin1(Applicazione::TitoloApplicazione),
              Piattaforma::IconaMessaggio::Informazione);
}

void AlzaFlagTempoScaduto() {
    ModMain::LineaPersa = 1;
    ModMain::RiconnessioneRichiesta = 0;
    ModMain::UscitaRichiesta = 1;
}

// Builds and writes one request packet; false with the reason otherwise.
bool ScriviPacchetto(int32_t codice, uint8_t h1, uint8_t h2, uint8_t h3, uint8_t h4, uint8_t h5,
                     const std::string& dati, std::string& errore, bool& morto) {
    morto = false;
    const size_t lunghezza = dati.size() + 8;
    if (lunghezza > 0xFFFF) {
        errore = "packet longer than 65535 bytes";
        return false;
    }
    std::string p;
    p.reserve(lunghezza);
    p += static_cast<char>(lunghezza & 0xFF);
    p += static_cast<char>((lunghezza >> 8) & 0xFF);
    p += static_cast<char>(codice & 0xFF);
    for (const uint8_t h : {h1, h2, h3, h4, h5}) p += static_cast<char>(h);
    p += dati;
    return ScriviTutto(p, errore, morto);
}

// The companion is gone: pipes closed, process reaped, later transactions quiet.
void SegnaCompagnoPerso() {
    TerminaProcessoCom();
    compagnoPerso = true;
}

} // namespace

void AvviaProcessoCom() { AvviaProcessoCom(Piattaforma::CartellaProgramma()); }

bool AvviaProcessoCom(const std::string& cartellaProgramma) {
    TerminaProcessoCom();
    // A companion that dies must turn writes into an error, not end this process.
    std::signal(SIGPIPE, SIG_IGN);

    int richiesta[2];
    int risposta[2];
    if (::pipe2(richiesta, O_CLOEXEC) != 0) {
        Messaggio(QStringLiteral("Error 004 - CreatePipe(hPipeRead, hPipeWrite, sa, 0)"));
        return false;
    }
    if (::pipe2(risposta, O_CLOEXEC) != 0) {
        Messaggio(QStringLiteral("Error 004 - CreatePipe(hPipeRead1, hPipeWrite1, sa, 0)"));
        ::close(richiesta[0]);
        ::close(richiesta[1]);
        return false;
    }

    const std::string programma = cartellaProgramma + "/VirUzo";
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_adddup2(&azioni, richiesta[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&azioni, risposta[1], STDOUT_FILENO);
    char* argv[] = {const_cast<char*>(programma.c_str()), nullptr};
    pid_t pid = 0;
    const int esito = ::posix_spawn(&pid, programma.c_str(), &azioni, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&azioni);

    // The companion's ends live on in the companion only, so that its exit
    // shows here as a broken pipe.
    ::close(richiesta[0]);
    ::close(risposta[1]);
    if (esito != 0) {
        ::close(richiesta[1]);
        ::close(risposta[0]);
        Messaggio(QStringLiteral("Error 005 - Can't create process"));
        return false;
    }
    fdRichiesta = richiesta[1];
    fdRisposta = risposta[0];
    ::fcntl(fdRichiesta, F_SETFL, ::fcntl(fdRichiesta, F_GETFL) | O_NONBLOCK);
    ::fcntl(fdRisposta, F_SETFL, ::fcntl(fdRisposta, F_GETFL) | O_NONBLOCK);
    pidCompagno = pid;
    return true;
}

void TerminaProcessoCom() {
    compagnoPerso = false;
    Chiudi(fdRichiesta);
    Chiudi(fdRisposta);
    if (pidCompagno > 0) {
        int stato = 0;
        // End of input ends the companion; do not hang on one that ignores it.
        for (int i = 0; i < 200; ++i) {
            const pid_t r = ::waitpid(pidCompagno, &stato, WNOHANG);
            if (r == pidCompagno || r < 0) {
                pidCompagno = 0;
                return;
            }
            ::usleep(5000);
        }
        ::kill(pidCompagno, SIGKILL);
        ::waitpid(pidCompagno, &stato, 0);
        pidCompagno = 0;
    }
}

int32_t PidProcessoCom() { return static_cast<int32_t>(pidCompagno); }

int32_t WritePipe(int32_t codice, uint8_t h1, uint8_t h2, uint8_t h3, uint8_t h4, uint8_t h5,
                  const std::string& dati) {
    std::string errore;
    bool morto = false;
    if (ScriviPacchetto(codice, h1, h2, h3, h4, h5, dati, errore, morto)) return 0;
    Messaggio(QStringLiteral("WritePipe_Err: ") + QString::fromLocal8Bit(errore.c_str()));
    return 4;
}

int32_t InviaComandoPipe(int32_t codice, const std::string& dati, int32_t attesaUs, std::string& risposta) {
    risposta.clear();
    // Already reported: the link-loss and exit path runs without a box per tick.
    if (compagnoPerso) {
        AlzaFlagTempoScaduto();
        return 4;
    }
    ScartaByteInAttesa();
    std::string errore;
    bool morto = false;
    if (!ScriviPacchetto(codice, 0, 0, 0, 0, 0, dati, errore, morto)) {
        if (morto) {
            // A broken pipe: the companion is gone, which is reported as the time-out.
            MessaggioTempoScaduto();
            SegnaCompagnoPerso();
            AlzaFlagTempoScaduto();
        } else {
            // Any other failure ends at once with the two boxes; the flags stay as they were.
            Messaggio(QStringLiteral("WritePipe_Err: ") + QString::fromLocal8Bit(errore.c_str()));
            Messaggio(QStringLiteral("Error 008 - Pipe send error "), QStringLiteral("Comunication error"),
                      Piattaforma::IconaMessaggio::Critica);
        }
        return 4;
    }

    const double scadenza = ModGlobFunct::LeggiMicrosecondi() + static_cast<double>(attesaUs);
    std::string letto;
    bool chiusa = false;
    for (;;) {
        // Read up to the length the first two bytes announce, and no further.
        const int n = ByteInAttesa();
        if (n > 0) {
            size_t voluti = 2;
            if (letto.size() >= 2)
                voluti = static_cast<size_t>(static_cast<uint8_t>(letto[0])) * 256 + static_cast<uint8_t>(letto[1]);
            ssize_t r = 0;
            if (voluti > letto.size()) {
                const size_t quanti = std::min(voluti - letto.size(), static_cast<size_t>(n));
                std::string buf(quanti, '\0');
                r = ::read(fdRisposta, buf.data(), quanti);
                if (r > 0) letto.append(buf.data(), static_cast<size_t>(r));
            }
            if (letto.size() >= 2) {
                const size_t l = static_cast<size_t>(static_cast<uint8_t>(letto[0])) * 256 + static_cast<uint8_t>(letto[1]);
                if (letto.size() >= l) break; // complete (or announcing fewer bytes than already read)
            }
            if (r > 0) continue;
        }
        if (chiusa || ModGlobFunct::LeggiMicrosecondi() > scadenza) break;

        // Wait for bytes at most 10 ms at a time, letting queued events run in between.
        const double restanteUs = scadenza - ModGlobFunct::LeggiMicrosecondi();
        const double realeMs = std::max(0.0, restanteUs) / 1000.0 / Piattaforma::AcceleratoreOrologio();
        const int attesaMs = static_cast<int>(std::clamp(std::ceil(realeMs), 0.0, 10.0));
        pollfd p{fdRisposta, POLLIN, 0};
        const int pr = fdRisposta >= 0 ? ::poll(&p, 1, attesaMs) : (::usleep(attesaMs * 1000), 0);
        // Hang-up with nothing to read: the companion is gone and nothing more will come.
        if (fdRisposta < 0 || (pr > 0 && (p.revents & (POLLHUP | POLLERR)) && ByteInAttesa() == 0)) chiusa = true;
        if (QCoreApplication::instance()) QCoreApplication::processEvents();
    }

    if (letto.empty()) {
        MessaggioTempoScaduto();
        // The reply pipe hung up: the companion ended during the transaction.
        if (chiusa) SegnaCompagnoPerso();
        AlzaFlagTempoScaduto();
        return 4;
    }

    const int32_t esito = AnalizzaRispostaPipe(letto, CodiceRispostaPipe, DatiRispostaPipe);
    if (esito != 0)
        Messaggio(QStringLiteral("Error 006 - Comunication error"), QStringLiteral("Comunication  error"),
                  Piattaforma::IconaMessaggio::Critica);
    const int32_t s = ModMain::StatoConnessione;
    if (StatoRisposta != 1 && s != STATO_RICERCA && s != STATO_OFFLINE && s != STATO_FIRMWARE && s != STATO_TARATURA)
        ModMain::RiconnessioneRichiesta = 1;
    risposta = letto;
    return esito;
}

int32_t AnalizzaRispostaPipe(const std::string& risposta, int32_t& codice, std::string& dati) {
    const size_t l = risposta.size();
    auto b = [&](size_t i) { return static_cast<int32_t>(static_cast<uint8_t>(risposta[i])); };
    const bool lunghezzaErrata = l < 8 || static_cast<size_t>(b(0) * 256 + b(1)) != l;
    if (!lunghezzaErrata) {
        StatoRisposta = b(3);
        StatoRisposta2 = b(4);
        ModoLinea = b(5);
        PortaTrovata = b(6);
        StatoRisposta5 = b(7);
    }
    codice = -1;
    dati.clear();
    if (lunghezzaErrata) return 1;
    codice = b(2);
    if (codice > 17) return 2;

    switch (codice) {
    case 1: case 2: case 5: case 9:
        return 0;
    case 3:
        if (l > 8) dati = risposta.substr(8, 1);
        return 0;
    case 4:
        if (l <= 8) return 3;
        dati = risposta.substr(8, 1);
        return 0;
    case 11:
        if (l <= 9) return 3;
        dati = risposta.substr(8, 2);
        return 0;
    case 12:
        if (l != 28) return 3;
        dati = risposta.substr(8, 20);
        return 0;
    default: // 0, 6, 7, 8, 10, 13-17: everything after the header
        dati = risposta.substr(8);
        return 0;
    }
}

} // namespace ModPipe
