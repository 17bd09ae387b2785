#include "TestHelpers.h"
#include "app/MusewheelerV1Application.h"

#include <gtest/gtest.h>

// The application object is never run here; only what it tells the toolkit about itself is checked.
TEST (MusewheelerV1ApplicationTest, namesItselfAndAllowsSeveralInstances)
{
    juce::JUCEApplicationBase::createInstance = nullptr;
    MusewheelerV1Application application;
    EXPECT_EQ (application.getApplicationName(), "Musewheeler");
    EXPECT_EQ (application.getApplicationVersion(), "1.1.0");
    EXPECT_TRUE (application.moreThanOneInstanceAllowed());
}
