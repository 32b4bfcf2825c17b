#pragma once
// Names the program shows of itself.
namespace Applicazione {

// Title of every message box that sets no title of its own.
inline constexpr const char* TitoloApplicazione = "KR-770 Redadi Injection";
// Product title: entry 0 of the current language, shown in the main caption.
inline constexpr const char* TitoloProdotto = "Mondaro VX9 Redadi";

} // namespace Applicazione
