// Photo loading on any file content: never a crash, never a picture beyond the limit.
#include "storage/PhotoFiles.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const PhotoFiles::Read read = PhotoFiles::decode(bytes);
    if (read.outcome == PhotoFiles::Outcome::Loaded &&
        qint64(read.picture.width()) * read.picture.height() > PhotoFiles::kMaxPixels)
        __builtin_trap();
    return 0;
}
