// libFuzzer target: preset file text, read as the editor reads a ".vrs" file.
// The first byte chooses online or offline and the current model; the rest is the file's content.
// Besides "no crash", it checks that a written file's bytes read back to the tree and the title they were
// written from. The first write may round a value to its text form (a 4-digit frequency loses its
// decimals), so the values are compared on a tree that has already been through one write and read.
#include "model/Croot.h"
#include "model/Globals.h"
#include "model/PresetModelHost.h"
#include "model/PresetText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{
class FuzzHost : public PresetModelHost
{
public:
    bool isOffline() const override { return offline; }
    juce::String getModelCode() const override { return juce::String (model); }
    bool setModelFromCode (const juce::String& code) override
    {
        const int m = code.getIntValue();
        if (m < 0 || m > 38)
            return false;
        model = m;
        return true;
    }

    bool offline = true;
    int model = 0;
};

Croot& tree()
{
    static Croot* root = []
    {
        auto* r = new Croot();
        r->buildPaths();
        rootCell = r;
        return r;
    }();
    return *root;
}

juce::StringArray nodeLines()
{
    presetLines.clear();
    PresetText::buildOscDataText();
    return presetLines;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    tree();
    if (size == 0)
        return 0;

    static FuzzHost host;
    host.offline = (data[0] & 1) != 0;
    host.model = (data[0] >> 1) % 41;

    // The same decoding as reading a file from disk, from an aligned block as a file's contents are.
    const juce::MemoryBlock contents (data + 1, size - 1);
    const auto text = PresetText::textFromFileBytes (contents.getData(), contents.getSize());
    PresetText::parsePresetText (text, &host);
    const auto titleRead = presetTitle;

    // Whatever the text did to the tree, once written to a file's bytes and read back, it must stay as
    // it is, and the title must keep the text it was read with.
    const auto saveAndLoad = []
    {
        const auto bytes = PresetText::buildFileBytes (juce::String (host.model));
        PresetText::parsePresetText (PresetText::textFromFileBytes (bytes.getData(), bytes.getSize()), nullptr);
    };
    saveAndLoad();
    const auto before = nodeLines();
    saveAndLoad();
    const auto after = nodeLines();
    if (after != before || presetTitle != titleRead)
    {
        std::fprintf (stderr, "title read: %s\ntitle read back: %s\n", titleRead.toRawUTF8(), presetTitle.toRawUTF8());
        for (int i = 0; i < juce::jmax (before.size(), after.size()); ++i)
            if (before[i] != after[i])
                std::fprintf (stderr, "written: %s\nread back: %s\n", before[i].toRawUTF8(), after[i].toRawUTF8());
        std::abort();
    }

    return 0;
}
