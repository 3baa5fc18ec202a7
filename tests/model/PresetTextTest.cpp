// The preset file text: writing the tree, reading it back, and what the reader does with files from outside.
#include <gtest/gtest.h>

#include "model/Croot.h"
#include "model/Globals.h"
#include "model/PresetModelHost.h"
#include "model/PresetText.h"

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{
/** A stand-in for the Setup page: offline or online with a model; records the codes offered offline
    and the delay the tree held at that moment. */
class FakeHost : public PresetModelHost
{
public:
    bool isOffline() const override { return offline; }
    juce::String getModelCode() const override { return juce::String (model); }
    bool setModelFromCode (const juce::String& code) override
    {
        codesOffered.add (code);
        delayWhenOffered = rootCell->delay->del->getFloat();
        const int m = code.getIntValue();
        if (m < 0 || m > 38)
            return false;
        model = m;
        return true;
    }

    bool offline = true;
    int model = 40;
    juce::StringArray codesOffered;
    float delayWhenOffered = -1.0f;
};

/** The file written for the built-in start-up values with the title "INIT" and model 12. */
const char* const initFileText =
    "INIT\r\n"
    "VRMODELCODE 12\r\n"
    "BEGIN_OSC_DATA\r\n"
    "/peq/01,sfff LS6 100.0  +0.0 1.00\r\n"
    "/peq/02,sfff HS6 10000  +0.0 1.00\r\n"
    "/peq/03,sfff PEQ 500.0  +0.0 1.00\r\n"
    "/peq/04,sfff PEQ  2000  +0.0 1.00\r\n"
    "/rsq/01,sfff OFF  40.0  +0.0 10.0\r\n"
    "/rsq/02,sfff OFF 100.0  +0.0 10.0\r\n"
    "/rsq/03,sfff OFF 200.0  +0.0 10.0\r\n"
    "/rsq/04,sfff OFF 400.0  +0.0 10.0\r\n"
    "/rsq/05,sfff OFF  1000  +0.0 10.0\r\n"
    "/rsq/06,sfff OFF  2000  +0.0 10.0\r\n"
    "/rsq/07,sfff OFF  4000  +0.0 10.0\r\n"
    "/rsq/08,sfff OFF 10000  +0.0 10.0\r\n"
    "/delay,fi   0.00 0\r\n"
    "/limiter,f  0.0\r\n"
    "/xover,ifi 0 100.0 0\r\n"
    "/input,ifi 0 -30.0 0\r\n"
    "/position,i 0\r\n"
    "/eqmode,i 0\r\n"
    "/rsqmode,i 0\r\n"
    "/setup,ii 0 0\r\n"
    "/model,i 0\r\n"
    "/devname,s \r\n"
    "END_OSC_DATA";

class PresetTextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();
        PresetText::parsePresetText (PresetText::initDataText, nullptr);
        folder = juce::File::createTempFile ("presets");
        ASSERT_TRUE (folder.createDirectory().wasOk());
    }

    void TearDown() override
    {
        // Removes whatever a test made, sockets and FIFOs included.
        std::error_code ignored;
        std::filesystem::remove_all (folder.getFullPathName().toStdString(), ignored);
        root.reset();
        presetLines.clear();
        presetTitle.clear();
    }

    /** Every node line of the current tree, in tree order. */
    static juce::StringArray nodeLines()
    {
        presetLines.clear();
        PresetText::buildOscDataText();
        juce::StringArray lines (presetLines);
        lines.removeRange (0, 1);
        lines.removeRange (lines.size() - 1, 1);
        return lines;
    }

    /** Reads `body` framed as a preset (title, BEGIN, body, END) and returns parsePresetText's result. */
    int readBlock (const juce::String& body)
    {
        return PresetText::parsePresetText ("T\nBEGIN_OSC_DATA\n" + body + "\nEND_OSC_DATA", &host);
    }

    juce::File file (const char* name) const { return folder.getChildFile (name); }

    std::unique_ptr<Croot> root;
    juce::File folder;
    FakeHost host;
};
} // namespace

//==============================================================================
TEST_F (PresetTextTest, BuiltInTextHasItsFixedShape)
{
    const juce::String text (PresetText::initDataText);
    EXPECT_EQ (text.length(), 843);
    EXPECT_FALSE (text.endsWithChar ('\n'));

    auto lines = juce::StringArray::fromTokens (text, "\n", {});
    ASSERT_EQ (lines.size(), 23);
    EXPECT_EQ (lines[0], "INIT DATA  ");
    for (int i = 1; i < 22; ++i)
        EXPECT_EQ (lines[i].length(), 38) << i;
    EXPECT_EQ (lines[22], "END_OSC_DATA");
}

