// The password file reader and the unscramble on any file content.
#include "access/Crypt.h"
#include "access/PasswordError.h"
#include "access/PasswordStore.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString value = PasswordStore::valueInFile(bytes);
    // A value that is not hexadecimal is reported with PasswordError, which the login shows.
    for (const QString& digits : {value, QString::fromLatin1(bytes)}) {
        try {
            if (DecodificaPassword(digits).size() > digits.size())
                __builtin_trap();
        } catch (const PasswordError&) {
        }
    }
    return 0;
}
