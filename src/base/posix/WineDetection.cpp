#include "base/WineDetection.h"

bool WineDetection::isRunningUnderWine()
{
    return false;
}
