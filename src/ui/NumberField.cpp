#include "NumberField.h"

#include "Palette.h"

std::unique_ptr<juce::TextEditor> makeNumberField (const juce::String& name)
{
    auto editor = std::make_unique<juce::TextEditor> (name);
    editor->setMultiLine (false);
    editor->setReturnKeyStartsNewLine (false);
    editor->setReadOnly (false);
    editor->setScrollbarsShown (false);
    editor->setCaretVisible (true);
    editor->setPopupMenuEnabled (false);
    editor->setSelectAllWhenFocused (true);
    editor->setIndents (8, 0);
    editor->setColour (juce::TextEditor::textColourId, palette::caption);
    editor->setColour (juce::TextEditor::backgroundColourId, palette::background);
    editor->setColour (juce::TextEditor::outlineColourId, palette::grey);
    editor->setColour (juce::TextEditor::highlightedTextColourId, palette::background);
    editor->setColour (juce::TextEditor::highlightColourId, palette::lightBlue);
    editor->setColour (juce::CaretComponent::caretColourId, palette::lightText);
    return editor;
}

juce::String typedNumberText (const juce::TextEditor& field)
{
    return field.getText().trim();
}

bool keepsHeldText (juce::TextEditor& field, const juce::String& heldText)
{
    if (typedNumberText (field) != heldText.trim())
        return false;

    field.setText (heldText, false);
    field.selectAll();
    return true;
}

void keepKnobValueOnTextWithoutNumber (juce::Slider& knob)
{
    // The framework's own reading (leading white space and '+' signs skipped, then the leading run of
    // digits, points, commas and minus signs), which turns a run without digits into 0. Read in one pass
    // with a moving pointer: a pasted text may hold a million signs.
    auto* slider = &knob;
    knob.valueFromTextFunction = [slider] (const juce::String& text)
    {
        auto p = text.getCharPointer();
        while (p.isWhitespace() || *p == '+')
            ++p;

        const auto number = juce::String (p).initialSectionContainingOnly ("0123456789.,-");
        if (! number.containsAnyOf ("0123456789"))
            return slider->getValue();

        return number.getDoubleValue();
    };
}
