#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <cstdint>

// The main window's image list, by 1-based number (1 to 70).
QIcon ImmagineLista(int numero);
// The toolbar's image list, by 1-based number (1 to 33).
QIcon ImmagineBarra(int numero);
// A named picture of the program: "quorna-64", "bandiera-it", "led-libero", "logo0", ...
QPixmap Figura(const QString& nome);

// The standard 16-colour palette by index; reports and the message view colour their text with it.
QColor ColorePalette(uint8_t indice);