TEST_F (PresetTextTest, BuiltInTextGivesTheStartUpValues)
{
    root->devname->speakername->fromText ("Keep");
    root->model->model->setIndex (5);
    root->peq->bands[0]->gain->setFromFloat (6.0f);

    EXPECT_EQ (PresetText::parsePresetText (PresetText::initDataText, &host), 0);

    const char* types[] = { "LS6", "HS6", "PEQ", "PEQ" };
    const float freqs[] = { 100.0f, 10000.0f, 500.0f, 2000.0f };
    for (int b = 0; b < 4; ++b)
    {
        auto* band = root->peq->bands[b];
        EXPECT_STREQ (peqTypeNames[band->type->getIndex()], types[b]);
        EXPECT_NEAR (band->freq->getFloat(), freqs[b], freqs[b] * 0.006f);
        EXPECT_FLOAT_EQ (band->gain->getFloat(), 0.0f);
        EXPECT_NEAR (band->qual->getFloat(), 1.0f, 0.01f);
    }
    for (auto* band : root->rsq->bands)
        EXPECT_EQ (band->type->getIndex(), 0);
    EXPECT_FLOAT_EQ (root->input->gain->getFloat(), -30.0f);
    EXPECT_NEAR (root->xover->freq->getFloat(), 100.0f, 0.5f);

    // Not in the built-in text: they keep their values; no model code, so the host is not asked.
    EXPECT_EQ (root->model->model->getIndex(), 5);
    char name[Cnode::textBufferSize] = {};
    root->devname->speakername->toText (name);
    EXPECT_STREQ (name, "Keep");
    EXPECT_TRUE (host.codesOffered.isEmpty());
    EXPECT_EQ (presetTitle, "INIT DATA  ");
}

//==============================================================================
TEST_F (PresetTextTest, WrittenFileMatchesTheFormatByteForByte)
{
    presetTitle = "INIT";
    ASSERT_TRUE (PresetText::saveFile (file ("init.vrs"), "12").wasOk());

    juce::MemoryBlock written;
    ASSERT_TRUE (file ("init.vrs").loadFileAsData (written));
    EXPECT_EQ (written.toString(), juce::String (initFileText));
    EXPECT_EQ (written.getSize(), std::strlen (initFileText));
}

TEST_F (PresetTextTest, SaveThenLoadGivesTheSameTree)
{
    auto* band = root->peq->bands[1];
    band->type->fromText ("PEQ");
    band->freq->setFromFloat (1234.0f);
    band->gain->setFromFloat (3.5f);
    band->qual->setFromFloat (2.5f);
    root->rsq->bands[7]->type->setIndex (3);
    root->delay->del->setFromFloat (12.34f);
    root->delay->pol->setIndex (180);
    root->limiter->thres->setFromFloat (-7.5f);
    root->xover->type->setIndex (3);
    root->input->source->setIndex (5);
    root->setup->screen->setIndex (1);
    root->setup->logo->setIndex (2);
    root->model->model->setIndex (3);
    root->devname->speakername->fromText ("My Spk");

    const auto before = nodeLines();
    presetTitle = "Round trip";
    ASSERT_TRUE (PresetText::saveFile (file ("trip.vrs"), "12").wasOk());

    // Back to the start-up values, then load.
    PresetText::parsePresetText (PresetText::initDataText, nullptr);
    root->devname->speakername->fromText ("");
    root->model->model->setIndex (0);
    ASSERT_NE (nodeLines(), before);

    host.offline = false;
    host.model = 12;
    EXPECT_TRUE (PresetText::loadFile (file ("trip.vrs"), &host).wasOk());
    EXPECT_EQ (nodeLines(), before);
    EXPECT_EQ (presetTitle, "Round trip");
}

TEST_F (PresetTextTest, EveryLimiterThresholdSurvivesSaveAndLoad)
{
    auto* thres = root->limiter->thres;

    for (int i = 0; i <= thres->maxIndex; ++i)
    {
        thres->setIndex (i);
        const auto text = PresetText::buildPresetText ("12");
        thres->setIndex (i == 0 ? 1 : 0);
        PresetText::parsePresetText (text, &host);
        EXPECT_EQ (thres->index, i) << text;
    }

    // Only a value the fixed width cannot hold is written wider; the others keep their bytes.
    const std::pair<float, const char*> lines[] = {
        { -12.5f, "/limiter,f -12.5" }, { -12.0f, "/limiter,f  -12" }, { -7.5f, "/limiter,f -7.5" },
        { -30.0f, "/limiter,f  -30" }, { 0.0f, "/limiter,f  0.0" } };
    for (auto& [value, line] : lines)
    {
        thres->setFromFloat (value);
        EXPECT_TRUE (nodeLines().contains (line)) << line;
    }
}

