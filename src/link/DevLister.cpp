#include "link/DevLister.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <set>
#include <stdexcept>

#include "link/NumeriCom.h"

namespace {

const char* const ClassePorte = "Ports";

// First line of a sysfs attribute; nothing when it cannot be read.
bool LeggiAttributo(const std::string& percorso, std::string& valore) {
    std::ifstream f(percorso);
    if (!f) return false;
    std::string riga;
    if (!std::getline(f, riga) && !f.eof()) return false;
    while (!riga.empty() && (riga.back() == '\n' || riga.back() == '\r' || riga.back() == ' ')) riga.pop_back();
    valore = riga;
    return true;
}

struct Tipo {
    const char* prefisso;
    const char* descrizione;
};

// Device kinds in listing order, with the description each shows.
constexpr Tipo Tipi[] = {
    {"ttyUSB", "USB Serial Port"},
    {"ttyACM", "USB Serial Device"},
    {"ttyS", "Communications Port"},
    {"rfcomm", "Standard Serial over Bluetooth link"},
};

// Index into Tipi of a device name ("ttyUSB0"), or -1.
int TipoDi(const std::string& nome) {
    for (int i = 0; i < static_cast<int>(std::size(Tipi)); ++i) {
        const std::string p = Tipi[i].prefisso;
        if (nome.size() <= p.size() || nome.compare(0, p.size(), p) != 0) continue;
        if (std::all_of(nome.begin() + static_cast<std::ptrdiff_t>(p.size()), nome.end(),
                        [](char c) { return c >= '0' && c <= '9'; }))
            return i;
    }
    return -1;
}

int32_t IndiceDi(const std::string& nome, int tipo) {
    const size_t l = std::strlen(Tipi[tipo].prefisso);
    try {
        return static_cast<int32_t>(std::stol(nome.substr(l)));
    } catch (...) {
        return 0;
    }
}

} // namespace

std::string DevInfo_Storage::GetName() const {
    return SPDRP_FRIENDLYNAME.empty() ? SPDRP_DEVICEDESC : SPDRP_FRIENDLYNAME;
}

int32_t DevInfo_Storage::GetIDCOM() const {
    const std::string nome = GetName();
    const size_t p = nome.find("(COM");
    if (p == std::string::npos) return -1;
    int64_t n = 0;
    size_t i = p + 4;
    for (; i < nome.size() && nome[i] >= '0' && nome[i] <= '9'; ++i) {
        n = n * 10 + (nome[i] - '0');
        if (n > 0x7FFFFFFF) return -1;
    }
    return i == p + 4 ? -1 : static_cast<int32_t>(n);
}

bool DevInfo_Storage::isBluetoothCOM() const {
    std::string nome = GetName();
    for (char& c : nome)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return nome.find("bluetooth") != std::string::npos;
}

int32_t DevLister::ListCount() const { return static_cast<int32_t>(Elenco.size()); }

const DevInfo_Storage& DevLister::Item(int32_t posizione) const {
    if (posizione < 1 || posizione > ListCount()) throw std::out_of_range("DevLister::Item");
    return *Elenco[static_cast<size_t>(posizione - 1)];
}

std::string DevLister::GetGUIDByName(const std::string& nome, std::vector<std::string>& classi) const {
    if (nome != ClassePorte) return "Incorrect class name";
    classi.assign(1, ClassePorte);
    return "OK";
}

void DevLister::ImpostaNumeriAssegnati(std::map<std::string, int32_t> numeri) { NumeriAssegnati = std::move(numeri); }

std::string DevLister::AddToList(const std::string& classe) {
    if (!classe.empty() && classe != ClassePorte) return "OK";
    DIR* d = ::opendir(RadiceSysfs.c_str());
    if (!d) return std::string("(BAD HANDLE) ") + std::strerror(errno);
    std::vector<std::string> nomi;
    while (const dirent* e = ::readdir(d)) {
        const std::string n = e->d_name;
        if (TipoDi(n) >= 0) nomi.push_back(n);
    }
    ::closedir(d);
    // Stable order: by kind, then by device index.
    std::sort(nomi.begin(), nomi.end(), [](const std::string& a, const std::string& b) {
        const int ta = TipoDi(a), tb = TipoDi(b);
        if (ta != tb) return ta < tb;
        return IndiceDi(a, ta) < IndiceDi(b, tb);
    });

    std::set<int32_t> assegnati;
    for (const auto& [percorso, numero] : NumeriAssegnati) assegnati.insert(numero);

    for (const std::string& nome : nomi) {
        const int tipo = TipoDi(nome);
        const std::string cartella = RadiceSysfs + "/" + nome;
        // The device number proves a real character device; a device whose
        // attributes cannot be read is left out, the others are still listed.
        std::string dev;
        if (!LeggiAttributo(cartella + "/dev", dev) || dev.empty()) continue;
        if (std::string(Tipi[tipo].prefisso) == "ttyS") {
            // The kernel lists every possible legacy UART; type 0 means none is there.
            std::string uart;
            if (!LeggiAttributo(cartella + "/type", uart) || uart.empty() || uart == "0") continue;
        }
        auto info = std::make_unique<DevInfo_Storage>();
        info->Info_DevInst = static_cast<int32_t>(Elenco.size());
        info->Info_ClassGUID = ClassePorte;
        info->SPDRP_CLASS = ClassePorte;
        info->NomeDispositivo = nome;
        info->PercorsoDispositivo = "/dev/" + nome;
        info->SPDRP_DEVICEDESC = Tipi[tipo].descrizione;
        int32_t numero = -1;
        const auto a = NumeriAssegnati.find(info->PercorsoDispositivo);
        if (a != NumeriAssegnati.end()) {
            numero = a->second;
        } else {
            numero = NumeriCom::NumeroDaNome(nome);
            // A number VirUzo.ini gives to another device is that device's.
            if (assegnati.count(numero)) numero = -1;
        }
        info->SPDRP_FRIENDLYNAME = info->SPDRP_DEVICEDESC + " [" + nome + "]";
        if (numero > 0) info->SPDRP_FRIENDLYNAME += " (COM" + std::to_string(numero) + ")";
        Elenco.push_back(std::move(info));
    }
    return "OK";
}

std::string DevLister::StrTrimToNull(const std::string& testo) {
    const size_t p = testo.find('\0');
    return p == std::string::npos ? testo : testo.substr(0, p);
}
