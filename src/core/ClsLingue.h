#pragma once
// The multi-language dictionary: every text shown, by language and entry
// number. The current language is not kept here but in its own small file,
// read again at every query.
#include <cstdint>
#include <string>
#include <vector>

class ClsLingue {
public:
    ClsLingue();

    // Current language from the current-language file: its first numeric
    // line; -1 when the file is missing or has none. A language that could not
    // be saved (below) holds instead, for the rest of the session.
    int16_t IdLingua() const;
    // Rewrites an existing current-language file with NewVal as its only line.
    // When the file is missing or cannot be written (a read-only base folder),
    // NewVal is kept for the session and LinguaSalvata turns false.
    void IdLingua(int16_t NewVal);
    // False after a language choice that could not be written to its file.
    bool LinguaSalvata() const { return !linguaNonSalvata_; }

    std::string NomeLingua(int16_t ID) const;
    void NuovaLingua(const std::string& NewVal);
    int16_t UboundLingue() const;
    // Last entry number of language 0, where the section markers are.
    int16_t UboundVoci() const;
    int16_t UboundVociLingua(int16_t IdL) const;

    // Loads the dictionary file, then checks or creates the current-language
    // file. False when the dictionary gave no lines (the texts stay empty).
    bool LoadDizionario();
    void SaveDizionario() const;

    const std::string& PathDizionario() const { return pathDizionario_; }
    void PathDizionario(const std::string& NewStr) { pathDizionario_ = NewStr; }
    const std::string& PathAttualeLingua() const { return pathAttualeLingua_; }
    void PathAttualeLingua(const std::string& NewStr) { pathAttualeLingua_ = NewStr; }

    std::string VoceDizionario(int16_t IdLng, int16_t IdVoce) const;
    void VoceDizionario(int16_t IdLng, int16_t IdVoce, const std::string& NewVal);
    void NuovaVoce(const std::string& Str_Voce, int16_t Idrow);
    void EliminaVoce(int16_t Idrow);
    void EliminaLingua(int16_t IdLgn);
    int16_t CharsetLingua(int16_t ID) const;

private:
    struct Lingua {
        int16_t numero = 0;
        std::string nome; // the name line before its first "&", with its "#"
        int16_t charset = 1;
        std::vector<std::string> voci{std::string()};
    };

    bool LinguaValida(int16_t id) const { return id >= 0 && static_cast<size_t>(id) < lingue_.size(); }

    int16_t ultimaLingua_ = 0;
    std::vector<Lingua> lingue_{Lingua{}};
    std::string pathDizionario_;
    std::string pathAttualeLingua_;
    bool linguaNonSalvata_ = false;
    int16_t linguaSessione_ = -1;
};