TEST_F (PresetTextTest, FileNamesTakeTheVrsExtension)
{
    ASSERT_TRUE (PresetText::saveFile (file ("name"), "3").wasOk());
    ASSERT_TRUE (PresetText::saveFile (file ("other.txt"), "3").wasOk());
    EXPECT_TRUE (file ("name.vrs").existsAsFile());
    EXPECT_TRUE (file ("other.vrs").existsAsFile());
    EXPECT_FALSE (file ("name").exists());
    EXPECT_FALSE (file ("other.txt").exists());

    // Loading name.txt reads name.vrs, whatever name.txt holds.
    ASSERT_TRUE (file ("pick.vrs").replaceWithText ("P\nBEGIN_OSC_DATA\n/delay,fi 40.00 0\nEND_OSC_DATA"));
    ASSERT_TRUE (file ("pick.txt").replaceWithText ("T\nBEGIN_OSC_DATA\n/delay,fi 90.00 0\nEND_OSC_DATA"));
    EXPECT_TRUE (PresetText::loadFile (file ("pick.txt"), &host).wasOk());
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 40.0f);
    EXPECT_EQ (presetTitle, "P");
}

TEST_F (PresetTextTest, TitleLineStaysOneLineAndCannotHideTheKeywords)
{
    root->delay->del->setFromFloat (55.0f);
    presetTitle = "END_OSC_DATA\nx";
    ASSERT_TRUE (PresetText::saveFile (file ("t.vrs"), "12").wasOk());
    EXPECT_TRUE (file ("t.vrs").loadFileAsString().startsWith ("END_OSC_DATA x\r\nVRMODELCODE 12\r\n"));

    root->delay->del->setFromFloat (0.0f);
    host.offline = false;
    host.model = 12;
    EXPECT_TRUE (PresetText::loadFile (file ("t.vrs"), &host).wasOk());
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 55.0f);
}

//==============================================================================
TEST_F (PresetTextTest, OnlineTheModelCodeMustMatch)
{
    host.offline = false;
    host.model = 12;
    root->delay->del->setFromFloat (1.0f);

    const juce::String body ("\nVRMODELCODE @\nBEGIN_OSC_DATA\n/delay,fi 20.00 0\nEND_OSC_DATA");

    EXPECT_EQ (PresetText::parsePresetText ("Other" + body.replace ("@", "5"), &host), 1);
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 1.0f);
    EXPECT_EQ (presetTitle, "Other");

    ASSERT_TRUE (file ("five.vrs").replaceWithText ("Five" + body.replace ("@", "5")));
    const auto refused = PresetText::loadFile (file ("five.vrs"), &host);
    EXPECT_TRUE (refused.failed());
    EXPECT_EQ (refused.getErrorMessage(), "Preset doesn't match to current speaker model!");
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 1.0f);

    EXPECT_EQ (PresetText::parsePresetText ("Same" + body.replace ("@", "12"), &host), 0);
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 20.0f);
    EXPECT_TRUE (host.codesOffered.isEmpty());
}

TEST_F (PresetTextTest, OfflineTheCodeSwitchesTheModelBeforeTheValues)
{
    root->delay->del->setFromFloat (1.0f);
    const juce::String body ("T\nVRMODELCODE @\nBEGIN_OSC_DATA\n/delay,fi 20.00 0\nEND_OSC_DATA");

    EXPECT_EQ (PresetText::parsePresetText (body.replace ("@", "5"), &host), 0);
    EXPECT_EQ (host.codesOffered, juce::StringArray ("5"));
    EXPECT_FLOAT_EQ (host.delayWhenOffered, 1.0f);
    EXPECT_EQ (host.model, 5);
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 20.0f);

    // A code the host refuses leaves its model; the values are applied all the same.
    root->delay->del->setFromFloat (1.0f);
    EXPECT_EQ (PresetText::parsePresetText (body.replace ("@", "45"), &host), 0);
    EXPECT_EQ (host.model, 5);
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 20.0f);
}

TEST_F (PresetTextTest, KeywordsInAnyCaseAfterLeadingWhiteSpace)
{
    EXPECT_EQ (PresetText::parsePresetText ("T\n  vrmodelcode 7\n\tbegin_osc_data\n/delay,fi 30.00 0\n end_Osc_Data\n"
                                            "/delay,fi 60.00 0\n",
                                            &host),
               0);
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 30.0f);
    EXPECT_EQ (host.codesOffered, juce::StringArray ("7"));
}

