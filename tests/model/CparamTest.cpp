#include "model/Croot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace
{
std::string textOf (Cparam* p)
{
    char buffer[Cnode::textBufferSize];
    const int n = p->toText (buffer);
    EXPECT_EQ (n, (int) std::string (buffer).size());
    return buffer;
}

void expectInRange (const Cparam* p)
{
    EXPECT_GE (p->index, p->minIndex) << p->name;
    EXPECT_LE (p->index, p->maxIndex) << p->name;
}
} // namespace

TEST (Cparam, LogParameterHoldsAThousandFineStepsPerVisibleStep)
{
    Cparam freq ("freq", groupPeq, 20.0f, 20000.0f, -600, "%5.1f");
    EXPECT_EQ (freq.kind, paramLog);
    EXPECT_EQ (freq.maxIndex, 600000);
    EXPECT_EQ (freq.logHigh, 20000.0f);
    EXPECT_EQ (freq.high, std::log (1000.0f) / 600000.0f);

    freq.setIndex (600);
    EXPECT_EQ (freq.index, 600000);
    EXPECT_EQ (freq.getIndex(), 600);
    EXPECT_EQ (freq.getFloat(), 20000.0f); // capped at its top value
    EXPECT_EQ (textOf (&freq), "20000");

    freq.setFromFloat (1000.0f);
    EXPECT_NEAR (freq.index, 339794, 2); // ln(50) / (ln(1000) / 600000)
    EXPECT_EQ (freq.getIndex(), freq.index / 1000);
    EXPECT_NEAR (freq.getFloat(), 1000.0f, 0.01f);
    EXPECT_EQ (textOf (&freq), " 1000");

    freq.setIndex (1);
    EXPECT_EQ (freq.index, 1000);
    EXPECT_NEAR (freq.getFloat(), 20.0f * std::pow (10.0f, 1.0f / 200.0f), 0.001f);
}

TEST (Cparam, LogIndexDividesTheSinglePrecisionLogarithmInDoublePrecision)
{
    // Frequencies read from preset text whose quotient lies within a sixteenth of a fine step of the
    // half: a quotient rounded to a float would land on the next fine index, and for these values on
    // the next visible step as well.
    Cparam freq ("freq", groupPeq, 20.0f, 20000.0f, -600, "%5.1f");
    const struct { const char* text; int fineIndex; } rows[] = {
        { "2958.2", 433999 }, { "3810.9", 455999 }, { "7015.0", 508999 }, { "11642.0", 552999 },
    };

    for (const auto& row : rows)
    {
        EXPECT_GT (freq.fromText (row.text), 0);
        EXPECT_EQ (freq.index, row.fineIndex) << row.text;
        EXPECT_EQ (freq.getIndex(), row.fineIndex / 1000) << row.text;
    }
}

TEST (Cparam, LogTextReadsBackToItself)
{
    // A preset saved and loaded again keeps its text: a frequency whose fraction finds no room is
    // rounded, not cut, so that it does not come back a fine step lower and sink by 1 Hz on every save.
    Cparam freq ("freq", groupRsq, 20.0f, 20000.0f, -600, "%5.1f");

    for (int hz = 20; hz <= 20000; ++hz)
    {
        freq.fromText (std::to_string (hz).c_str());
        const auto written = textOf (&freq);
        freq.fromText (written.c_str() + written.find_first_not_of (' '));
        ASSERT_EQ (textOf (&freq), written) << hz;
    }

    freq.setFromFloat (10821.6f);
    EXPECT_EQ (textOf (&freq), "10822");
}

