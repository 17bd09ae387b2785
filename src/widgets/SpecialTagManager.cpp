#include "widgets/SpecialTagManager.h"

#include "advice/DataTags.h"
#include "advice/HashList.h"
#include "base/Bilingual.h"
#include "base/TextScanner.h"
#include "widgets/CustomLookAndFeel.h"

namespace
{
constexpr int sideMargin = 30;
constexpr int tabTop = 40;
constexpr int tabCaptionHeight = 20;
constexpr int tabOutlineHeight = 16;
constexpr int tabOutlineShrink = 8;
constexpr int tabCaptionOffset = 4;
constexpr int stripTop = 70;
constexpr int stripHeight = 20;
constexpr float tabCaptionMinimumScale = 0.7f;

constexpr Bilingual instructionText{ "Choose the tags associated with the advice",
                                     "Choisissez les tags associés au conseil" };
constexpr Bilingual genreTabCaption{ "Gen", "Sty" };
} // namespace

SpecialTagManager::SpecialTagManager (DataTags* tags)
    : dataTags (tags)
{
    jassert (dataTags != nullptr);

    titleLabel.setComponentID ("tag-picker-title");
    titleLabel.setColour (juce::Label::textColourId, juce::Colours::grey);
    titleLabel.setJustificationType (juce::Justification::centred);
    titleLabel.setFont (CustomLookAndFeel::programFont (12.0f, juce::Font::plain));

    descriptionLabel.setComponentID ("tag-picker-description");
    descriptionLabel.setColour (juce::Label::textColourId, juce::Colours::lightgrey);
    descriptionLabel.setJustificationType (juce::Justification::topLeft);
    descriptionLabel.setFont (CustomLookAndFeel::programFont (12.0f, juce::Font::plain));
    descriptionLabel.setMinimumHorizontalScale (1.0f);

    // The labels only show text: the mouse keeps talking to the picker over them, so that hover and
    // presses behave the same at any size, even where the description reaches over the strip.
    titleLabel.setInterceptsMouseClicks (false, false);
    descriptionLabel.setInterceptsMouseClicks (false, false);

    addAndMakeVisible (titleLabel);
    addAndMakeVisible (descriptionLabel);
}

SpecialTagManager::~SpecialTagManager() = default;

//==============================================================================
void SpecialTagManager::setLanguage (int newLanguage)
{
    language = newLanguage;
    titleLabel.setText (instructionText.in (language), juce::dontSendNotification);
    repaint();
}

void SpecialTagManager::setHashTags (const juce::String& hashList)
{
    selectedTags.clearQuick();

    // Only numbers followed by a comma count: a trailing number without one is dropped. Each entry reads
    // as the toolkit reads a number, in the list's order and with its repeats.
    HashList::forEachEntry (std::string_view (hashList.toRawUTF8(), hashList.getNumBytesAsUTF8()),
                            [this] (std::string_view entry)
                            { selectedTags.add (TextScanner::toString (entry).getIntValue()); });

    // The owner hands over another advice's tags while the picker is on screen.
    repaint();
}

juce::String SpecialTagManager::getHashTags() const
{
    return HashList::write (selectedTags);
}

void SpecialTagManager::setColour (juce::Colour newColour)
{
    colour = newColour;
    repaint();
}

void SpecialTagManager::setButtonClicked (int category)
{
    clickedCategory = juce::jlimit (0, numTabs - 1, category);
    displayDescription (false);
    repaint();
}

void SpecialTagManager::displayDescription (bool tagChanged)
{
    if (tagChanged && hoveredTag != -1)
    {
        const auto hash = getHashOfCell (hoveredTag);
        descriptionLabel.setText (dataTags->getDescriptionTags (hash), juce::dontSendNotification);
        titleLabel.setText (dataTags->getTags (hash), juce::dontSendNotification);
    }
    else if (hoveredCategory != -1)
    {
        descriptionLabel.setText (dataTags->getDescriptionCategory (hoveredCategory),
                                  juce::dontSendNotification);
        titleLabel.setText (dataTags->getNameCategory (hoveredCategory), juce::dontSendNotification);
    }
}

//==============================================================================
int SpecialTagManager::getHashOfCell (int cell) const
{
    return DataTags::getHash (clickedCategory, cell);
}

int SpecialTagManager::getNumTagsShown() const
{
    return DataTags::getNumTagsInCategory (clickedCategory);
}

juce::String SpecialTagManager::getTabCaption (int tab) const
{
    switch (tab)
    {
        case 0:
            return "Abs";
        case 1:
            return "Fct";
        case 2:
            return "Ins";
        case 3:
            return genreTabCaption.in (language);
        case 4:
            return "Thm";
        default:
            return {};
    }
}

bool SpecialTagManager::isInTabBand (juce::Point<float> position) const
{
    return position.y >= 41.0f && position.y <= 59.0f;
}

int SpecialTagManager::getTabAt (juce::Point<float> position) const
{
    if (!isInTabBand (position))
        return -1;

    // Wider than the drawn outlines, so that the gaps between two tabs still select one.
    const auto tabWidth = (getWidth() - 2 * sideMargin) / numTabs;

    if (tabWidth <= 0 || position.x < (float) sideMargin)
        return -1;

    const auto tab = (int) ((position.x - (float) sideMargin) / (float) tabWidth);
    return tab < numTabs ? tab : -1;
}

