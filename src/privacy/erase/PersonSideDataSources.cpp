#include "privacy/erase/PersonSideData.h"

PersonSideDataList personSideData()
{
    PersonSideDataList sources;
    // The consents of each card join the person's export and erase here, as one more source.
    return sources;
}
