// Shows every widget of the program in its states on the program's look, for the README's picture
// (`make screenshots`) and for looking at the widgets by hand.
#include "widgets/CustomLookAndFeel.h"
#include "widgets/SpecialButton.h"
#include "widgets/SpecialColourSelector.h"
#include "widgets/SpecialLabel.h"
#include "widgets/SpecialWheel.h"
#include "widgets/SyntheticMouse.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
const juce::String galleryFont ("Verdana");

// A combo box's pop-up list drawn as the toolkit draws it; a real one would open in a window of its own.
class PopupListPreview final : public juce::Component
{
public:
    PopupListPreview() = default;

    void paint (juce::Graphics& g) override
    {
        auto& look = getLookAndFeel();
        look.drawPopupMenuBackground (g, getWidth(), getHeight());

        // Combo boxes ask for items as high as their text, here 22 pixels.
        constexpr int standardItemHeight = 22;
        const juce::String items[] = { "All languages", "French sets only", "English sets only",
                                       "Favourites" };
        int y = 2;

        for (int i = 0; i < juce::numElementsInArray (items); ++i)
        {
            int idealWidth = 0;
            int idealHeight = 0;
            look.getIdealPopupMenuItemSize (items[i], false, standardItemHeight, idealWidth, idealHeight);
            look.drawPopupMenuItem (g, { 0, y, getWidth(), idealHeight }, false, true, i == 1, i == 0, false,
                                    items[i], {}, nullptr, nullptr);
            y += idealHeight;
        }
    }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PopupListPreview)
};

class GalleryComponent final : public juce::Component
{
public:
    GalleryComponent()
    {
        squareLook.setTypeButton (true);

        addGlyphButtons();
        addStateButtons();
        addLayoutButtons();
        addStandardWidgets();
        addEditorWidgets();

        setSize (900, 600);
    }

    ~GalleryComponent() override
    {
        for (auto& entry : entries)
            entry.component->setLookAndFeel (nullptr);
    }

    void paint (juce::Graphics& g) override
    {
        g.fillAll (juce::Colours::black);

        g.setColour (juce::Colours::orange);
        g.setFont (juce::Font (galleryFont, 15.0f, juce::Font::bold));

        for (const auto& heading : headings)
            g.drawText (heading.text, 10, heading.y, getWidth() - 20, 20, juce::Justification::centredLeft);

        g.setColour (juce::Colours::grey);
        g.setFont (juce::Font (galleryFont, 11.0f, juce::Font::plain));

        for (const auto& entry : entries)
            g.drawFittedText (entry.caption, entry.bounds.getX() - 10, entry.bounds.getBottom() + 2,
                              entry.bounds.getWidth() + 20, 14, juce::Justification::centredTop, 1, 0.8f);
    }

    void resized() override
    {
        for (auto& entry : entries)
            entry.component->setBounds (entry.bounds);
    }

    // Hover and press need a mouse; events are synthesised once the window is on screen, as the real
    // pointer (parked outside the window) would otherwise reset them.
    void showInteractionStates()
    {
        for (auto* component : hovered)
            component->mouseEnter (
                SyntheticMouse::event (*component, { 15.0f, component->getHeight() * 0.5f }));

        for (auto* component : pressed)
        {
            const juce::Point<float> centre (15.0f, component->getHeight() * 0.5f);
            component->mouseEnter (SyntheticMouse::event (*component, centre));
            component->mouseDown (SyntheticMouse::event (*component, centre));
        }

        // Pulled up into the middle zone: the knob shows the speed while the value keeps stepping.
        auto& wheel = *steppingWheel;
        const juce::Point<float> start (35.0f, 40.0f);
        auto drag = SyntheticMouse::event (wheel, start).withNewPosition (start.translated (0.0f, -20.0f));
        wheel.mouseDrag (drag);
    }

private:
    struct Entry
    {
        juce::Component* component;
        juce::Rectangle<int> bounds;
        juce::String caption;
    };

    struct Heading
    {
        juce::String text;
        int y;
    };

