#pragma once
// The first top menu bar: eight buttons to the settings and map pages. Page
// switching writes their captions from PosLingua on every page selection.
#include <cstdint>
#include <optional>

#include "shell/BarraMenuTop.h"

class FRM_ZEBMenuTop : public BarraMenuTop {
public:
    explicit FRM_ZEBMenuTop(QWidget* contenitore = nullptr);

    // Dictionary position of the first button's caption (entry +1 of "[Start_ZEB_FRM_MTOP]").
    int32_t PosLingua = 0;

    void CaricaLingua() override;

protected:
    std::optional<int32_t> SchedaBottone(int indice) const override;
};
