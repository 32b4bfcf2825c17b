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
    // well-formed reply frame to its command (see EstraiRisposta); a late reply
    // to an earlier request is skipped and the wait goes on; empty when none came in time
    // or the line failed (`guasta` then true: the device is gone or unusable).
    // After an exchange that brought no reply, its reply may still come, and
    // the command byte cannot tell it from the reply to a request with the same
    // command (the chunks of a map): the next frame goes out only once the line
    // has been quiet for that exchange's wait (at most QuieteMassimaMs), and
    // not at all, with no reply, when it does not fall quiet within twice that.
    std::string Scambia(const std::string& trama, int32_t attesaMs, bool* guasta = nullptr);
    // The program's pipe time-out stands 1 s above its longest ECU wait: a
    // drain of at most twice this, then the wait, stays within it.
    static constexpr int32_t QuieteMassimaMs = 400;

    // The reply frame to the request with command byte `comando` (-1: any) in
    // the bytes received so far: 42 01, a length L of at least 4, L + 2 bytes
    // in all, XOR of every byte 0, and `comando` in byte 3. Of candidates that
    // overlap, the one that starts first wins, so a frame inside a reply's data
    // is never taken for the reply; a later start is taken only once every
    // earlier one has failed, so the result is the same whether the bytes
    // arrive one by one or at once. With `finito` (no more bytes will come) a
    // start still waiting for its bytes no longer holds back a whole frame
    // after it. A frame that answers another command (a late reply) is skipped
    // like noise. Bytes that can no longer begin the reply are dropped from
    // `ricevuti`; empty while no frame is taken.
    static std::string EstraiRisposta(std::string& ricevuti, int32_t comando, bool finito = false);

private:
    std::string ScambiaTrama(const std::string& trama, int32_t attesaMs, bool* guasta);
    // Reads and drops what comes until the line has been quiet for `quieteMs_`
    // since the last byte; false when it has not fallen quiet within twice that.
    bool AttendiQuiete();

    int fd_ = -1;
    // An exchange brought no reply, and the line has not been quiet since.
    bool inSospeso_ = false;
    int32_t quieteMs_ = 0;
    double ultimoTrafficoMs_ = 0; // last byte seen, or the end of that exchange
};
