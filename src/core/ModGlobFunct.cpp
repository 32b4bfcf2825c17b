#include "core/ModGlobFunct.h"

#include "core/Applicazione.h"
#include "core/Conversioni.h"
#include "platform/Charset.h"
#include "platform/Dialoghi.h"
#include "platform/Orologio.h"
#include "platform/Processi.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QGuiApplication>
#include <QtGui/QPalette>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QTableWidget>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <langinfo.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace ModGlobFunct {

namespace {

// Hex text limits of the original helpers: longer texts give the empty text.
constexpr size_t MassimoCoppieHex = 16383;
constexpr size_t MassimoCaratteriHex = 32767;

constexpr char CifreHex[] = "0123456789ABCDEF";

// Value of a hex digit, -1 for any other character.
constexpr int ValoreHex(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// `hex` read as pairs; an odd text reads as if a "0" stood in front.
std::string DecodificaHex(std::string_view hex) {
    const bool dispari = hex.size() % 2 != 0;
    const size_t coppie = (hex.size() + 1) / 2;
    if (coppie > MassimoCoppieHex) return {};
    std::string byte(coppie, '\0');
    size_t i = 0;
    for (size_t k = 0; k < coppie; ++k) {
        int alto = 0;
        if (!(dispari && k == 0)) alto = ValoreHex(static_cast<unsigned char>(hex[i++]));
        const int basso = ValoreHex(static_cast<unsigned char>(hex[i++]));
        if (alto < 0 || basso < 0) return {};
        byte[k] = static_cast<char>(alto * 16 + basso);
    }
    return byte;
}

char SeparatoreCarattere() { return SeparatoreDecimale.empty() ? '.' : SeparatoreDecimale[0]; }

} // namespace

double LeggiMicrosecondi() { return Piattaforma::MicrosecondiMonotoni(); }

void AttendiMicrosecondi(double us) {
    const double inizio = LeggiMicrosecondi();
    // A NaN or negative request waits for one pass only.
    const double obiettivo = inizio + (us > 0.0 ? us : 0.0);
    for (;;) {
        if (QCoreApplication::instance()) QCoreApplication::processEvents();
        const double adesso = LeggiMicrosecondi();
        if (adesso >= obiettivo) return;
        Piattaforma::PausaBreve(obiettivo - adesso);
    }
}

bool EsisteFile(const std::string& percorso) {
    if (percorso.empty()) return false;
    const int fd = ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    // A folder opens for reading here, but it is not a file.
    const bool ok = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
    ::close(fd);
    return ok;
}

bool EsisteCartella(const std::string& percorso) {
    if (percorso.empty()) return false;
    struct stat st {};
    return ::stat(percorso.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void CreaCartella(const std::string& percorso) {
    if (EsisteCartella(percorso)) return;
    if (::mkdir(percorso.c_str(), 0777) != 0)
        throw std::runtime_error("cannot create folder " + percorso + ": " + std::strerror(errno));
}

std::string CalcolaCartellaBase(const std::string& percorso) {
    size_t barre = 0;
    size_t ultima = 0;
    for (size_t i = 0; i < percorso.size(); ++i) {
        if (percorso[i] == '/') {
            ++barre;
            ultima = i;
        }
    }
    if (barre < 2) return {};
    return percorso.substr(0, ultima);
}

std::string ConvertiHexInTesto(std::string& hex) {
    if (hex.size() % 2 != 0) hex.insert(hex.begin(), '0');
    return DecodificaHex(hex);
}

std::string ConvertiHexInTesto(const std::string& hex) { return DecodificaHex(hex); }

std::string ConvertiTestoInHex(const std::string& byte) {
    if (byte.size() > MassimoCaratteriHex) return {};
    std::string hex(byte.size() * 2, '\0');
    for (size_t i = 0; i < byte.size(); ++i) {
        const auto b = static_cast<unsigned char>(byte[i]);
        hex[2 * i] = CifreHex[b >> 4];
        hex[2 * i + 1] = CifreHex[b & 0x0F];
    }
    return hex;
}

bool ConvertiTestoInByte(const std::string& testo, std::vector<uint8_t>& byte) {
    if (testo.empty()) return false;
    byte.assign(testo.begin(), testo.end());
    return true;
}

bool ConvertiByteInTesto(const std::vector<uint8_t>& byte, std::string& testo) {
    if (byte.empty()) {
        testo.clear();
        return false;
    }
    testo.assign(byte.begin(), byte.end());
    return true;
}

std::string FormattaNumero(double valore, int32_t& decimali, int32_t& cifreMinime) {
    if (cifreMinime < 1) cifreMinime = 1;
    if (decimali < 0) decimali = 0;
    const double n = Conv::ArrotondaPari(valore * std::pow(10.0, decimali));
    if (!std::isfinite(n) || std::fabs(n) > 2147483647.0)
        throw std::overflow_error("number outside the formatter's range");
    const auto unita = static_cast<int64_t>(n);
    std::string cifre = std::to_string(unita < 0 ? -unita : unita);
    const size_t lunghezza = static_cast<size_t>(decimali) + static_cast<size_t>(cifreMinime);
    if (cifre.size() < lunghezza) cifre.insert(0, lunghezza - cifre.size(), '0');
    if (decimali > 0) cifre.insert(cifre.size() - static_cast<size_t>(decimali), SeparatoreDecimale);
    if (unita < 0) cifre.insert(cifre.begin(), '-');
    return cifre;
}

std::string FormattaNumeroZeri(int32_t millesimi, int32_t& decimali) {
    if (decimali < 0) decimali = 0;
    if (decimali > 3) decimali = 3;
    const int64_t v = millesimi;
    std::string s = std::to_string(v < 0 ? -v : v);
    if (s.size() < 4) s.insert(0, 4 - s.size(), '0');
    std::string r = s.substr(0, s.size() - 3);
    if (decimali > 0) r += SeparatoreDecimale + s.substr(s.size() - 3, static_cast<size_t>(decimali));
    if (v < 0) r.insert(r.begin(), '-');
    return r;
}

std::string LeggiInfoLocale(int32_t locale, int32_t tipo) {
    // Only the decimal separator (type 14) is asked for; the locale id 0 means
    // the user's settings, here the current numeric locale.
    constexpr int32_t TipoSeparatoreDecimale = 14;
    if (tipo != TipoSeparatoreDecimale) return {};
    const char* s = ::nl_langinfo(RADIXCHAR);
    return s ? std::string(s) : std::string();
}

std::string LeggiVersioneSistema(RecordVersioneSistema& v) {
    struct utsname u {};
    if (::uname(&u) != 0) return {};
    // The platform id has no meaning on this system and is left as it is.
    v.NomeSistemaOperativo = u.sysname;
    // Release "6.1.0-18-amd64": version "6.1", build "0"; the kernel's build
    // text stands in the service-pack field.
    const std::string rilascio = u.release;
    std::vector<std::string> numeri(3);
    size_t k = 0;
    for (char c : rilascio) {
        if (c >= '0' && c <= '9') numeri[k] += c;
        else if (c == '.' && k < 2) ++k;
        else break;
    }
    v.Versione = (numeri[0].empty() ? "0" : numeri[0]) + "." + (numeri[1].empty() ? "0" : numeri[1]);
    v.Build = numeri[2].empty() ? "0" : numeri[2];
    v.ServicePack = u.version;
    return {};
}

std::vector<std::string> ElencaProcessi() {
    std::vector<std::string> nomi;
    for (auto& p : Piattaforma::ElencaProcessiInEsecuzione()) nomi.push_back(std::move(p.nome));
    return nomi;
}

void RiempiComboDaLista(const std::string& lista, QComboBox* combo, int32_t divisore, int32_t charset) {
    if (!combo) return;
    combo->clear();
    if (lista.empty()) return;
    for (const auto& voce : Conv::Split(lista, "|")) {
        std::string testo = voce;
        if (divisore != 0)
            if (const auto v = Conv::CDbl(voce))
                testo = Conv::NumeroGenerale(*v / divisore, SeparatoreCarattere());
        combo->addItem(Piattaforma::TestoDaCharset(testo, charset));
    }
}

void DividiLista(const std::string& lista, std::vector<int32_t>& valori) {
    if (lista.empty()) return;
    const auto voci = Conv::Split(lista, "|");
    valori.assign(voci.size(), 0);
    for (size_t i = 0; i < voci.size(); ++i) valori[i] = Conv::CLng(voci[i]).value_or(0);
}

void MostraErrore(const std::string& testo, const std::string& parteTitolo, bool erroreSistema,
                  int32_t codice, const std::string& descrizione) {
    // 3146 is a data-access error of the original toolkit that is not reported
    // as a run-time error here.
    constexpr int32_t ErroreEscluso = 3146;
    std::string messaggio = parteTitolo + "Error" + testo + ":\r";
    if (codice != 0 && (codice != ErroreEscluso || erroreSistema)) {
        messaggio += '\r';
        if (codice >= 0 && codice < 100000) {
            messaggio += std::to_string(codice);
        } else {
            const auto u = static_cast<uint32_t>(codice);
            messaggio += " = &H";
            for (int s = 28; s >= 0; s -= 4) messaggio += CifreHex[(u >> s) & 0x0F];
        }
        messaggio += " - ";
        if (!erroreSistema) messaggio += descrizione;
    }
    const bool cursore = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    if (cursore) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    Piattaforma::MostraMessaggio(Piattaforma::TestoDaCharset(messaggio, 1),
                                 QString::fromLatin1(Applicazione::TitoloApplicazione) + QStringLiteral(": Error"),
                                 Piattaforma::IconaMessaggio::Esclamazione, Piattaforma::PulsantiMessaggio::Ok);
    if (cursore) QGuiApplication::restoreOverrideCursor();
}

void ImpostaColoreStato(QWidget* forma, int32_t stato) {
    if (!forma) return;
    QColor bordo;
    QColor riempimento;
    switch (stato) {
    case 0: bordo = QColor(128, 0, 0); riempimento = QColor(255, 0, 0); break;
    case 1: bordo = QColor(128, 128, 0); riempimento = QColor(255, 255, 0); break;
    case 2: bordo = QColor(0, 128, 0); riempimento = QColor(0, 255, 0); break;
    default: return;
    }
    QPalette tavolozza = forma->palette();
    bool cambiata = false;
    const auto imposta = [&](QPalette::ColorRole ruolo, const QColor& colore) {
        for (auto gruppo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            if (tavolozza.color(gruppo, ruolo) != colore) {
                tavolozza.setColor(ruolo, colore);
                cambiata = true;
                return;
            }
        }
    };
    imposta(QPalette::WindowText, bordo);
    imposta(QPalette::Window, riempimento);
    // Writing the palette repaints the lamp: only when a colour changed.
    if (cambiata) forma->setPalette(tavolozza);
}

void CentraControllo(QWidget* figlio, QWidget* contenitore) {
    if (!figlio || !contenitore) return;
    // 450 twips above the middle, at 15 twips per pixel.
    constexpr int Rialzo = 450 / 15;
    int x = (contenitore->width() - figlio->width()) / 2;
    int y = (contenitore->height() - figlio->height()) / 2 - Rialzo;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    figlio->move(x, y);
}

QString CopiaGrigliaInAppunti(const QTableWidget* griglia) {
    if (!griglia) return {};
    int riga = griglia->currentRow();
    int colonna = griglia->currentColumn();
    int riga1 = riga, riga2 = riga, colonna1 = colonna, colonna2 = colonna;
    const auto selezioni = griglia->selectedRanges();
    if (!selezioni.isEmpty()) {
        const auto& s = selezioni.front();
        if (riga < 0 || colonna < 0) {
            riga1 = s.topRow();
            riga2 = s.bottomRow();
            colonna1 = s.leftColumn();
            colonna2 = s.rightColumn();
        } else {
            riga1 = std::min(riga, s.topRow());
            riga2 = std::max(riga, s.bottomRow());
            colonna1 = std::min(colonna, s.leftColumn());
            colonna2 = std::max(colonna, s.rightColumn());
        }
    }
    if (riga1 < 0 || colonna1 < 0) return {};
    const auto cella = [griglia](int r, int c) {
        const QTableWidgetItem* it = griglia->item(r, c);
        return it ? it->text() : QString();
    };
    const QString tab = QStringLiteral("\t");
    const QString crlf = QStringLiteral("\r\n");
    QString t = tab;
    for (int c = colonna1; c <= colonna2; ++c) {
        t += cella(0, c);
        t += c < colonna2 ? tab : crlf;
    }
    for (int r = riga1; r <= riga2; ++r) {
        t += cella(r, 0);
        t += tab;
        for (int c = colonna1; c <= colonna2; ++c) {
            t += cella(r, c);
            if (c < colonna2) t += tab;
        }
        t += r < riga2 ? crlf : tab;
    }
    return t;
}

bool SistemaOperativoVecchio() {
    const std::string& nome = VersioneSistema.NomeSistemaOperativo;
    return nome == "Windows 95" || nome == "Windows 98" || nome == "Win32s";
}

} // namespace ModGlobFunct
