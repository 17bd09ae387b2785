#include "widgets/WineRepaintPump.h"

#include "base/WineDetection.h"

namespace
{
constexpr int screenRateHz = 60;
}

std::unique_ptr<WineRepaintPump> WineRepaintPump::startIfNeeded()
{
    if (!WineDetection::isRunningUnderWine())
        return nullptr;

    return std::make_unique<WineRepaintPump>();
}

WineRepaintPump::WineRepaintPump()
{
    startTimerHz (screenRateHz);
}

WineRepaintPump::~WineRepaintPump()
{
    stopTimer();
}

void WineRepaintPump::timerCallback()
{
    for (int i = 0; i < juce::ComponentPeer::getNumPeers(); ++i)
        if (auto* peer = juce::ComponentPeer::getPeer (i))
            peer->performAnyPendingRepaintsNow();
}
