#pragma once
// The serial line to a real ECU adapter: raw 8N1 at the configured speed.
#include <cstdint>
#include <string>

class LineaSeriale {
public:
    LineaSeriale() = default;
    LineaSeriale(const LineaSeriale&) = delete;
    LineaSeriale& operator=(const LineaSeriale&) = delete;
    ~LineaSeriale() { Chiudi(); }

    bool Apri(const std::string& dispositivo, int32_t baud);
    void Chiudi();
    bool Aperta() const { return fd_ >= 0; }
    // Drops whatever waits in both directions.
    void Svuota();
    // Writes the request frame as it is and reads the reply frame by its
    // length byte within `attesaMs`; empty when no whole reply came in time.
    std::string Scambia(const std::string& trama, int32_t attesaMs);

private:
    int fd_ = -1;
};
