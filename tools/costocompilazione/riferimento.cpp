// The reference unit's source: a small Qt Widgets form of the size and
// kind the program's page sources are. Compiled, never linked or run.
#include <QtWidgets>

#include <map>
#include <string>

class FormaRiferimento : public QWidget {
public:
    explicit FormaRiferimento(QWidget* genitore = nullptr) : QWidget(genitore) {
        auto* griglia = new QGridLayout(this);
        for (int i = 0; i < 12; ++i) {
            auto* etichetta = new QLabel(QStringLiteral("Voce %1").arg(i + 1), this);
            auto* combo = new QComboBox(this);
            for (int j = 0; j < 20; ++j) combo->addItem(QStringLiteral("Valore %1").arg(j));
            const std::string chiave = "voce" + std::to_string(i);
            connect(combo, &QComboBox::currentIndexChanged, this,
                    [this, chiave](int indice) { scelte_[chiave] = indice; });
            griglia->addWidget(etichetta, i / 3, 2 * (i % 3));
            griglia->addWidget(combo, i / 3, 2 * (i % 3) + 1);
        }
    }

    int Scelta(const std::string& chiave) const {
        const auto t = scelte_.find(chiave);
        return t == scelte_.end() ? -1 : t->second;
    }

private:
    std::map<std::string, int> scelte_;
};

QWidget* CreaFormaRiferimento(QWidget* genitore) { return new FormaRiferimento(genitore); }
