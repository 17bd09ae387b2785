#pragma once

// The texts the toolkit writes itself (its file chooser's buttons and labels, its overwrite question, a text
// field's pop-up menu) in the interface language, through the toolkit's translations of them.
class ToolkitTexts final
{
public:
    // 0 French, else English (the toolkit's own texts).
    static void useLanguage (int language);

    // The French translations in the toolkit's mapping format.
    static const char* const frenchMappings;

private:
    ToolkitTexts() = delete;
};
