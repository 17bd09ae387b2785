#pragma once

#include <juce_core/juce_core.h>

// What the tests ask of the system that each system does its own way (tests/posix, tests/windows).
namespace test_platform
{
// A new folder with a fresh name starting with prefix in the temporary folder, picked and created in one
// step, so that tests in parallel processes never share one; reachable by other users too. None on failure.
juce::File makeTemporaryFolder (const juce::String& prefix);

// Sets the file's modification time to the nanosecond where the file system keeps that many (100 ns steps
// on Windows), leaving its access time.
bool setModificationTime (const juce::File& file, juce::int64 nanosecondsSince1970);

// Every byte the process has read from files so far (the system's count), or -1 where it keeps none.
juce::int64 bytesReadByThisProcess();

// The memory of this process the system keeps in RAM, in kilobytes.
juce::int64 residentKilobytes();

// A FIFO at file. Folders on Windows hold no FIFOs: whyNoFifos() says so, and makeFifo fails there.
juce::String whyNoFifos();
bool makeFifo (const juce::File& file);

// Opens the FIFO's writing end without waiting and closes it again, which lets a reader blocked in
// opening it go on and find its end.
void openFifoWriterOnce (const juce::File& fifo);

// A device that reads as empty (/dev/null, NUL), named by its full path.
juce::File getNullDevice();

// A device that reads without end (/dev/zero), which a link in a folder can name; none on Windows, where
// whyNoEndlessDevice() says why.
juce::String whyNoEndlessDevice();
juce::File getEndlessDevice();

// A program at file that, started, writes a line into mark. Windows starts only .exe programs, which only
// a compiler makes: whyNoMarkingProgram() says so, and writeMarkingProgram fails there.
juce::String whyNoMarkingProgram();
bool writeMarkingProgram (const juce::File& file, const juce::File& mark);

// Whether this process may make symbolic links (on Windows, only with the right to, or in developer mode).
bool canMakeSymbolicLinks();
} // namespace test_platform
