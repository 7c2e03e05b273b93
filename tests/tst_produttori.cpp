// The simulated phone, its seeds and the tests answer with an invented maker: no file of the
// project names a real phone maker. The names looked for are kept as SHA-256 digests of their
// lower-case spelling, so that this test does not name them either.

#include <QCryptographicHash>
#include <QDirIterator>
#include <QSet>
#include <QtTest>

namespace {

const QSet<QByteArray>& ImpronteProduttoriVeri()
{
    static const QSet<QByteArray> impronte = {
        "2ab6d53e717a0e0d773ccfdb8b0e84ac494729c6b567c72d256b883a9db17ea8",
        "30e363d3e8c59f2c1319f8d73d48e3ad26db5e087951a4d7ab809c6f5401aea8",
        "f2ed4886e20f1a035f5e45c9ae06e5c07a700e08a9b1cf63282e16a7943e0c86",
        "dbdcf01bf52ceac185a3e0d7b851997ff90bc66de475217562d71f27053846ab",
        "0c44be9f7948957db073a1f24c266b07508b127ec030b328269ad052d7213aa7",
        "968e2d5b08687bf42997461cbdef6c844eabbf04f440cee888c95b864c2a4bcc",
        "31c4cd91278f349315172b31c996b8cb9c70da479d34c1230b72a9ada368f178",
        "952afd79331686f88f728f745c92b9ac50a3ff1e8ec11cc0b055b6d2b1c5fbf5",
        "dd4cb9cf52f0a9f1529c3b994274c8ab304b6b9f21ac69403a46f639fd026b1a",
        "46c759e871935f8cd63cac9a269ad2b045ed518ac00f19f79471c8bde5523d91",
        "587d392b6c7680ec7656baf143511491e62c4ec6f459c21cce6953e6f1707bd7",
        "2e099f6238d868f09e72da11f7e1330431f640cc6b73d2d1b03844e3dd9f321a",
        "4d13e1dbe7ab3f90f7cf9f49beb4fa7abc5624967d6db79b9e61c022c065d083",
        "d8db1708af80495315a017ed737b0ad9bc083891cb3250fe1bb7eb180ba48ada",
        "b81c8201acfc7639be3bd3d7f875ba5ca76e422fa2163cec9dace50662b637a7",
        "2752a4f8d51d9d75ae6acdbeaadc9c215ebaf431d3956cbefa9909406a8e4180",
        "2f8d4e04574da15251b6e6a75e143a2879cce62c15d53e463d7b9a7b236e3dc0",
        "a922ca38bac05e4bad0100586768723bb767d04e12383059a6c214a2a4e14539",
        "05f2a6ac1d23775d99b3ffbdbea937e44996a4fb2748a8ad35708b87eefe4945",
        "bc236a8abd26671b4cb71310f98c56a3222e3a13ae51af5ab59d38ffca2ec90a",
    };
    return impronte;
}

bool Lettera(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The words of a text, lower-cased: runs of letters, split where a lower-case letter meets a
// capital, so that a name glued into an identifier is found as well.
QSet<QByteArray> Parole(const QByteArray& testo)
{
    QSet<QByteArray> parole;
    QByteArray parola;
    const auto chiudi = [&] {
        if (!parola.isEmpty())
            parole.insert(parola.toLower());
        parola.clear();
    };
    for (int i = 0; i < testo.size(); ++i) {
        const char c = testo.at(i);
        if (!Lettera(c)) {
            chiudi();
            continue;
        }
        if (c >= 'A' && c <= 'Z' && i > 0 && testo.at(i - 1) >= 'a' && testo.at(i - 1) <= 'z')
            chiudi();
        parola.append(c);
    }
    chiudi();
    return parole;
}

// The words of `testo` that are a real maker's name.
QSet<QByteArray> ProduttoriNominati(const QByteArray& testo)
{
    QSet<QByteArray> trovati;
    for (const QByteArray& parola : Parole(testo)) {
        const QByteArray impronta
            = QCryptographicHash::hash(parola, QCryptographicHash::Sha256).toHex();
        if (ImpronteProduttoriVeri().contains(impronta))
            trovati.insert(parola);
    }
    return trovati;
}

// The repository's history and the build folders are not the project's files.
bool CartellaDelProgetto(const QFileInfo& cartella)
{
    const QString nome = cartella.fileName();
    return nome != QLatin1String(".git") && !nome.startsWith(QLatin1String("build"))
           && !QFileInfo::exists(cartella.filePath() + QLatin1String("/CMakeCache.txt"));
}

void RaccogliFile(const QString& cartella, QStringList& file)
{
    const QDir dir(cartella);
    for (const QFileInfo& voce :
         dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (voce.isDir() && !voce.isSymLink()) {
            if (CartellaDelProgetto(voce))
                RaccogliFile(voce.filePath(), file);
        } else if (voce.isFile()) {
            file.append(voce.filePath());
        }
    }
}

} // namespace

class TestProduttori : public QObject {
    Q_OBJECT

private slots:
    void paroleDegliIdentificatori()
    {
        const QSet<QByteArray> attese = {"ardesia", "modem", "marca", "al", "telefono", "s"};
        QCOMPARE(Parole("ArdesiaModem marca_AL telefono's"), attese);
        QVERIFY(ProduttoriNominati("ARDESIA ArdesiaModem").isEmpty());
    }

    void nessunProduttoreVeroNominato()
    {
        QStringList file;
        RaccogliFile(QStringLiteral(QUORNA_SOURCE_DIR), file);
        QVERIFY2(file.size() > 100, "the project's files were not found");
        QStringList nominati;
        for (const QString& percorso : std::as_const(file)) {
            QFile f(percorso);
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(percorso));
            if (!ProduttoriNominati(f.readAll()).isEmpty())
                nominati.append(QDir(QStringLiteral(QUORNA_SOURCE_DIR)).relativeFilePath(percorso));
        }
        QVERIFY2(nominati.isEmpty(), qPrintable(nominati.join(QLatin1String(", "))));
    }
};

QTEST_GUILESS_MAIN(TestProduttori)
#include "tst_produttori.moc"