    template <typename ComponentType>
    ComponentType& add (std::unique_ptr<ComponentType> component, juce::Rectangle<int> bounds,
                        const juce::String& caption)
    {
        auto& reference = *component;
        addAndMakeVisible (reference);
        entries.push_back ({ &reference, bounds, caption });
        owned.push_back (std::move (component));
        return reference;
    }

    SpecialButton& addButton (juce::Rectangle<int> bounds, const juce::String& caption,
                              const juce::String& icon, juce::Colour colour, bool ring)
    {
        auto button = std::make_unique<SpecialButton>();
        button->setIcon (icon);
        button->setColour (colour);
        button->setSkin (ring);
        return add (std::move (button), bounds, caption);
    }

    void addGlyphButtons()
    {
        headings.push_back ({ "SpecialButton: glyphs and pictures (ring and disc)", 8 });

        constexpr int y = 32;
        int x = 10;
        const auto next = [&x] (int width)
        {
            const auto left = x;
            x += width + 12;
            return juce::Rectangle<int> (left, y, width, 40);
        };

        addButton (next (40), "+ ring", "+", juce::Colours::orange, true);
        addButton (next (40), "Menu ring", "Menu", juce::Colours::orange, true);
        addButton (next (40), "Favorite 0", "Favorite", juce::Colours::orange, true);
        addButton (next (40), "Favorite 1", "Favorite", juce::Colours::orange, true).setValue (1);
        addButton (next (40), "Back ring", "Back", juce::Colours::orange, true);
        addButton (next (40), "+ disc", "+", juce::Colours::darkslateblue, false);
        addButton (next (40), "Menu disc", "Menu", juce::Colours::darkslateblue, false);
        addButton (next (40), "Fav. disc", "Favorite", juce::Colours::darkslateblue, false);
        addButton (next (40), "New", "New", juce::Colours::forestgreen, false);
        addButton (next (40), "Duplicate", "Duplicate", juce::Colours::forestgreen, false);
        addButton (next (40), "Delete", "Delete", juce::Colours::forestgreen, false);

        auto& smallPlus = addButton (next (40), "+ small", "+", juce::Colours::darkslateblue, false);
        smallPlus.setSizeButton (true);
        auto& smallNew = addButton (next (40), "New small", "New", juce::Colours::forestgreen, false);
        smallNew.setSizeButton (true);
        auto& smallBack = addButton (next (40), "Back small", "Back", juce::Colours::orange, true);
        smallBack.setSizeButton (true);
    }

    void addStateButtons()
    {
        headings.push_back ({ "SpecialButton: states (the glow belongs to the disc style only)", 100 });

        constexpr int y = 124;
        int x = 10;
        const auto next = [&x] (int width)
        {
            const auto left = x;
            x += width + 22;
            return juce::Rectangle<int> (left, y, width, 40);
        };

        const auto toggleColour = juce::Colours::firebrick.brighter (0.15f).withHue (0.1f);

        addButton (next (45), "disc, state 0", "+", toggleColour, false);
        hovered.push_back (&addButton (next (45), "disc, hovered", "+", toggleColour, false));
        pressed.push_back (&addButton (next (45), "disc, pressed", "+", toggleColour, false));
        addButton (next (45), "disc, state 1", "+", toggleColour, false)
            .setSpecialState (SpecialButton::highlightedState);
        addButton (next (45), "disc, state 2", "+", toggleColour, false)
            .setSpecialState (SpecialButton::activeState);
        auto& selectedHovered = addButton (next (45), "state 2, hovered", "+", toggleColour, false);
        selectedHovered.setSpecialState (SpecialButton::activeState);
        hovered.push_back (&selectedHovered);
        addButton (next (45), "ring, state 1", "+", juce::Colours::orange, true)
            .setSpecialState (SpecialButton::highlightedState);
        pressed.push_back (&addButton (next (45), "ring, pressed", "+", juce::Colours::orange, true));
        hovered.push_back (&addButton (next (45), "ring, hovered", "+", juce::Colours::orange, true));
    }

