#include "maps/ColoriMappa.h"

#include <algorithm>
#include <cmath>

#include "controls/GrigliaDati.h"
#include "core/Conversioni.h"

namespace ColoriMappa {

std::vector<int32_t> Gradiente(const std::vector<double>& valori, bool ridotta) {
    const double scala = ridotta ? 235.0 : 150.0;
    const double base = ridotta ? 235.0 : 255.0;
    float massimo = 0.0f;
    float minimo = ridotta ? 255.0f : 5.0f;
    for (double v : valori) {
        if (v > massimo) massimo = static_cast<float>(v);
        if (v < minimo) minimo = static_cast<float>(v);
    }
    if (massimo == minimo) massimo = minimo + 1.0f;
    std::vector<int32_t> colori;
    colori.reserve(valori.size());
    for (double v : valori) {
        const double g = (v - minimo) / (static_cast<double>(massimo) - minimo) * scala;
        const auto c = static_cast<int32_t>(std::clamp(Conv::ArrotondaPari(base - g), 0.0, 255.0));
        const int32_t blu = ridotta ? 235 : 255;
        colori.push_back(blu << 16 | c << 8 | c);
    }
    return colori;
}

int32_t TestoPerSfondo(int32_t sfondo) {
    // Relative luminance; black contrasts (L + 0.05) / 0.05, white 1.05 / (L + 0.05).
    auto lineare = [](int32_t c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double l = 0.2126 * lineare(sfondo & 0xFF) + 0.7152 * lineare(sfondo >> 8 & 0xFF) +
                     0.0722 * lineare(sfondo >> 16 & 0xFF);
    return (l + 0.05) * (l + 0.05) >= 0.05 * 1.05 ? 0 : 0xFFFFFF;
}

TestiGriglia LeggiTesti(const GrigliaDati* g) {
    TestiGriglia t(g->Rows(), g->Cols());
    for (int32_t r = 0; r < t.Righe; ++r)
        for (int32_t c = 0; c < t.Colonne; ++c) t(r, c) = g->TextMatrix(r, c).toStdString();
    return t;
}

void ScriviTesti(GrigliaDati* g, const TestiGriglia& t) {
    for (int32_t r = 0; r < t.Righe && r < g->Rows(); ++r)
        for (int32_t c = 0; c < t.Colonne && c < g->Cols(); ++c) {
            const QString nuovo = QString::fromStdString(t(r, c));
            if (g->TextMatrix(r, c) != nuovo) g->TextMatrix(r, c, nuovo);
        }
}

SelezioneGriglia LeggiSelezione(const GrigliaDati* g) { return {g->Row(), g->Col(), g->RowSel(), g->ColSel()}; }

void ColoraMatriceVuota(GrigliaDati* g) {
    const bool ridisegno = g->Redraw();
    g->Redraw(false);
    for (int32_t c = 0; c < g->Cols(); ++c) {
        g->CellBackColor(0, c, ColoreFacciaSistema);
        g->CellForeColor(0, c, ColoreTestoSistema);
    }
    for (int32_t r = 0; r < g->Rows(); ++r) {
        g->CellBackColor(r, 0, ColoreFacciaSistema);
        g->CellForeColor(r, 0, ColoreTestoSistema);
    }
    for (int32_t r = 1; r < g->Rows(); ++r)
        for (int32_t c = 1; c < g->Cols(); ++c) {
            g->CellForeColor(r, c, 0);
            g->CellBackColor(r, c, 0xFFFFFF);
        }
    g->Row(std::min<int32_t>(1, g->Rows() - 1));
    g->Col(std::min<int32_t>(1, g->Cols() - 1));
    g->Redraw(ridisegno);
}

void ColoraGradiente(GrigliaDati* g, bool ridotta, bool gradiente) {
    const SelezioneGriglia sel = LeggiSelezione(g);
    const bool ridisegno = g->Redraw();
    g->Redraw(false);
    for (int32_t c = 0; c < g->Cols(); ++c) g->CellBackColor(0, c, ColoreIntestazioneGrigio);
    for (int32_t r = 0; r < g->Rows(); ++r) g->CellBackColor(r, 0, ColoreIntestazioneGrigio);
    std::vector<double> valori;
    for (int32_t r = 1; r < g->Rows(); ++r)
        for (int32_t c = 1; c < g->Cols(); ++c)
            valori.push_back(MappeOperazioni::NumeroLocale(g->TextMatrix(r, c).toStdString()).value_or(0.0));
    const std::vector<int32_t> colori = Gradiente(valori, ridotta);
    size_t k = 0;
    for (int32_t r = 1; r < g->Rows(); ++r)
        for (int32_t c = 1; c < g->Cols(); ++c, ++k) {
            const int32_t sfondo = gradiente || !ridotta ? colori[k] : ColorePiattoRidotto;
            g->CellBackColor(r, c, sfondo);
            g->CellForeColor(r, c, TestoPerSfondo(sfondo));
        }
    g->Row(sel.Row);
    g->Col(sel.Col);
    g->RowSel(sel.RowSel);
    g->ColSel(sel.ColSel);
    g->Redraw(ridisegno);
}

} // namespace ColoriMappa