TEST_F (PresetTextTest, BlanksAndLineEndsAreTolerated)
{
    EXPECT_EQ (readBlock ("/delay, fi 12.00 90"), 0);
    const auto withBlank = nodeLines();
    EXPECT_EQ (readBlock ("/delay,fi 12.00 90"), 0);
    EXPECT_EQ (nodeLines(), withBlank);
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 12.0f);
    EXPECT_EQ (root->delay->pol->getIndex(), 90);

    EXPECT_EQ (readBlock ("/delay,fi     8.00    45    "), 0);
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 8.0f);
    EXPECT_EQ (root->delay->pol->getIndex(), 45);

    EXPECT_EQ (PresetText::parsePresetText ("T\rBEGIN_OSC_DATA\r/limiter,f -3.0\rEND_OSC_DATA", &host), 0);
    EXPECT_FLOAT_EQ (root->limiter->thres->getFloat(), -3.0f);
    EXPECT_EQ (PresetText::parsePresetText ("T\r\nBEGIN_OSC_DATA\r\n/limiter,f -4.5\r\nEND_OSC_DATA\r\n", &host), 0);
    EXPECT_FLOAT_EQ (root->limiter->thres->getFloat(), -4.5f);
    EXPECT_EQ (readBlock ("/peq/02,sfff PEQ 10k +1.0 1.0"), 0);
    EXPECT_NEAR (root->peq->bands[1]->freq->getFloat(), 10000.0f, 60.0f);
}

//==============================================================================
TEST_F (PresetTextTest, MalformedLinesAreSkippedOrEndTheReading)
{
    // Skipped: no ",", no blank after the type tags, no values, an empty line.
    EXPECT_EQ (readBlock ("/delay 77.00 0\n/delay,fi\n/delay,fi    \n\n/limiter,f -6.0"), 0);
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 0.0f);
    EXPECT_FLOAT_EQ (root->limiter->thres->getFloat(), -6.0f);

    // An address that names no node, or names a parameter, ends the reading: lines before it stay applied, later ones are not.
    const char* unknown[] = { "/nothing,i 1", "/peq/01/gain,f 3.0", ",sfff PEQ 1k +1.0 1.0", "delay,fi 5.00 0",
                              "/,i 1" };
    for (auto* line : unknown)
    {
        root->limiter->thres->setFromFloat (0.0f);
        root->input->source->setIndex (0);
        EXPECT_EQ (readBlock (juce::String ("/limiter,f -9.0\n") + line + "\n/input,ifi 4 0.0 0"), -1) << line;
        EXPECT_FLOAT_EQ (root->limiter->thres->getFloat(), -9.0f) << line;
        EXPECT_EQ (root->input->source->getIndex(), 0) << line;
    }

    // A group node's line has no values to apply and the reading goes on.
    root->input->source->setIndex (0);
    EXPECT_EQ (readBlock ("/peq,s PEQ\n/rsq,sfff AUTOM 1k +1.0 20.0\n/input,ifi 4 0.0 0"), 0);
    EXPECT_EQ (root->input->source->getIndex(), 4);
    EXPECT_EQ (root->peq->bands[0]->type->getIndex(), 2);
    EXPECT_EQ (root->rsq->bands[0]->type->getIndex(), 0);

    // A value that cannot be read also ends the reading.
    EXPECT_EQ (readBlock ("/position,i x\n/eqmode,i 3"), -1);
    EXPECT_EQ (root->eqmode->mode->getIndex(), 0);
}

TEST_F (PresetTextTest, MisplacedKeywordsApplyNothing)
{
    const auto before = nodeLines();
    EXPECT_EQ (PresetText::parsePresetText ("T\nBEGIN_OSC_DATA\n/delay,fi 5.00 0\n", &host), 0);
    EXPECT_EQ (PresetText::parsePresetText ("T\nEND_OSC_DATA\n/delay,fi 5.00 0\nBEGIN_OSC_DATA\n", &host), 0);
    EXPECT_EQ (PresetText::parsePresetText ("T\n/delay,fi 5.00 0\nEND_OSC_DATA", &host), 0);
    EXPECT_EQ (PresetText::parsePresetText ({}, &host), 0);
    EXPECT_EQ (nodeLines(), before);
    EXPECT_EQ (presetTitle, "");
}

