#include "TestPlatform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace test_platform
{
juce::File makeTemporaryFolder (const juce::String& prefix)
{
    auto pattern = juce::File::getSpecialLocation (juce::File::tempDirectory)
                       .getChildFile (prefix + "XXXXXX")
                       .getFullPathName()
                       .toStdString();
    const auto* made = mkdtemp (pattern.data());

    if (made == nullptr)
        return {};

    // mkdtemp keeps the folder to its owner; tests that act as another user must reach it too.
    chmod (made, 0755);
    return juce::File (juce::String (made));
}

bool setModificationTime (const juce::File& file, juce::int64 nanosecondsSince1970)
{
    const timespec times[2] = { { 0, UTIME_OMIT },
                                { (time_t) (nanosecondsSince1970 / 1000000000),
                                  (long) (nanosecondsSince1970 % 1000000000) } };
    return utimensat (AT_FDCWD, file.getFullPathName().toRawUTF8(), times, 0) == 0;
}

juce::int64 bytesReadByThisProcess()
{
    const auto lines = juce::StringArray::fromLines (juce::File ("/proc/self/io").loadFileAsString());

    for (const auto& line : lines)
        if (line.startsWith ("rchar:"))
            return line.fromFirstOccurrenceOf (":", false, false).trim().getLargeIntValue();

    return -1;
}

juce::int64 residentKilobytes()
{
    std::ifstream statm ("/proc/self/statm");
    juce::int64 pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (juce::int64) (sysconf (_SC_PAGESIZE) / 1024);
}

juce::String whyNoFifos()
{
    return {};
}

bool makeFifo (const juce::File& file)
{
    return mkfifo (file.getFullPathName().toRawUTF8(), 0644) == 0;
}

void openFifoWriterOnce (const juce::File& fifo)
{
    const auto writer = open (fifo.getFullPathName().toRawUTF8(), O_WRONLY | O_NONBLOCK);

    if (writer >= 0)
        close (writer);
}

juce::File getNullDevice()
{
    return juce::File ("/dev/null");
}

juce::String whyNoEndlessDevice()
{
    return {};
}

juce::File getEndlessDevice()
{
    return juce::File ("/dev/zero");
}

juce::String whyNoMarkingProgram()
{
    return {};
}

bool writeMarkingProgram (const juce::File& file, const juce::File& mark)
{
    return file.replaceWithText ("#!/bin/sh\necho started > '" + mark.getFullPathName() + "'\n", false, false,
                                 "\n") &&
           file.setExecutePermission (true);
}

bool canMakeSymbolicLinks()
{
    return true;
}
} // namespace test_platform
