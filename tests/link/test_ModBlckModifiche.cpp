// Pending edits: the application rule and the refresh of the page shown.
#include <gtest/gtest.h>

#include "link/ModBlckModifiche.h"
#include "link/ModMainStatoLinea.h"

TEST(ModifichePendenti, RegolaDiApplicazione) {
    struct Caso {
        const char* nome;
        std::vector<int32_t> prima;
        ListaModifiche lista;
        std::vector<int32_t> dopo;
    } casi[] = {
        {"lista vuota", {1, 2, 3}, ModBlck::ListaVuota(), {1, 2, 3}},
        {"bit alzati", {0, 0, 0x10}, {{1, 2, 4}}, {0, 0, 0x14}},
        {"bit abbassati", {0, 0, 0x14}, {{0, 2, 4}}, {0, 0, 0x10}},
        {"valore semplice", {0, 0, 0x14}, {{7, 2, 0}}, {0, 0, 7}},
        {"maschera negativa = valore", {0, 0, 0, 0, 9}, {{5, 4, -1}}, {0, 0, 0, 0, 5}},
        {"valore 2 alza entrambi i bit", {0}, {{2, 0, 3}}, {3}},
        {"l'ultima vince", {0, 0}, {{5, 1, 0}, {6, 1, 0}}, {0, 6}},
        {"i bit si combinano", {0}, {{1, 0, 1}, {1, 0, 4}, {0, 0, 1}}, {4}},
        {"indice negativo saltato", {1}, {{9, -1, 0}, {9, -5, 0}}, {1}},
        {"indice oltre i valori saltato", {1}, {{9, 1, 0}, {9, 100, 4}}, {1}},
    };
    for (auto& c : casi) {
        SCOPED_TRACE(c.nome);
        auto v = c.prima;
        ModBlck::ApplicaModifiche(v, c.lista);
        EXPECT_EQ(v, c.dopo);
    }
}

TEST(ModifichePendenti, AggiornaSoloLePagineCheMostranoBlocchi) {
    const int32_t paginaPrima = ModMain::PaginaCorrente;
    std::vector<int32_t> chiamate;
    ModBlck::AggiornaSchedaDopoModifiche = [&](int32_t id) { chiamate.push_back(id); };
    BloccoParametri b;
    b.Valori = {0, 0, 0, 0};
    for (int32_t pagina : std::initializer_list<int32_t>{SCHEDA_ERRORI, 24, SCHEDA_INIETTORI, SCHEDA_SENSORI, SCHEDA_COMMUTAZIONE, SCHEDA_OBD,
                           SCHEDA_LAMBDA, SCHEDA_LOGGER}) {
        ModMain::PaginaCorrente = pagina;
        ModBlck::ApplicaModificheBlocco(b, {{65535, 3, 0}});
    }
    EXPECT_EQ(b.Valori[3], 65535);
    EXPECT_EQ(chiamate, (std::vector<int32_t>{SCHEDA_ERRORI, SCHEDA_INIETTORI, SCHEDA_SENSORI, SCHEDA_COMMUTAZIONE,
                                              SCHEDA_OBD, SCHEDA_LAMBDA}));
    ModBlck::AggiornaSchedaDopoModifiche = nullptr;
    ModMain::PaginaCorrente = paginaPrima;
}