TEST_F (PresetTextTest, InputFromOutsideNeverCorruptsOtherNodes)
{
    const auto before = nodeLines();

    // An overlong line: the delay takes its value, nothing else changes.
    EXPECT_NE (readBlock ("/delay,fi " + juce::String::repeatedString ("9", 20000) + " 0 "
                          + juce::String::repeatedString ("x ", 5000)),
               1);
    auto after = nodeLines();
    for (int i = 0; i < before.size(); ++i)
    {
        if (! before[i].startsWith ("/delay,"))
        {
            EXPECT_EQ (after[i], before[i]);
        }
    }

    // A long speaker name keeps at most 10 characters.
    EXPECT_EQ (readBlock ("/devname,s " + juce::String::repeatedString ("N", 500)), 0);
    char name[Cnode::textBufferSize] = {};
    root->devname->speakername->toText (name);
    EXPECT_STREQ (name, "NNNNNNNNNN");

    // A file that is not text at all.
    juce::MemoryBlock bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append ("\x00\xff\xfe\x80\x0d\x0a,/ \xc3", 1 + (size_t) (i * 7) % 10);
    ASSERT_TRUE (file ("bin.vrs").replaceWithData (bytes.getData(), bytes.getSize()));
    root->devname->speakername->fromText ("");
    const auto beforeBinary = nodeLines();
    EXPECT_TRUE (PresetText::loadFile (file ("bin.vrs"), &host).wasOk());
    EXPECT_EQ (nodeLines(), beforeBinary);

    // Far too large to be a preset: not read.
    ASSERT_TRUE (file ("big.vrs").replaceWithText ("T\nBEGIN_OSC_DATA\n/delay,fi 5.00 0\nEND_OSC_DATA\n"
                                                   + juce::String::repeatedString ("#", 2 * 1024 * 1024)));
    EXPECT_TRUE (PresetText::loadFile (file ("big.vrs"), &host).wasOk());
    EXPECT_EQ (nodeLines(), beforeBinary);
}

TEST (PresetFileBytes, ReadAsTheTextTheyHold)
{
    // UTF-16 after its byte-order mark, in either byte order.
    const auto utf16 = [] (const std::u16string& units, bool bigEndian)
    {
        std::string bytes = bigEndian ? "\xfe\xff" : "\xff\xfe";
        for (auto u : units)
        {
            const char high = (char) (u >> 8), low = (char) (u & 0xff);
            bytes += bigEndian ? std::string { high, low } : std::string { low, high };
        }
        return bytes;
    };
    const struct { const char* what; std::string bytes; const char* utf8; } rows[] = {
        { "UTF-16 LE, a pair", utf16 (u"A\U0001F600", false), "A\xf0\x9f\x98\x80" },
        { "UTF-16 BE, a pair", utf16 (u"B\u00fchne \U0001F600", true), "B\xc3\xbchne \xf0\x9f\x98\x80" },
        { "unpaired high", utf16 (u"A\xd83d" u"B", false), "A\xef\xbf\xbd" "B" },
        { "unpaired low", utf16 (u"\xde00" u"B", true), "\xef\xbf\xbd" "B" },
        { "high at the end", utf16 (u"A\xd83d", false), "A\xef\xbf\xbd" },
        { "the mark alone", "\xff\xfe", "" },
        { "odd length", utf16 (u"AB", false) + "C", "AB" },
        { "zero unit", utf16 (std::u16string (u"A\0B", 3), true), "A" },
        { "UTF-8 cut off at the end", "A\xe2\x82", "A\xc3\xa2\xe2\x80\x9a" },
        { "Windows code page", "\x80 B\xfchne", "\xe2\x82\xac B\xc3\xbchne" },
        { "zero byte ends the text", std::string ("B\xc3\xbc\0\x80", 5), "B\xc3\xbc" },
        { "UTF-8 of surrogates", "\xed\xa0\xbd\xed\xb8\x80", "\xc3\xad\xc2\xa0\xc2\xbd\xc3\xad\xc2\xb8\xe2\x82\xac" },
    };

    for (auto& row : rows)
    {
        // A block of exactly the file's size, as a file is read: nothing after it may be looked at.
        const juce::MemoryBlock block (row.bytes.data(), row.bytes.size());
        EXPECT_EQ (PresetText::textFromFileBytes (block.getData(), block.getSize()), juce::String::fromUTF8 (row.utf8))
            << row.what;
    }
}

TEST_F (PresetTextTest, Utf16TextsKeepThemselvesThroughSaveAndLoad)
{
    // Written by a text editor as UTF-16: a title with a character beyond U+FFFF and an unpaired
    // surrogate, begun with a second byte-order mark, and a speaker name beyond ASCII.
    const std::u16string content = u"\ufeff\ufeffShow \U0001F600 \xd800!\r\nVRMODELCODE 12\r\nBEGIN_OSC_DATA\r\n"
                                    u"/devname,s B\u00fchne\r\nEND_OSC_DATA\r\n";
    std::string bytes;
    for (auto u : content)
        bytes += { (char) (u & 0xff), (char) (u >> 8) };
    ASSERT_TRUE (file ("utf16.vrs").replaceWithData (bytes.data(), bytes.size()));

    const auto title = juce::String::fromUTF8 ("\xef\xbb\xbfShow \xf0\x9f\x98\x80 \xef\xbf\xbd!");
    const auto name = "/devname,s " + juce::String::fromUTF8 ("B\xc3\xbchne");

    for (auto* loaded : { "utf16.vrs", "saved.vrs", "saved.vrs" })
    {
        ASSERT_TRUE (PresetText::loadFile (file (loaded), &host).wasOk()) << loaded;
        EXPECT_EQ (presetTitle, title) << loaded;
        EXPECT_TRUE (nodeLines().contains (name)) << loaded;
        ASSERT_TRUE (PresetText::saveFile (file ("saved.vrs"), "12").wasOk()) << loaded;
    }
}

