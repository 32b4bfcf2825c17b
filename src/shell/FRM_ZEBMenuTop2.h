#pragma once
// The second top menu bar: the home gauge page and the data logger.
#include <cstdint>
#include <optional>

#include "shell/BarraMenuTop.h"

class FRM_ZEBMenuTop2 : public BarraMenuTop {
public:
    explicit FRM_ZEBMenuTop2(QWidget* contenitore = nullptr);

    void CaricaLingua() override;

protected:
    std::optional<int32_t> SchedaBottone(int indice) const override;
};