TEST (Cparam, FloatValuesOutsideTheRangeClampToItsEnds)
{
    Cparam freq ("freq", groupPeq, 20.0f, 20000.0f, -600, "%5.1f");
    Cparam gain ("gain", groupPeq, -15.0f, 15.0f, 301, "%+5.1f");

    freq.setFromFloat (1.0e9f);
    EXPECT_EQ (freq.index, 600000);
    freq.setFromFloat (5.0f);
    EXPECT_EQ (freq.index, 0);
    freq.setFromFloat (1000.0f);
    freq.setFromFloat (0.0f);
    EXPECT_EQ (freq.index, 0);
    freq.setFromFloat (1000.0f);
    freq.setFromFloat (-3.0f);
    EXPECT_EQ (freq.index, 0);

    gain.setFromFloat (99.0f);
    EXPECT_EQ (gain.index, 300);
    EXPECT_EQ (gain.getFloat(), 15.0f);
    gain.setFromFloat (-99.0f);
    EXPECT_EQ (gain.index, 0);
    gain.setFromFloat (3.0f);
    EXPECT_EQ (gain.index, 180);
    gain.setFromFloat (3.04f); // nearest step
    EXPECT_EQ (gain.index, 180);
    gain.setFromFloat (3.06f);
    EXPECT_EQ (gain.index, 181);
}

TEST (Cparam, NonFiniteValuesNeverLeaveTheRange)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Cparam freq ("freq", groupPeq, 20.0f, 20000.0f, -600, "%5.1f");
    Cparam gain ("gain", groupPeq, -15.0f, 15.0f, 301, "%+5.1f");
    Cparam pol ("pol", groupDelay, 180);

    for (Cparam* p : { &freq, &gain, &pol })
    {
        p->setFromFloat (inf);
        EXPECT_EQ (p->index, p->maxIndex) << p->name;
        p->setFromFloat (-inf);
        EXPECT_EQ (p->index, 0) << p->name;
        p->setIndex (5);
        const int before = p->index;
        p->setFromFloat (nan); // a value that represents nothing leaves the index as it was
        EXPECT_EQ (p->index, before) << p->name;
    }

    freq.setIndex (std::numeric_limits<int>::max()); // times 1000 must not overflow
    EXPECT_EQ (freq.index, 600000);
    freq.setIndex (std::numeric_limits<int>::min());
    EXPECT_EQ (freq.index, 0);
}

TEST (Cparam, IntegerAndEnumerationTakeTheIntegerPart)
{
    Cparam pol ("pol", groupDelay, 180);
    pol.setFromFloat (90.9f);
    EXPECT_EQ (pol.index, 90);
    pol.setFromFloat (-0.9f);
    EXPECT_EQ (pol.index, 0);
    EXPECT_EQ (pol.getFloat(), 0.0f);

    Cparam type ("type", groupPeq, 8, peqTypeNames);
    EXPECT_EQ (type.maxIndex, 7);
    type.setFromFloat (3.7f);
    EXPECT_EQ (type.index, 3);
    EXPECT_EQ (textOf (&type), "LS12");
    type.setFromFloat (12.0f);
    EXPECT_EQ (type.index, 7);
}

TEST (Cparam, EnumerationTextTakesTheFirstNameThatMatches)
{
    Cparam type ("type", groupPeq, 8, peqTypeNames);
    EXPECT_EQ (type.fromText ("LS12 rest"), 4);
    EXPECT_EQ (type.index, 3);
    EXPECT_EQ (type.fromText ("LS6"), 3);
    EXPECT_EQ (type.index, 2);
    EXPECT_EQ (type.fromText ("PEQX"), 3);
    EXPECT_EQ (type.index, 1);
    EXPECT_EQ (type.fromText ("HC1"), 0); // cut short: no name matches, index unchanged
    EXPECT_EQ (type.index, 1);
    EXPECT_EQ (type.fromText (""), 0);
    EXPECT_EQ (type.index, 1);
}