// Its tests run under a short time-out of their own (tests/CMakeLists.txt): far longer than they take,
// far shorter than a reading whose time grows with the square of the text.
class ReadInOnePass : public PresetTextTest
{
};

TEST_F (ReadInOnePass, PresetLinesOfBlanksUpToTheFileSizeCap)
{
    // One line of a file at the size cap, its blanks after the "," or after the type tags.
    const struct { const char* start; const char* end; float delay; } shapes[] = {
        { "/delay,", "fi 6.00 0", 6.0f },
        { "/delay,fi", "7.00 0", 7.0f },
    };

    for (auto& shape : shapes)
    {
        const std::string head = std::string ("T\nBEGIN_OSC_DATA\n") + shape.start;
        const std::string tail = std::string (shape.end) + "\nEND_OSC_DATA";
        const auto content = head + std::string (1024 * 1024 - head.size() - tail.size(), ' ') + tail;
        ASSERT_TRUE (file ("blanks.vrs").replaceWithData (content.data(), content.size()));

        EXPECT_TRUE (PresetText::loadFile (file ("blanks.vrs"), &host).wasOk()) << shape.start;
        EXPECT_FLOAT_EQ (root->delay->del->getFloat(), shape.delay) << shape.start;
    }
}

TEST_F (PresetTextTest, MissingOrEmptyFileNames)
{
    const auto empty = PresetText::loadFile (juce::File(), &host);
    EXPECT_TRUE (empty.failed());
    EXPECT_EQ (empty.getErrorMessage(), "Not a valid Preset (.vrs) file");

    // A missing file, an empty one and one that holds only the UTF-8 byte-order mark read as empty
    // text: nothing applied, reported as loaded.
    ASSERT_TRUE (file ("empty.vrs").create().wasOk());
    ASSERT_TRUE (file ("bom.vrs").replaceWithData ("\xef\xbb\xbf", 3));
    for (auto* name : { "missing.vrs", "empty.vrs", "bom.vrs" })
    {
        presetTitle = "old";
        EXPECT_TRUE (PresetText::loadFile (file (name), &host).wasOk()) << name;
        EXPECT_EQ (presetTitle, "") << name;
    }

    EXPECT_EQ (PresetText::saveFile (juce::File(), "1").getErrorMessage(), "Couldn't write to the file.");
    EXPECT_TRUE (PresetText::saveFile (folder.getChildFile ("no/such/folder/x.vrs"), "1").failed());
}

TEST_F (PresetTextTest, OnlyRegularFilesAreRead)
{
    // A FIFO blocks open() until a writer comes; a device reports size 0 and never ends.
    ASSERT_EQ (::mkfifo (file ("fifo.vrs").getFullPathName().toRawUTF8(), 0600), 0);
    ASSERT_TRUE (juce::File ("/dev/zero").createSymbolicLink (file ("zero.vrs"), false));
    const auto before = nodeLines();

    for (auto* name : { "fifo.vrs", "zero.vrs" })
    {
        presetTitle = "old";
        EXPECT_TRUE (PresetText::loadFile (file (name), &host).wasOk()) << name;
        EXPECT_EQ (presetTitle, "") << name;
        EXPECT_EQ (nodeLines(), before) << name;
    }

    // A link to a preset file is followed.
    ASSERT_TRUE (file ("real.vrs").replaceWithText ("Linked\nBEGIN_OSC_DATA\n/delay,fi 5.00 0\nEND_OSC_DATA"));
    ASSERT_TRUE (file ("real.vrs").createSymbolicLink (file ("link.vrs"), false));
    EXPECT_TRUE (PresetText::loadFile (file ("link.vrs"), &host).wasOk());
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 5.0f);
}

TEST_F (PresetTextTest, SaveWritesThroughALinkAndKeepsThePermissions)
{
    const auto real = file ("real.vrs");
    const auto* realPath = real.getFullPathName().toRawUTF8();
    ASSERT_TRUE (real.replaceWithText ("old"));
    ASSERT_EQ (::chmod (realPath, 0600), 0);
    ASSERT_EQ (::symlink ("real.vrs", file ("link.vrs").getFullPathName().toRawUTF8()), 0);

    presetTitle = "Through";
    ASSERT_TRUE (PresetText::saveFile (file ("link"), "12").wasOk());
    EXPECT_TRUE (file ("link.vrs").isSymbolicLink());
    EXPECT_TRUE (real.loadFileAsString().startsWith ("Through\r\nVRMODELCODE 12\r\n"));

    // Saved again straight to the private file: it stays private.
    ASSERT_TRUE (PresetText::saveFile (real, "12").wasOk());
    struct stat info {};
    ASSERT_EQ (::stat (realPath, &info), 0);
    EXPECT_EQ (info.st_mode & 07777, 0600u);
}

