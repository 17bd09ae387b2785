# Binary assets embedded in the program are added here with juce_add_binary_data.
