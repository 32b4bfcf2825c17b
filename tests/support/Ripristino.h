#pragma once
// Module variables a test changes, saved when the guard is made and put back
// (last saved first) when it goes, whichever way the test ends.
#include <functional>
#include <vector>

namespace SupportoTest {

class Ripristino {
public:
    template <typename... T>
    explicit Ripristino(T&... variabili) {
        (Salva(variabili), ...);
    }
    ~Ripristino() {
        for (auto it = ripristini_.rbegin(); it != ripristini_.rend(); ++it) (*it)();
    }
    Ripristino(const Ripristino&) = delete;
    Ripristino& operator=(const Ripristino&) = delete;

    // One more variable, from its value now.
    template <typename T>
    void Salva(T& variabile) {
        ripristini_.emplace_back([&variabile, copia = variabile] { variabile = copia; });
    }

private:
    std::vector<std::function<void()>> ripristini_;
};

} // namespace SupportoTest
