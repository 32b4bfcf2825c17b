#pragma once
// The third top menu bar: the four steps of the direct-injection acquisition
// wizard, each with a lamp that shows how far that step has got.
#include <cstdint>
#include <optional>
#include <vector>

#include "shell/BarraMenuTop.h"

class FRM_ZEBMenuTop3 : public BarraMenuTop {
public:
    explicit FRM_ZEBMenuTop3(QWidget* contenitore = nullptr);

    void CaricaLingua() override;

    std::vector<Casa::FormaGrafica*> Shp_Semaforo_Top3; // lamp of button 0-3
    std::vector<Casa::FormaGrafica*> SHP;               // 0-2: separators

protected:
    std::optional<int32_t> SchedaBottone(int indice) const override;
    void DopoLampeggio() override;
};
