#include "app/MusewheelerV1Application.h"

START_JUCE_APPLICATION (MusewheelerV1Application)
