#pragma once
// The shell's pictures, drawn at run time: the connection icon's frames, the
// expert-switch images, the splash picture and the window icon.
#include <QtCore/QRect>
#include <QtGui/QFont>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>

namespace ImmaginiShell {

// Side of the connection icon, pixels.
inline constexpr int LatoIconaConnessione = 40;

// Frame k of the connection icon: 0-4 the search animation (a sweep turning by
// a fifth per frame), 5 link lost or absent, 6 every other link state.
QPixmap IconaConnessione(int k);
// The expert switch: off (0) or on (1).
QPixmap InterruttoreEsperto(int k);
// The splash picture, 381 x 156 pixels.
QPixmap Splash();
// Where the splash draws the product title, and the font it draws it in: the
// title's design font, made smaller where the title would not fit the box.
QRect RiquadroTitoloSplash();
QFont FontTitoloSplash();
// The program's window icon.
QIcon IconaFinestra();

} // namespace ImmaginiShell
