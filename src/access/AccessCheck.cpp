#include "access/AccessCheck.h"

#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "storage/FileErrorText.h"
#include "storage/TextRules.h"

#include <QDir>

QString AccessCheck::firstAccessPassword()
{
    return QStringLiteral("BENVENUTO");
}

QString AccessCheck::normalised(const QString& typed)
{
    return TextRules::trim(TextRules::upperAZ(typed));
}

bool AccessCheck::storable(const QString& password)
{
    if (password.size() > kMaxLength)
        return false;
    for (const QChar c : password) {
        if (c.unicode() == 0 || c.unicode() > 255)
            return false;
    }
    return true;
}

bool AccessCheck::accepts(const PasswordStore& store, const QString& typed)
{
    return store.storedPassword() == normalised(typed);
}

AccessCheck::Change AccessCheck::change(const PasswordStore& store, const QString& old,
                                        const QString& newPassword, const QString& confirmation)
{
    if (store.storedPassword() != normalised(old))
        return Change::WrongOld;
    const QString fresh = TextRules::trim(newPassword);
    if (fresh != TextRules::trim(confirmation))
        return Change::NotConfirmed;
    const QString stored = normalised(fresh);
    if (!storable(stored))
        return Change::NotStorable;
    store.writeValue(TextRules::trim(CodificaPassword(stored)));
    return Change::Done;
}

bool AccessCheck::installFirstAccess(const QString& programFolder)
{
    const PasswordStore store(programFolder);
    return store.createIfMissing(CodificaPassword(normalised(firstAccessPassword())));
}

QString AccessCheck::failureMessage(const PasswordError& error, Operation operation)
{
    const QString file =
        QDir::toNativeSeparators(error.path().isEmpty() ? PasswordStore::fileName() : error.path());
    QString text =
        operation == Operation::Change
            ? QStringLiteral("Attenzione: la password non \u00E8 stata cambiata e resta quella di prima. ")
            : QStringLiteral("Attenzione: non \u00E8 possibile controllare la password. ");
    if (error.step() == PasswordError::Step::Damaged)
        return text + QStringLiteral("Il file della password \"%1\" \u00E8 danneggiato: il suo contenuto non "
                                     "\u00E8 una password del programma.\r\n\r\nRipristinare il file da una "
                                     "copia della cartella del programma (un backup), poi riprovare.")
                          .arg(file);
    // Qt gives "Unknown error" where the system said nothing it can name: no reason is better.
    QString reason = FileErrorText::italian(error.systemText());
    if (reason.compare(QLatin1String("Unknown error"), Qt::CaseInsensitive) == 0)
        reason.clear();
    text += error.step() == PasswordError::Step::Read
                ? QStringLiteral("Il file della password \"%1\" non pu\u00F2 essere letto").arg(file)
                : QStringLiteral("Il file della password \"%1\" non pu\u00F2 essere scritto").arg(file);
    text += reason.isEmpty() ? QStringLiteral(".") : QStringLiteral(": %1.").arg(reason);
    const QString retry = operation == Operation::Change
                              ? QStringLiteral("ripetere il cambio della password.")
                              : QStringLiteral("riprovare.");
    if (reason == FileErrorText::italian(QStringLiteral("No space left on device")) ||
        reason == FileErrorText::italian(QStringLiteral("File too large")))
        return text + QStringLiteral("\r\n\r\nLiberare spazio sul disco della cartella del programma, poi ") +
               retry;
    if (reason == FileErrorText::italian(QStringLiteral("Permission denied")) ||
        reason == FileErrorText::italian(QStringLiteral("Read-only file system")))
        return text +
               QStringLiteral("\r\n\r\nServe il permesso di %1 nella cartella del programma: "
                              "chiederlo a chi amministra il computer, oppure copiare la cartella del "
                              "programma in una cartella propria, poi ")
                   .arg(error.step() == PasswordError::Step::Read ? QStringLiteral("leggere")
                                                                  : QStringLiteral("scrivere")) +
               retry;
    if (reason == FileErrorText::italian(QStringLiteral("File name too long")))
        return text +
               QStringLiteral("\r\n\r\nSpostare la cartella del programma in un percorso pi\u00F9 corto, "
                              "poi ") +
               retry;
    if (error.step() == PasswordError::Step::Write)
        return text +
               QStringLiteral("\r\n\r\nControllare che nella cartella del programma si possa scrivere e "
                              "che il disco abbia spazio libero (un disco di rete deve essere collegato), "
                              "poi ") +
               retry;
    return text +
           QStringLiteral("\r\n\r\nControllare che la cartella del programma sia raggiungibile (per "
                          "esempio che il disco di rete sia collegato), poi ") +
           retry;
}