TEST (Cparam, StringKeepsAtMostTenCharacters)
{
    Cparam name;
    EXPECT_EQ (name.kind, paramString);
    EXPECT_STREQ (name.name, "speakername");
    EXPECT_EQ (name.id, 7);
    EXPECT_EQ (name.maxIndex, 10);
    EXPECT_EQ (textOf (&name), "");

    EXPECT_EQ (name.fromText ("ABCDEFGHIJKL"), 10);
    EXPECT_EQ (textOf (&name), "ABCDEFGHIJ");
    EXPECT_EQ (name.fromText ("ABCDEFGHIJ"), 10);
    EXPECT_EQ (textOf (&name), "ABCDEFGHIJ");
    EXPECT_EQ (name.fromText ("two words"), 9);
    EXPECT_EQ (textOf (&name), "two words");
    EXPECT_EQ (name.fromText ("two"), 3); // a shorter text replaces the longer one whole
    EXPECT_EQ (textOf (&name), "two");
    EXPECT_EQ (name.index, 0);
    EXPECT_EQ (name.getFloat(), 0.0f);
    name.setFromFloat (5.0f);
    name.setIndex (5);
    EXPECT_EQ (textOf (&name), "two");
    EXPECT_LE (name.index, name.maxIndex);
}

TEST (Cparam, StringIsCutAtACharacterBoundary)
{
    // {given, kept}: a UTF-8 character that does not fit whole in ten bytes is left out whole.
    const char* const cases[][2] = {
        { "ABCDEFGHI€", "ABCDEFGHI" }, // "€" is bytes 9 to 11
        { "€€€€", "€€€" },
        { "ABCDEFG🔊", "ABCDEFG" },    // four bytes, 7 to 10
        { "ABCDEFGHé", "ABCDEFGHé" },  // ends at byte 10: kept
        // Bytes that are not UTF-8 are cut at ten.
        { "\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80", "\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80" },
    };

    for (auto& c : cases)
    {
        Cparam name;
        EXPECT_EQ (name.fromText (c[0]), (int) std::strlen (c[1])) << c[0];
        EXPECT_EQ (textOf (&name), std::string (c[1]));
    }
}

TEST (Cparam, FloatTextUsesTheProgramsNumberText)
{
    Cparam freq ("freq", groupPeq, 20.0f, 20000.0f, -600, "%5.1f");
    EXPECT_EQ (freq.fromText ("1k2"), 3);
    EXPECT_NEAR (freq.getFloat(), 1200.0f, 0.01f);
    EXPECT_EQ (freq.fromText ("abc"), 0);
    EXPECT_EQ (freq.index, 0); // the number 0 is applied

    Cparam pol ("pol", groupDelay, 180);
    EXPECT_EQ (pol.fromText ("-90"), 3);
    EXPECT_EQ (pol.index, 0);
    EXPECT_EQ (pol.fromText ("99999999999"), 11);
    EXPECT_EQ (pol.index, 180);
}

TEST (Tree, FreshValues)
{
    Croot root;
    root.buildPaths();

    for (Cpeq* band : root.peq->bands)
    {
        EXPECT_EQ (textOf (band->type), "OFF");
        EXPECT_EQ (textOf (band->freq), " 20.0");
        EXPECT_EQ (textOf (band->gain), "-15.0");
        EXPECT_EQ (textOf (band->qual), "0.10");
    }

    for (Crsq* band : root.rsq->bands)
    {
        EXPECT_EQ (textOf (band->type), "OFF");
        EXPECT_EQ (textOf (band->freq), " 20.0");
        EXPECT_EQ (textOf (band->gain), "-30.0");
        EXPECT_EQ (textOf (band->qual), "10.0");
    }

    EXPECT_EQ (textOf (root.delay->del), "  0.00");
    EXPECT_EQ (root.limiter->thres->getFloat(), -30.0f);
    EXPECT_EQ (textOf (root.limiter->thres), " -30"); // no room for a fraction digit
    EXPECT_EQ (textOf (root.xover->freq), " 50.0");
    EXPECT_EQ (textOf (root.input->gain), "-30.0");
    EXPECT_EQ (textOf (root.devname->speakername), "");

    root.forEachMessageNode ([] (Cnode* node) {
        for (Cnode* c = node->firstChild; c != node; c = c->next)
            EXPECT_EQ (static_cast<Cparam*> (c)->index, 0) << c->path;
    });
}

