#include "privacy/erase/ConsentSideData.h"
#include "privacy/erase/PersonSideData.h"

PersonSideDataList personSideData()
{
    PersonSideDataList sources;
    sources.push_back(std::make_shared<ConsentSideData>());
    return sources;
}
