#pragma once

#include <QIcon>
#include <QPixmap>

// The main window's image list, by 1-based number (1 to 70).
QIcon ImmagineLista(int numero);
// The toolbar's image list, by 1-based number (1 to 33).
QIcon ImmagineBarra(int numero);
// A named picture of the program: "quorna-64", "bandiera-it", "led-libero", "logo0", ...
QPixmap Figura(const QString& nome);
