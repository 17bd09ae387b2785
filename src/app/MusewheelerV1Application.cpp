#include "app/MusewheelerV1Application.h"

#include "base/ProgramFolder.h"

#include <iostream>

MusewheelerV1Application::~MusewheelerV1Application()
{
    mainWindow.reset();
    repaintPump.reset();
    inputPump.reset();
}

const juce::String MusewheelerV1Application::getApplicationName()
{
    return JUCE_APPLICATION_NAME_STRING;
}

const juce::String MusewheelerV1Application::getApplicationVersion()
{
    return JUCE_APPLICATION_VERSION_STRING;
}

bool MusewheelerV1Application::moreThanOneInstanceAllowed()
{
    return true;
}

void MusewheelerV1Application::initialise (const juce::String&)
{
    // Before the window: the main screen reads its sets and settings as it is made.
    if (const auto warning = ProgramFolder::prepare (ProgramFolder::get()); warning.isNotEmpty())
        std::cerr << "Musewheeler: " << warning << std::endl;

    repaintPump = WineRepaintPump::startIfNeeded();
    inputPump = QueuedInputPump::startIfNeeded();
    mainWindow = std::make_unique<MainAppWindow>();
}

void MusewheelerV1Application::shutdown()
{
    mainWindow.reset();
    repaintPump.reset();
    inputPump.reset();
}

void MusewheelerV1Application::anotherInstanceStarted (const juce::String&) {}

void MusewheelerV1Application::systemRequestedQuit()
{
    // The question runs a modal loop; a second request arriving meanwhile waits for its answer.
    if (askingToQuit)
        return;

    const juce::ScopedValueSetter<bool> asking (askingToQuit, true);

    if (mainWindow == nullptr || mainWindow->askAuthorizationToQuit())
        quit();
}