int SpecialTagManager::getCellAt (juce::Point<float> position) const
{
    const auto numTags = getNumTagsShown();
    const auto right = (float) (getWidth() - sideMargin);

    if (numTags <= 0 || position.y <= (float) stripTop || position.y >= (float) (stripTop + stripHeight) ||
        position.x <= (float) sideMargin || position.x >= right)
        return -1;

    const auto cellWidth = (float) (getWidth() - 2 * sideMargin) / (float) numTags;
    return juce::jmin (numTags - 1, (int) std::floor ((position.x - (float) sideMargin) / cellWidth));
}

void SpecialTagManager::removeTag (int hash)
{
    if (clickedCategory == 0)
    {
        int abstractionTagsChosen = 0;

        for (int abstractionHash = 0; abstractionHash < DataTags::getNumTagsInCategory (0); ++abstractionHash)
            if (selectedTags.contains (abstractionHash))
                ++abstractionTagsChosen;

        // Every advice keeps one abstraction level.
        if (abstractionTagsChosen < 2)
            return;
    }

    selectedTags.removeFirstMatchingValue (hash);
}

//==============================================================================
void SpecialTagManager::mouseMove (const juce::MouseEvent& event)
{
    const auto previousCategory = hoveredCategory;
    const auto previousTag = hoveredTag;

    hoveredCategory = getTabAt (event.position);
    hoveredTag = getCellAt (event.position);

    if (hoveredTag == -1)
        dragMode = -1;

    repaint();

    if (hoveredTag != previousTag || hoveredCategory != previousCategory)
        displayDescription (hoveredTag != previousTag);
}

void SpecialTagManager::mouseExit (const juce::MouseEvent&)
{
    if (hoveredCategory != -1 || hoveredTag != -1)
    {
        hoveredCategory = -1;
        hoveredTag = -1;
        displayDescription (true);
        repaint();
    }

    dragMode = -1;
}

void SpecialTagManager::mouseDown (const juce::MouseEvent& event)
{
    if (isInTabBand (event.position))
    {
        const auto tab = getTabAt (event.position);

        if (tab != -1)
        {
            clickedCategory = tab;
            repaint();
        }

        return;
    }

    const auto cell = getCellAt (event.position);

    if (cell == -1)
        return;

    const auto hash = getHashOfCell (cell);

    if (!selectedTags.contains (hash))
    {
        selectedTags.add (hash);
        dragMode = 1;
    }
    else
    {
        dragMode = 0;
        removeTag (hash);
    }

    sendChangeMessage();
    repaint();
}

void SpecialTagManager::mouseDrag (const juce::MouseEvent& event)
{
    const auto cell = getCellAt (event.position);

    if (cell == -1)
        return;

    const auto hash = getHashOfCell (cell);
    const auto chosen = selectedTags.contains (hash);

    if (chosen && dragMode == 0)
        removeTag (hash);
    else if (!chosen && dragMode == 1)
        selectedTags.add (hash);

    sendChangeMessage();
    hoveredCategory = -1;
    hoveredTag = cell;
    displayDescription (true);
    repaint();
}

void SpecialTagManager::mouseUp (const juce::MouseEvent&)
{
    dragMode = -1;
}

void SpecialTagManager::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    mouseWheel = wheel;
    sendActionMessage (wheelMessage);
}

//==============================================================================
void SpecialTagManager::paint (juce::Graphics& g)
{
    const auto width = getWidth();

    g.setFont (CustomLookAndFeel::programFont (14.0f, juce::Font::plain));
    const auto tabWidth = (width - 52) / numTabs;

    for (int tab = 0; tab < numTabs; ++tab)
    {
        const auto captionColour = tab == clickedCategory   ? juce::Colours::white
                                   : tab == hoveredCategory ? juce::Colours::lightgrey
                                                            : juce::Colours::grey;
        g.setColour (captionColour);
        g.drawFittedText (getTabCaption (tab), tab * tabWidth + sideMargin - tabCaptionOffset, tabTop,
                          tabWidth, tabCaptionHeight, juce::Justification::centredTop, 1,
                          tabCaptionMinimumScale);

        g.setColour (tab == clickedCategory ? juce::Colours::lightgrey : juce::Colours::darkgrey);
        g.drawRect (tab * tabWidth + sideMargin, tabTop, tabWidth - tabOutlineShrink, tabOutlineHeight, 1);
    }

    const auto numTags = getNumTagsShown();

    if (numTags <= 0)
        return;

    const auto stripWidth = width - 2 * sideMargin;
    const auto cellWidth = (float) stripWidth / (float) numTags;

    for (int cell = 0; cell < numTags; ++cell)
    {
        const auto cellColour = selectedTags.contains (getHashOfCell (cell)) ? colour.brighter (0.7f)
                                : cell == hoveredTag                         ? colour.brighter (0.25f)
                                                                             : colour;
        g.setColour (cellColour);
        g.fillRect (juce::Rectangle<float> ((float) sideMargin + (float) cell * cellWidth, (float) stripTop,
                                            cellWidth, (float) stripHeight));
    }

    g.setColour (juce::Colours::white);
    g.drawRect (sideMargin, stripTop, stripWidth, stripHeight, 1);

    for (int cell = 1; cell < numTags; ++cell)
    {
        const auto x = (float) sideMargin + (float) cell * cellWidth;
        g.drawLine (x, (float) (stripTop + 1), x, (float) (stripTop + stripHeight - 1));
    }
}

void SpecialTagManager::resized()
{
    titleLabel.setBounds (20, 10, getWidth() - 40, 24);
    descriptionLabel.setBounds (20, getHeight() - 80, getWidth() - 40, 90);
}