TEST_F (PresetTextTest, SaveFollowsARelativeLinkFromTheFolderTheLinkReallyLivesIn)
{
    // d/a/ld is a link to the folder d/b/real, which holds the link p.vrs -> ../q.vrs: the system
    // reaches d/b/q.vrs, not d/a/q.vrs as the path written through d/a/ld would suggest.
    const auto d = folder.getChildFile ("d");
    ASSERT_TRUE (d.getChildFile ("a").createDirectory().wasOk());
    ASSERT_TRUE (d.getChildFile ("b/real").createDirectory().wasOk());
    ASSERT_EQ (::symlink ("../b/real", d.getChildFile ("a/ld").getFullPathName().toRawUTF8()), 0);
    ASSERT_EQ (::symlink ("../q.vrs", d.getChildFile ("b/real/p.vrs").getFullPathName().toRawUTF8()), 0);
    ASSERT_TRUE (d.getChildFile ("b/q.vrs").replaceWithText ("old"));

    presetTitle = "Reached";
    ASSERT_TRUE (PresetText::saveFile (d.getChildFile ("a/ld/p.vrs"), "12").wasOk());
    EXPECT_TRUE (d.getChildFile ("b/q.vrs").loadFileAsString().startsWith ("Reached\r\nVRMODELCODE 12\r\n"));
    EXPECT_TRUE (d.getChildFile ("b/real/p.vrs").isSymbolicLink());
    EXPECT_FALSE (d.getChildFile ("a/q.vrs").exists());
}

TEST_F (PresetTextTest, SaveThroughLinksWritesTheFileTheSystemReaches)
{
    // Each row: the links from p.vrs on, and the file they reach, in a folder of its own. File names
    // are bytes, in whatever encoding the user's system once had. A chain of more links than the system
    // follows reaches nothing: the save fails and changes nothing.
    struct Row
    {
        std::vector<std::pair<std::string, std::string>> links;
        std::string reached;
        bool reachedExists;
        bool saved = true;
    };
    const auto chain = [] (int numLinks)
    {
        std::vector<std::pair<std::string, std::string>> links { { "p.vrs", "l1.vrs" } };
        for (int i = 1; i < numLinks; ++i)
            links.emplace_back ("l" + std::to_string (i) + ".vrs", "l" + std::to_string (i + 1) + ".vrs");
        links.back().second = "real.vrs";
        return links;
    };
    const std::string longestName = std::string (251, 'n') + ".vrs";
    const Row rows[] = {
        { { { "p.vrs", "\xe0x.vrs" } }, "\xe0x.vrs", true },
        { { { "p.vrs", "\xe0.vrs" } }, "\xe0.vrs", true },
        { { { "p.vrs", "\xc0\x80.vrs" } }, "\xc0\x80.vrs", false },
        { { { "p.vrs", "\xe9t\xe9/q.vrs" } }, "\xe9t\xe9/q.vrs", true },
        { { { "p.vrs", "l.vrs" }, { "l.vrs", "real.vrs" } }, "real.vrs", true },
        { { { "p.vrs", longestName } }, longestName, true },
        { chain (40), "real.vrs", true },
        { chain (41), "real.vrs", true, false },
    };

    for (size_t i = 0; i < std::size (rows); ++i)
    {
        const auto& row = rows[i];
        const auto dir = folder.getChildFile (juce::String ((int) i));
        ASSERT_TRUE (dir.createDirectory().wasOk());
        const auto base = dir.getFullPathName().toStdString() + "/";
        ASSERT_EQ (::mkdir ((base + "\xe9t\xe9").c_str(), 0700), 0);

        for (auto& [link, target] : row.links)
            ASSERT_EQ (::symlink (target.c_str(), (base + link).c_str()), 0) << i;
        if (row.reachedExists)
            std::ofstream (base + row.reached) << "old";

        presetTitle = "Reached";
        const auto result = PresetText::saveFile (dir.getChildFile ("p.vrs"), "12");
        ASSERT_EQ (result.getErrorMessage(), row.saved ? "" : "Couldn't write to the file.") << i;

        std::ostringstream content;
        content << std::ifstream (base + row.reached).rdbuf();
        if (row.saved)
            EXPECT_EQ (content.str().rfind ("Reached\r\nVRMODELCODE 12\r\n", 0), 0u) << i;
        else
            EXPECT_EQ (content.str(), "old") << i;

        for (auto& [link, target] : row.links)
        {
            struct stat info {};
            EXPECT_TRUE (::lstat ((base + link).c_str(), &info) == 0 && S_ISLNK (info.st_mode)) << i << " " << link;
        }
    }

    // Looked at as bytes: the framework would read these names as UTF-8.
    for (auto& entry : std::filesystem::recursive_directory_iterator (folder.getFullPathName().toStdString()))
        EXPECT_NE (entry.path().filename().string().front(), '.') << "a temporary file is left: " << entry.path();
}

