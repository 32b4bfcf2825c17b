#pragma once
// A private base folder with the shipped Flash.ini and images, the paths set
// from it, and the image reader's module state restored afterwards.
#include <gtest/gtest.h>

#include "core/ModMainPercorsi.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainImmagineFirmware.h"
#include "immaginifw/ImmagineFirmwareScrittura.h"
#include "platform/Dialoghi.h"
#include "support/SupportoTest.h"

namespace Scrittura = ImmagineFirmwareScrittura;

class FissaggioImmagine : public ::testing::Test {
protected:
    void SetUp() override {
        percorsoBase_ = ModMain::PercorsoBase;
        ModMain::ImpostaPercorsi(base.Percorso());
        Azzera();
        Piattaforma::Copione::Azzera();
    }
    void TearDown() override {
        Azzera();
        ModMain::ImpostaPercorsi(percorsoBase_);
        ModMain::PercorsoBase = percorsoBase_;
        Piattaforma::Copione::Azzera();
    }
    static void Azzera() {
        ModMain::SettoriFlash = {};
        ModMain::LunghezzaImmagine = 0;
        ModMain::DatiFirmware.clear();
        ModMain::IndirizzoInfoFirmware = ModMain::IndirizzoInfoFirmwareDefault;
        ModMain::ImmagineFirmwareLetta = false;
        ModMain::VarianteHardware = 0;
        ModMain::AvvisoSettoriFlashMostrato = false;
    }
    // Writes an image of these lines at bin/fw/<nome>; returns its path.
    std::string ScriviImmagine(const std::string& nome, const std::vector<std::string>& righe) {
        base.Scrivi("bin/fw/" + nome, Scrittura::File(righe));
        return base.File("bin/fw/" + nome);
    }
    static std::string Byte(const std::vector<uint8_t>& v, size_t da, size_t n) {
        return std::string(v.begin() + static_cast<long>(da), v.begin() + static_cast<long>(da + n));
    }

    SupportoTest::CartellaBase base;

private:
    std::string percorsoBase_;
};