    void addLayoutButtons()
    {
        headings.push_back (
            { "SpecialButton: label layouts 0 to 4 and 7 (shown always, or while hovered)", 190 });

        constexpr int y = 214;
        int x = 10;
        const auto next = [&x] (int width, int height)
        {
            const auto left = x;
            x += width + 8;
            return juce::Rectangle<int> (left, y, width, height);
        };

        const juce::Colour layoutColours[] = { juce::Colours::orange, juce::Colours::darkslateblue };

        // 7 names no placement: it shows what an unknown code draws.
        const int layoutCodes[] = { SpecialButton::labelBeside,          SpecialButton::labelAbove,
                                    SpecialButton::labelBelow,           SpecialButton::labelAboveFromCentre,
                                    SpecialButton::labelBelowFromCentre, 7 };

        for (const auto code : layoutCodes)
        {
            auto& button = addButton (next (120, 57), "layout " + juce::String (code), "+",
                                      layoutColours[code % 2], code % 2 == 0);
            button.setPositionLabel (code);
            button.setLabel ("Layout " + juce::String (code));
            button.setDisplay (true);
        }

        auto& hoverOnly =
            addButton (next (120, 57), "display false, hovered", "Menu", juce::Colours::orange, true);
        hoverOnly.setPositionLabel (SpecialButton::labelBelow);
        hoverOnly.setLabel ("Menu");
        hovered.push_back (&hoverOnly);
    }

    void addStandardWidgets()
    {
        headings.push_back (
            { "CustomLookAndFeel: text buttons, combo boxes, labels, text editor, link", 296 });

        constexpr int y = 320;

        add (std::make_unique<juce::TextButton> ("OK"), { 10, y, 80, 30 }, "orange outline");
        hovered.push_back (&add (std::make_unique<juce::TextButton> ("OK"), { 100, y, 80, 30 }, "hovered"));
        add (std::make_unique<juce::TextButton> ("Cancel"), { 190, y, 80, 30 }, "disabled")
            .setEnabled (false);

        add (std::make_unique<juce::TextButton> ("Save"), { 290, y, 80, 30 }, "square grey")
            .setLookAndFeel (&squareLook);
        auto& squareHovered =
            add (std::make_unique<juce::TextButton> ("Save"), { 380, y, 80, 30 }, "hovered");
        squareHovered.setLookAndFeel (&squareLook);
        hovered.push_back (&squareHovered);

        for (const auto enabled : { true, false })
        {
            auto combo = std::make_unique<juce::ComboBox>();
            combo->addItem (juce::CharPointer_UTF8 ("Toutes les langues"), 1);
            combo->addItem ("French sets only", 2);
            combo->setSelectedId (1, juce::dontSendNotification);
            combo->setEnabled (enabled);
            add (std::move (combo), { enabled ? 480 : 690, y, 200, 24 }, enabled ? "" : "disabled combo box");
        }

        const juce::String advice (juce::CharPointer_UTF8 ("\xc3\x89"
                                                           "crivez une m"
                                                           "\xc3\xa9"
                                                           "lodie sans jamais r"
                                                           "\xc3\xa9"
                                                           "p"
                                                           "\xc3\xa9"
                                                           "ter deux fois "
                                                           "la m"
                                                           "\xc3\xaa"
                                                           "me note : o"
                                                           "\xc3\xb9"
                                                           " va-t-elle ?"));

        auto wrapped = std::make_unique<juce::Label> (juce::String(), advice);
        wrapped->setFont (juce::Font (galleryFont, 14.0f, juce::Font::plain));
        wrapped->setColour (juce::Label::textColourId, juce::Colours::white);
        wrapped->setJustificationType (juce::Justification::centred);
        wrapped->setMinimumHorizontalScale (1.0f);
        add (std::move (wrapped), { 10, 376, 240, 64 }, "label, scale 1.0: wrapped");

        auto fitted = std::make_unique<juce::Label> (juce::String(), advice);
        fitted->setFont (juce::Font (galleryFont, 14.0f, juce::Font::plain));
        fitted->setJustificationType (juce::Justification::centred);
        fitted->setMinimumHorizontalScale (0.7f);
        add (std::move (fitted), { 260, 376, 200, 24 }, "label, scale 0.7: fitted");

        add (std::make_unique<PopupListPreview>(), { 480, 348, 200, 4 * 15 + 4 },
             "combo box and its pop-up list");

        auto editor = std::make_unique<juce::TextEditor>();
        editor->setText ("A text editor");
        add (std::move (editor), { 700, 360, 180, 24 }, "text editor");

        auto link = std::make_unique<juce::HyperlinkButton> ("musewheeler.example", juce::URL());
        link->setFont (juce::Font (galleryFont, 14.0f, juce::Font::plain), false);
        add (std::move (link), { 700, 404, 180, 24 }, "hyperlink");
    }

