#include "widgets/ReadOnlyRefusal.h"

#include "platform/MessageBoxes.h"
#include "storage/ArchiveAccess.h"

bool ReadOnlyRefusal::refused(MessageBoxes& messages, QWidget* owner)
{
    const QString message = ArchiveAccess::readOnlyMessage();
    if (message.isEmpty())
        return false;
    messages.warning(owner, message);
    return true;
}
