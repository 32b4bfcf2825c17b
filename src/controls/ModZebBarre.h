#pragma once
// ModZeb: bar and background colours of the progress bars the pages use as
// level bars.
#include <cstdint>

class QProgressBar;

namespace ModZeb {

// Colours are &HBBGGRR. A null bar is left alone.
void ImpostaColoreBarra(QProgressBar* barra, int32_t colore);
void ImpostaColoreSfondoBarra(QProgressBar* barra, int32_t colore);

} // namespace ModZeb