    void addEditorWidgets()
    {
        headings.push_back ({ "SpecialLabel, SpecialWheel and SpecialColourSelector", 466 });

        constexpr int y = 494;

        const auto makeLabel = [] (const juce::String& text)
        {
            auto label = std::make_unique<SpecialLabel>();
            label->setText (text, juce::dontSendNotification);
            label->setFont (juce::Font (galleryFont, 16.0f, juce::Font::plain));
            label->setColour (juce::Label::textColourId, juce::Colours::white);
            label->setJustificationType (juce::Justification::centred);
            label->setEditable (true, false, false);
            return label;
        };

        add (makeLabel ("Editable label"), { 10, y, 160, 24 }, "special label");
        hovered.push_back (&add (makeLabel ("Editable label"), { 10, y + 44, 160, 24 }, "hovered: dimmed"));

        auto freeText = makeLabel ("A free-text field, framed");
        freeText->setIsATextEditor (true);
        freeText->setFont (juce::Font (galleryFont, 14.0f, juce::Font::plain));
        freeText->setJustificationType (juce::Justification::topLeft);
        add (std::move (freeText), { 190, y, 170, 68 }, "free-text field");

        auto idle = std::make_unique<SpecialWheel>();
        idle->setMaximum (12);
        idle->setValue (4);
        add (std::move (idle), { 380, y, 70, 70 }, "wheel");

        auto stepping = std::make_unique<SpecialWheel>();
        stepping->setMaximum (300);
        stepping->setValue (150);
        steppingWheel = &add (std::move (stepping), { 460, y, 70, 70 }, "pulled up");

        auto empty = std::make_unique<SpecialWheel>();
        empty->setMaximum (-1);
        empty->setValue (-1);
        add (std::move (empty), { 540, y, 70, 70 }, "nothing to select");

        auto colours = std::make_unique<SpecialColourSelector>();
        colours->setColour (juce::Colours::orange);
        add (std::move (colours), { 600, y - 8, 300, 90 }, "colour selector, 300 x 90");
    }

    CustomLookAndFeel squareLook;
    std::vector<std::unique_ptr<juce::Component>> owned;
    std::vector<Entry> entries;
    std::vector<Heading> headings;
    std::vector<juce::Component*> hovered;
    std::vector<juce::Component*> pressed;
    SpecialWheel* steppingWheel = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GalleryComponent)
};

class GalleryWindow final : public juce::DocumentWindow
{
public:
    GalleryWindow()
        : juce::DocumentWindow ("Widget Gallery", juce::Colours::black, juce::DocumentWindow::closeButton,
                                true)
    {
        setUsingNativeTitleBar (true);
        setResizable (false, false);
        setContentOwned (new GalleryComponent(), true);
        setTopLeftPosition (0, 0);
        setVisible (true);
    }

    void closeButtonPressed() override { juce::JUCEApplication::getInstance()->systemRequestedQuit(); }

    GalleryComponent& getGallery() { return *dynamic_cast<GalleryComponent*> (getContentComponent()); }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GalleryWindow)
};

class WidgetGalleryApplication final : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "Widget Gallery"; }
    const juce::String getApplicationVersion() override { return "1.0"; }
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String&) override
    {
        juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
        window = std::make_unique<GalleryWindow>();

        juce::Timer::callAfterDelay (500,
                                     [this]
                                     {
                                         if (window != nullptr)
                                             window->getGallery().showInteractionStates();
                                     });
    }

    void shutdown() override
    {
        window.reset();
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    }

private:
    CustomLookAndFeel lookAndFeel;
    std::unique_ptr<GalleryWindow> window;
};
} // namespace

START_JUCE_APPLICATION (WidgetGalleryApplication)
