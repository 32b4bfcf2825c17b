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
    // Writes the request frame as it is and waits up to `attesaMs` for a whole,
    // well-formed reply frame (see EstraiRisposta); empty when none came in time
    // or the line failed (`guasta` then true: the device is gone or unusable).
    std::string Scambia(const std::string& trama, int32_t attesaMs, bool* guasta = nullptr);

    // The first well-formed reply frame in the bytes received so far: 42 01,
    // a length L of at least 4, L + 2 bytes in all, XOR of every byte 0. Of
    // candidates that overlap, the one that is complete first wins, so the
    // result is the same whether the bytes arrive one by one or at once.
    // Bytes that can no longer begin a reply are dropped from `ricevuti`;
    // empty while no frame is complete.
    static std::string EstraiRisposta(std::string& ricevuti);

private:
    int fd_ = -1;
};
