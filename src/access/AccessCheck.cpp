#include "access/AccessCheck.h"

#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "storage/TextRules.h"

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
