#pragma once

// Whether the program runs on Wine rather than on Windows itself (never, off Windows). A few of Wine's gaps
// need a work-around that real Windows must never see; this is the one place that tells them apart.
struct WineDetection final
{
    static bool isRunningUnderWine();
};
