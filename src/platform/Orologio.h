#pragma once
// Monotonic microsecond clock of the program, with a test hook that makes
// time run faster so that tests of fixed pauses stay short.
namespace Piattaforma {

// Microseconds on a monotonic clock (origin: first call of the process).
double MicrosecondiMonotoni();

// Test hook: from now on the clock advances `fattore` times faster than real
// time (1 = real time). Readings stay continuous across a change.
void ImpostaAcceleratoreOrologio(double fattore);
double AcceleratoreOrologio();

// Sleeps a little of real time: at most `massimoUs` of clock time, never more
// than one millisecond of real time. Used between rounds of waits.
void PausaBreve(double massimoUs);

} // namespace Piattaforma
