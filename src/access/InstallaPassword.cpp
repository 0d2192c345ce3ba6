// Installation step: puts the password file with the first-access password in the program
// folder, unless one is there already.
//   folvara-password <program folder>

#include "access/AccessCheck.h"
#include "access/PasswordError.h"
#include "access/PasswordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        err << "Uso: folvara-password <cartella del programma>\n";
        return 1;
    }
    const QFileInfo folder(arguments.at(1));
    if (!folder.isDir()) {
        err << "Cartella inesistente: " << QDir::toNativeSeparators(arguments.at(1)) << '\n';
        return 2;
    }
    const QString programFolder = folder.absoluteFilePath() + QLatin1Char('/');
    const QString target = QDir::toNativeSeparators(PasswordStore(programFolder).path());
    try {
        if (AccessCheck::installFirstAccess(programFolder))
            out << "Scritto il file della password: " << target << '\n';
        else
            out << "File della password gia' presente, lasciato com'era: " << target << '\n';
    } catch (const PasswordError& error) {
        err << "Impossibile scrivere il file della password: " << QString::fromStdString(error.what())
            << '\n';
        return 2;
    }
    return 0;
}