TEST_F (PresetTextTest, SaveReplacesNoFileThatIsNotARegularFile)
{
    ASSERT_EQ (::mkfifo (file ("fifo.vrs").getFullPathName().toRawUTF8(), 0600), 0);
    ASSERT_EQ (::symlink ("fifo.vrs", file ("tofifo.vrs").getFullPathName().toRawUTF8()), 0);

    const int sock = ::socket (AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE (sock, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const auto socketPath = file ("socket.vrs").getFullPathName();
    ASSERT_LT (socketPath.getNumBytesAsUTF8(), sizeof (address.sun_path));
    std::strcpy (address.sun_path, socketPath.toRawUTF8());
    ASSERT_EQ (::bind (sock, reinterpret_cast<sockaddr*> (&address), sizeof (address)), 0);

    ASSERT_TRUE (file ("folder.vrs").createDirectory().wasOk());
    ASSERT_EQ (::symlink ("loop.vrs", file ("loop.vrs").getFullPathName().toRawUTF8()), 0);

    const std::pair<const char*, mode_t> targets[] = { { "fifo.vrs", S_IFIFO }, { "tofifo.vrs", S_IFLNK },
        { "socket.vrs", S_IFSOCK }, { "folder.vrs", S_IFDIR }, { "loop.vrs", S_IFLNK } };

    for (auto& [name, type] : targets)
    {
        const auto result = PresetText::saveFile (file (name), "12");
        EXPECT_TRUE (result.failed()) << name;
        EXPECT_EQ (result.getErrorMessage(), "Couldn't write to the file.") << name;

        struct stat info {};
        ASSERT_EQ (::lstat (file (name).getFullPathName().toRawUTF8(), &info), 0) << name;
        EXPECT_EQ (info.st_mode & S_IFMT, type) << name;
    }

    ::close (sock);
    struct stat info {};
    ASSERT_EQ (::stat (file ("fifo.vrs").getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_TRUE (S_ISFIFO (info.st_mode));
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles, ".*"), 0) << "no temporary file is left";
}

TEST_F (PresetTextTest, SpeakerNamesThatAreNotUtf8AreWrittenByteForCharacter)
{
    // A name the speaker sent: valid UTF-8 is kept, any other byte stands for the character of its value.
    const std::pair<const char*, juce::String> names[] = {
        { "\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80", juce::String::repeatedString (juce::String::charToString (0x80), 10) },
        { "\xc0\x80" "abcdefgh", juce::String::charToString (0xc0) + juce::String::charToString (0x80) + "abcdefgh" },
        { "B\xc3\xbchne", juce::String (juce::CharPointer_UTF8 ("B\xc3\xbchne")) },
        { "ab\xc3", juce::String ("ab") + juce::String::charToString (0xc3) },
        { "\xff\xfe" "Left", juce::String::charToString (0xff) + juce::String::charToString (0xfe) + "Left" },
    };

    for (auto& [bytes, expected] : names)
    {
        root->devname->speakername->fromText (bytes);
        EXPECT_TRUE (nodeLines().contains ("/devname,s " + expected)) << bytes;
    }
}

TEST_F (PresetTextTest, FailedWriteLeavesThePreviousFileIntact)
{
    presetTitle = "first";
    ASSERT_TRUE (PresetText::saveFile (file ("keep.vrs"), "12").wasOk());
    const auto previous = file ("keep.vrs").loadFileAsString();

    // Let the process write at most 200 bytes into any file: the new text cannot be written whole.
    rlimit old {};
    ASSERT_EQ (getrlimit (RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal (SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 200;
    ASSERT_EQ (setrlimit (RLIMIT_FSIZE, &small), 0);

    presetTitle = "second";
    root->delay->del->setFromFloat (99.0f);
    const auto result = PresetText::saveFile (file ("keep.vrs"), "12");

    setrlimit (RLIMIT_FSIZE, &old);
    std::signal (SIGXFSZ, oldHandler);

    EXPECT_TRUE (result.failed());
    EXPECT_EQ (result.getErrorMessage(), "Couldn't write to the file.");
    EXPECT_EQ (file ("keep.vrs").loadFileAsString(), previous);
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories
                                             | juce::File::ignoreHiddenFiles, "*"), 1);
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles, ".*"), 0);
}
