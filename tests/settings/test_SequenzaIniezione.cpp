// The injection-sequence calculation: the table for a phase shift, the staged
// block-15 list (normal, anticipated, no valid acquisition) and the
// recognition of the stored assignment.
#include "settings/FissaggioImpostazioni.h"

#include "engine/ServiziInterfaccia.h"

namespace {

class Sequenza : public FissaggioImpostazioni {
protected:
    // n cylinders, status 78, firing order from value 79 and the stored assignment from value 6.
    static void Carica(int32_t n, int32_t stato, std::vector<int32_t> ordine, std::vector<int32_t> uscite = {}) {
        Imposta(3, 1, n);
        Imposta(15, 78, stato);
        for (size_t k = 0; k < ordine.size(); ++k) Imposta(15, 79 + k, ordine[k]);
        for (size_t k = 0; k < 8; ++k) Imposta(15, 6 + k, k < uscite.size() ? uscite[k] : static_cast<int32_t>(k));
    }
    static std::vector<int32_t> Staged() {
        std::vector<int32_t> r;
        for (size_t i = 0; i < ModBlck::ModificheBlocco15.size(); ++i) {
            EXPECT_EQ(ModBlck::ModificheBlocco15[i].IndiceValore, static_cast<int32_t>(6 + i));
            EXPECT_EQ(ModBlck::ModificheBlocco15[i].Maschera, 0);
            r.push_back(ModBlck::ModificheBlocco15[i].Valore);
        }
        return r;
    }
};

// The popup's "impossible" text, as the shell gives it to the engine.
class TestoImpossibile : public ServiziInterfaccia {
public:
    TestoImpossibile() { MDIFrm::RegistraInterfaccia(this); }
    ~TestoImpossibile() override { MDIFrm::RegistraInterfaccia(nullptr); }
    std::string FrmSeqInj_STR_IMPOSSIBILE() override { return "impossible"; }
};

TEST_F(Sequenza, TabellaPerSfasamento) {
    struct Caso {
        std::vector<int32_t> ordine;
        int32_t shift;
        std::vector<int32_t> atteso;
        int32_t shiftDopo;
    };
    const Caso casi[] = {
        {{0, 2, 3, 1}, 1, {2, 0, 3, 1}, 1},      // 1-3-4-2, the worked example
        {{0, 2, 3, 1}, 0, {0, 1, 2, 3}, 0},      // shift 0: normal
        {{0, 2, 3, 1}, 5, {1, 3, 0, 2}, 3},      // lowered to n - 1
        {{0, 2, 3, 1}, 2, {3, 2, 1, 0}, 2},
        {{0}, 1, {0}, 0},                        // n = 1
        {{0, 2, 7, 1}, 1, {2, 0, 7, 0}, 1},      // a value past n - 1: skipped, position 3 stays 0
        {{0, 2, 3, 1}, -1, {2, 3, 0, 2}, -1},    // negative shift: the position below 0 is skipped
    };
    for (const auto& c : casi) {
        std::vector<int32_t> r;
        int32_t s = c.shift;
        ModBlck::CalcolaTabellaIniettori(r, c.ordine, static_cast<int32_t>(c.ordine.size()) - 1, s);
        EXPECT_EQ(r, c.atteso) << c.shift;
        EXPECT_EQ(s, c.shiftDopo);
    }
}

TEST_F(Sequenza, AnticipataDaAcquisizioneValida) {
    TestoImpossibile testo;
    Carica(4, 0, {0, 2, 3, 1});
    int32_t shift = 1;
    ModBlck::CalcolaSequenzaIniezione(shift, true);
    EXPECT_EQ(Staged(), (std::vector<int32_t>{2, 0, 3, 1, 4, 5, 6, 7}));
    EXPECT_TRUE(Messaggi().empty());

    shift = 5; // lowered in the caller's variable
    ModBlck::CalcolaSequenzaIniezione(shift, true);
    EXPECT_EQ(shift, 3);

    Carica(1, 0, {0});
    shift = 2;
    ModBlck::CalcolaSequenzaIniezione(shift, true);
    EXPECT_EQ(Staged(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(shift, 0);
}

TEST_F(Sequenza, SenzaAcquisizioneValidaScriveLaNormale) {
    TestoImpossibile testo;
    struct Caso {
        int32_t n, stato;
        std::vector<int32_t> ordine;
        bool anticipata;
        bool messaggio;
    };
    const Caso casi[] = {
        {4, 2, {0, 2, 3, 1}, true, true},    // acquisition failed
        {4, 1, {0, 2, 3, 1}, false, false},  // normal asked: never a message
        {4, 0, {0, 2, 3, 1}, false, false},
        {4, 0, {0, 2, 7, 1}, true, true},    // not a permutation: no valid acquisition
        {4, 0, {0, 2, 2, 1}, true, true},    // one channel twice
        {0, 0, {}, true, true},              // no cylinders
        {9, 0, {0, 1, 2, 3, 4, 5, 6, 7}, true, true}, // more than eight
    };
    for (const auto& c : casi) {
        Piattaforma::Copione::Azzera();
        Carica(c.n, c.stato, c.ordine);
        int32_t shift = 1;
        ModBlck::CalcolaSequenzaIniezione(shift, c.anticipata);
        EXPECT_EQ(Staged(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7})) << c.n << " " << c.stato;
        EXPECT_EQ(Messaggi(), c.messaggio ? std::vector<std::string>{"impossible"} : std::vector<std::string>{});
    }
}

TEST_F(Sequenza, RiconoscimentoDellAssegnazione) {
    struct Caso {
        int32_t n, stato, scelta;
        std::vector<int32_t> ordine, uscite;
        int32_t atteso;
    };
    const Caso casi[] = {
        {4, 0, 3, {0, 2, 3, 1}, {0, 1, 2, 3}, 0},          // normal
        {4, 0, 3, {0, 2, 3, 1}, {2, 0, 3, 1}, 1},          // shift 1
        {4, 0, 3, {0, 2, 3, 1}, {3, 2, 1, 0}, 2},
        {4, 1, 3, {0, 2, 3, 1}, {2, 0, 3, 1}, 0},          // no valid acquisition
        {4, 0, 3, {0, 2, 3, 1}, {1, 0, 2, 3}, -1},         // set by hand, no rotation
        {6, 0, 3, {0, 1, 2, 3, 4, 5}, {4, 5, 0, 1, 2, 3}, -1}, // shift 4 beyond SceltaSeqInj
        {6, 0, 5, {0, 1, 2, 3, 4, 5}, {4, 5, 0, 1, 2, 3}, 4},
        {1, 0, 3, {0}, {0}, 0},
        {1, 0, 3, {0}, {1}, -1},
        {9, 0, 3, {0, 1, 2, 3, 4, 5, 6, 7}, {1, 0}, -1},   // count past eight: nothing read past the channels
    };
    for (const auto& c : casi) {
        Carica(c.n, c.stato, c.ordine, c.uscite);
        ModMain::SceltaSeqInj = c.scelta;
        EXPECT_EQ(ModGlobFunct::CalcolaTabellaSeqInj(), c.atteso) << c.n << " scelta " << c.scelta;
    }
}

TEST_F(Sequenza, NormaleEStatoDelValore78) {
    Carica(4, 0, {0, 2, 3, 1}, {2, 0, 3, 1});
    EXPECT_FALSE(ModBlck::AssegnazioneNormale());
    EXPECT_EQ(ModBlck::OffsetStatoSequenza(), 7);
    Imposta(15, 78, 1);
    EXPECT_TRUE(ModBlck::AssegnazioneNormale());
    EXPECT_EQ(ModBlck::OffsetStatoSequenza(), 5);
    Imposta(15, 78, 2);
    EXPECT_EQ(ModBlck::OffsetStatoSequenza(), 6);
    Carica(0, 0, {});
    EXPECT_TRUE(ModBlck::AssegnazioneNormale());
}

} // namespace
