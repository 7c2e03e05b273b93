#include "campocodice.h"

#include "globali.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLineEdit>

namespace {

constexpr int SenzaLimite = 32767;

} // namespace

void PreparaCampoCodice(QLineEdit& campo, QCheckBox& maschera, int facilita)
{
    campo.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const int massima = facilita >= 0 && facilita < NumLunghezzeCodici
                            ? Telefono.LunghezzaCodici[static_cast<size_t>(facilita)]
                            : 0;
    campo.setMaxLength(massima > 0 ? massima : SenzaLimite);
    maschera.setChecked(true);
    campo.setEchoMode(QLineEdit::Password);
    QObject::connect(&maschera, &QCheckBox::toggled, &campo, [&campo](bool mascherato) {
        campo.setEchoMode(mascherato ? QLineEdit::Password : QLineEdit::Normal);
    });
}
