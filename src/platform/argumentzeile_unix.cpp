#include "platform/argumentzeile.h"

#include <QFile>

#include <algorithm>
#include <cstring>

QStringList argumentListe(int argc, char** argv)
{
    QStringList liste;
    for (int i = 1; i < argc; ++i)
        liste.append(QFile::decodeName(argv[i]));
    return liste;
}

QString argumentString(int argc, char** argv)
{
    // The shell has split the line already; an argument that held blanks keeps them.
    return argumentListe(argc, argv).join(u' ');
}

void argumenteVerbergen(int argc, char** argv, const QList<Textstelle>& stellen)
{
    // The string joins the arguments with one blank each, so every argument
    // covers its own stretch of it, and the blanks lie in none.
    qsizetype argumentAnfang = 0;
    for (int i = 1; i < argc; ++i) {
        const QByteArray roh(argv[i]);
        const QString text = QFile::decodeName(roh);
        // Bytes that are no valid text have no place in the string to point at: all of it goes then.
        const bool abbildbar = QFile::encodeName(text) == roh;
        for (const Textstelle& stelle : stellen) {
            const qsizetype von = std::max(stelle.anfang - argumentAnfang, qsizetype(0));
            const qsizetype bis = std::min(stelle.anfang + stelle.laenge - argumentAnfang, text.size());
            if (von >= bis)
                continue;
            const qsizetype byteVon = abbildbar ? QFile::encodeName(text.left(von)).size() : 0;
            const qsizetype byteBis = abbildbar ? QFile::encodeName(text.left(bis)).size() : roh.size();
            std::memset(argv[i] + byteVon, '*', size_t(byteBis - byteVon));
        }
        argumentAnfang += text.size() + 1;
    }
}
