#pragma once
#include <QtCore/QString>
#include <string>

// Texts from files are 8-bit; they become QString only at the screen, through
// the code page that the current language's Windows charset number selects.
namespace Piattaforma {

// Code page name for a Windows font charset number ("CP1252" for 0, 1 and
// any number without a mapping).
const char* CodicePaginaDaCharset(int charset);

QString TestoDaCharset(const std::string& byte, int charset);
std::string TestoACharset(const QString& testo, int charset);

} // namespace Piattaforma
