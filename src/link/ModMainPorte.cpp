#include "link/ModMainPorte.h"

#include <QtWidgets/QComboBox>
#include <fstream>
#include <algorithm>
#include <map>

#include "link/DevLister.h"
#include "core/Conversioni.h"
#include "core/ModBlckFile.h"
#include "core/ModMainPercorsi.h"
#include "platform/Dialoghi.h"

namespace ModMain {

namespace {

// What the program needs of VirUzo.ini: the simulated port and the devices
// the file numbers itself.
struct PorteCompagno {
    bool simulata = true;
    int32_t comSimulata = 0;
    std::map<std::string, int32_t> numeri; // device path -> COM number
};

PorteCompagno LeggiPorteCompagno() {
    PorteCompagno p;
    const auto testo = ModBlck::LeggiFileIntero(PercorsoVirUzoIni(), DimensioneMassimaVirUzoIni);
    if (!testo) return p;
    for (size_t inizio = 0; inizio < testo->size();) {
        const std::string riga = Conv::Trim(std::string(ModBlck::ProssimaRiga(*testo, inizio)));
        if (riga.empty() || riga[0] == ';' || riga[0] == '[') continue;
        const size_t uguale = riga.find('=');
        if (uguale == std::string::npos) continue;
        const std::string chiave = Conv::LCase(Conv::Trim(riga.substr(0, uguale)));
        const std::string valore = Conv::Trim(riga.substr(uguale + 1));
        if (chiave == "modo") {
            p.simulata = Conv::LCase(valore) != "seriale";
        } else if (chiave == "comsimulata") {
            if (const auto n = Conv::CLng(valore)) p.comSimulata = *n;
        } else if (chiave.size() > 3 && chiave.compare(0, 3, "com") == 0) {
            const std::string cifre = chiave.substr(3);
            if (cifre.find_first_not_of("0123456789") != std::string::npos || cifre.size() > 3) continue;
            const int32_t n = std::stoi(cifre);
            // COM 0 is the USB entry; the number travels as one byte.
            if (n > 0 && n <= 255 && !valore.empty()) p.numeri[valore] = n;
        }
    }
    return p;
}

} // namespace

std::string PercorsoVirUzoIni() { return PercorsoBase + "/bin/VirUzo.ini"; }

std::string TestoPorta(const RecordPorta& porta) {
    switch (porta.TipoPorta) {
    case 1: return "COM" + std::to_string(porta.NumeroCom);
    case 2: return "COM" + std::to_string(porta.NumeroCom) + " BT";
    default: return "USB";
    }
}

bool ElencaPorteCom(QComboBox* CMB_Seriali) {
    ListaPorte.assign(1, RecordPorta{0, 0});
    const PorteCompagno compagno = LeggiPorteCompagno();

    DevLister lister;
    lister.ImpostaNumeriAssegnati(compagno.numeri);
    std::vector<std::string> classi;
    std::string stato = lister.GetGUIDByName("Ports", classi);
    if (stato != "OK") {
        Piattaforma::MostraMessaggio(QString::fromLocal8Bit(stato), "Error Finding 'Ports' GUID",
                                     Piattaforma::IconaMessaggio::Critica);
    } else {
        stato = lister.AddToList(classi[0]);
        if (stato != "OK")
            Piattaforma::MostraMessaggio(QString::fromLocal8Bit(stato), "Error Getting Device List",
                                         Piattaforma::IconaMessaggio::Critica);
    }

    if (stato == "OK") {
        for (int32_t p = 1; p <= lister.ListCount(); ++p) {
            const DevInfo_Storage& d = lister.Item(p);
            const int32_t n = d.GetIDCOM();
            if (n <= 0 || n > 255) continue;
            ListaPorte.push_back(RecordPorta{n, d.isBluetoothCOM() ? 2 : 1});
        }
        // The simulated ECU's port exists only inside the companion.
        if (compagno.simulata && compagno.comSimulata > 0 && compagno.comSimulata <= 255) {
            const bool presente = std::any_of(ListaPorte.begin() + 1, ListaPorte.end(), [&](const RecordPorta& r) {
                return r.NumeroCom == compagno.comSimulata;
            });
            if (!presente) ListaPorte.push_back(RecordPorta{compagno.comSimulata, 1});
        }
    } else {
        ListaPorte.clear();
        for (int32_t i = 0; i <= 60; ++i) ListaPorte.push_back(RecordPorta{i, 1});
    }

    if (CMB_Seriali) {
        CMB_Seriali->clear();
        CMB_Seriali->setPlaceholderText(" - - - - - ");
        for (const RecordPorta& r : ListaPorte) CMB_Seriali->addItem(QString::fromStdString(TestoPorta(r)));
        CMB_Seriali->setCurrentIndex(-1);
        if (CMB_Seriali->isEditable()) CMB_Seriali->setEditText(" - - - - - ");
    }
    return true;
}

std::optional<int32_t> LeggiPortaRicordata() {
    std::ifstream f(PercorsoPortCom);
    std::string riga;
    if (!f || !std::getline(f, riga)) return std::nullopt;
    if (!riga.empty() && riga.back() == '\r') riga.pop_back();
    riga = Conv::Trim(riga);
    if (riga.empty() || !Conv::IsNumeric(riga)) return std::nullopt;
    return Conv::CLng(riga);
}

bool ScriviPortaRicordata(int32_t numeroCom) {
    std::ofstream f(PercorsoPortCom, std::ios::trunc);
    if (!f) return false;
    f << numeroCom << "\r\n";
    return static_cast<bool>(f);
}

} // namespace ModMain