TEST (Tree, RangesAndResolutions)
{
    Croot root;
    root.buildPaths();

    struct Row
    {
        const char* path;
        int kind;
        int maxIndex;
        float top;      // value at maxIndex
        const char* topText;
    };

    const Row rows[] = {
        { "peq/01/freq", paramLog, 600000, 20000.0f, "20000" },
        { "peq/01/gain", paramLinear, 300, 15.0f, "+15.0" },
        { "peq/01/qual", paramLog, 100000, 10.0f, "10.0" },
        { "rsq/01/freq", paramLog, 600000, 20000.0f, "20000" },
        { "rsq/01/gain", paramLinear, 30, 0.0f, " +0.0" },
        { "rsq/01/qual", paramLinear, 6, 60.0f, "60.0" },
        { "delay/del", paramLinear, 15000, 300.0f, "300.00" },
        { "delay/pol", paramInt, 180, 180.0f, "180" },
        { "limiter/thres", paramLinear, 60, 0.0f, " 0.0" },
        { "xover/type", paramInt, 6, 6.0f, "6" },
        { "xover/freq", paramLog, 600000, 399.98f, "400.0" },
        { "xover/pol", paramInt, 180, 180.0f, "180" },
        { "input/source", paramInt, 16, 16.0f, "16" },
        { "input/gain", paramLinear, 80, 10.0f, "+10.0" },
        { "input/remote", paramInt, 1, 1.0f, "1" },
        { "position/spkpos", paramInt, 5, 5.0f, "5" },
        { "eqmode/mode", paramInt, 7, 7.0f, "7" },
        { "rsqmode/mode", paramInt, 4, 4.0f, "4" },
        { "setup/screen", paramInt, 1, 1.0f, "1" },
        { "setup/logo", paramInt, 2, 2.0f, "2" },
        { "model/model", paramInt, 7, 7.0f, "7" },
        { "rsq/01/type", paramEnum, 3, 3.0f, "LOCK" },
        { "peq/04/type", paramEnum, 7, 7.0f, "HC12" },
    };

    for (const auto& row : rows)
    {
        auto* p = static_cast<Cparam*> (Cnode::findByPath (&root, row.path));
        ASSERT_NE (p, nullptr) << row.path;
        EXPECT_EQ (p->kind, row.kind) << row.path;
        EXPECT_EQ (p->maxIndex, row.maxIndex) << row.path;
        p->index = p->maxIndex;
        EXPECT_NEAR (p->getFloat(), row.top, 1.0e-3f) << row.path;
        EXPECT_EQ (textOf (p), row.topText) << row.path;
    }
}

TEST (Tree, VisibleStepsOfFeedbackQAndDelay)
{
    Croot root;
    Crsq* band = root.rsq->bands[0];
    band->qual->setIndex (3);
    EXPECT_FLOAT_EQ (band->qual->getFloat(), 35.0f);
    EXPECT_EQ (textOf (band->qual), "35.0");
    band->qual->setIndex (1);
    EXPECT_EQ (textOf (band->qual), "18.3");

    root.delay->del->setIndex (1);
    EXPECT_EQ (textOf (root.delay->del), "  0.02");
    root.delay->del->setFromFloat (12.34f);
    EXPECT_EQ (root.delay->del->index, 617);
}

TEST (Tree, EveryParameterStaysInRangeWhateverItIsGiven)
{
    Croot root;
    root.buildPaths();
    const float values[] = { -1.0e30f, -1000.0f, -1.0f, 0.0f, 0.5f, 7.0f, 399.99f, 1.0e6f, 3.0e38f };
    const int indexes[] = { -2147483647 - 1, -1, 0, 3, 601, 1000000, 2147483647 };

    root.forEachMessageNode ([&] (Cnode* node) {
        for (Cnode* c = node->firstChild; c != node; c = c->next)
        {
            auto* p = static_cast<Cparam*> (c);

            for (float v : values)
            {
                p->setFromFloat (v);
                expectInRange (p);
            }

            for (int i : indexes)
            {
                p->setIndex (i);
                expectInRange (p);
            }
        }
    });
}
