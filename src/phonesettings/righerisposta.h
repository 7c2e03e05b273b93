#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The lines of a reply body however the phone ends them (CR LF, or CR or LF alone), the empty
// ones left out.
inline QStringList RigheRisposta(const QString& risposta)
{
    static const QRegularExpression fineRiga(QStringLiteral("[\\r\\n]"));
    return risposta.split(fineRiga, Qt::SkipEmptyParts);
}
