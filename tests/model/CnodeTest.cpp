#include "ChangeCounter.h"
#include "model/Croot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
/** A built tree with its addresses, as the application makes it. */
struct Tree
{
    Croot root;
    Tree() { root.buildPaths(); }

    Cnode* find (const char* path) { return Cnode::findByPath (&root, path); }
    std::string pathOf (const char* p)
    {
        Cnode* n = find (p);
        return n != nullptr ? std::string (n->path) : std::string ("<null>");
    }
};

std::string lineOf (Cnode* node)
{
    char buffer[Cnode::textBufferSize];
    EXPECT_EQ (node->toText (buffer), 0);
    return buffer;
}
} // namespace

TEST (Cnode, ChildrenFormACircularList)
{
    Cnode parent ("p", groupConfig, 0);
    EXPECT_EQ (parent.firstChild, &parent);
    EXPECT_EQ (parent.next, &parent);
    EXPECT_EQ (parent.parent, nullptr);
    EXPECT_STREQ (parent.path, "");

    auto* a = new Cnode ("a", groupConfig, 0);
    auto* b = new Cnode (3, "%02d", groupPeq, 768);
    parent.addChild (a);
    parent.addChild (b);

    EXPECT_EQ (parent.firstChild, a);
    EXPECT_EQ (a->next, b);
    EXPECT_EQ (b->next, &parent);
    EXPECT_EQ (a->parent, &parent);
    EXPECT_EQ (b->parent, &parent);
    EXPECT_STREQ (b->name, "03");
}

TEST (Cnode, BuildPathsJoinsNamesBelowTheRoot)
{
    Tree t;
    EXPECT_STREQ (t.root.path, "");
    EXPECT_STREQ (t.root.peq->path, "/peq");
    EXPECT_STREQ (t.root.peq->bands[0]->path, "/peq/01");
    EXPECT_STREQ (t.root.peq->bands[0]->gain->path, "/peq/01/gain");
    EXPECT_EQ (t.root.peq->bands[0]->gain->pathLength, 12);
    EXPECT_STREQ (t.root.rsq->bands[7]->qual->path, "/rsq/08/qual");
    EXPECT_STREQ (t.root.devname->speakername->path, "/devname/speakername");
}

TEST (Cnode, FindByPathMatchesPrefixesOfNames)
{
    Tree t;
    EXPECT_EQ (t.find ("peq/01/gain"), t.root.peq->bands[0]->gain);
    EXPECT_EQ (t.find ("rsq/08"), t.root.rsq->bands[7]);
    EXPECT_EQ (t.find ("eq"), t.root.eqmode);
    EXPECT_EQ (t.find ("mode"), t.root.model);
    EXPECT_EQ (t.find ("rsq"), t.root.rsq);
    EXPECT_EQ (t.find ("rsqm"), t.root.rsqmode);
    EXPECT_EQ (t.find ("delay,fi"), t.root.delay);
    EXPECT_EQ (t.find ("peq/02 rest"), t.root.peq->bands[1]);
    EXPECT_EQ (t.pathOf ("devname/speaker"), "/devname/speakername");

    EXPECT_EQ (t.find ("peq/"), nullptr);
    EXPECT_EQ (t.find ("peq//01"), nullptr);
    EXPECT_EQ (t.find ("rsq/1"), nullptr);
    EXPECT_EQ (t.find (""), nullptr);
    EXPECT_EQ (t.find ("/peq"), nullptr);
    EXPECT_EQ (t.find ("peqx"), nullptr);     // a name shorter than the component never matches
    EXPECT_EQ (t.find ("peq/05"), nullptr);
    EXPECT_EQ (t.find ("peq/01/gain/x"), nullptr);
    EXPECT_EQ (t.find ("\xc3\xa9q"), nullptr);
    EXPECT_EQ (Cnode::findByPath (nullptr, "peq"), nullptr);
    EXPECT_EQ (Cnode::findByPath (&t.root, nullptr), nullptr);
}

TEST (Cnode, FindByPathStopsAtTheGivenLength)
{
    Tree t;
    // Only "peq" of "peq/03" is looked at: no "/" is read past the length.
    EXPECT_EQ (Cnode::findByPath (&t.root, "peq/03", 3), t.root.peq);
    EXPECT_EQ (Cnode::findByPath (&t.root, "peq/03", 4), nullptr);
    EXPECT_EQ (Cnode::findByPath (&t.root, "peq/03", 5), t.root.peq->bands[0]); // "0" is a prefix of "01"
    EXPECT_EQ (Cnode::findByPath (&t.root, "peq/03", 6), t.root.peq->bands[2]);
    EXPECT_EQ (Cnode::findByPath (&t.root, "peq", 0), nullptr);
    EXPECT_EQ (Cnode::findByPath (&t.root, "peq", -1), nullptr);
}

TEST (Cnode, VisitsTheTwentyTwoMessageNodesInOrderWithTheirTypeTags)
{
    Tree t;
    std::vector<std::string> seen;
    t.root.forEachMessageNode ([&] (Cnode* n) { seen.push_back (std::string (n->path) + " " + n->oscTypeTags()); });

    const std::vector<std::string> expected = {
        "/peq/01 sfff", "/peq/02 sfff", "/peq/03 sfff", "/peq/04 sfff", "/rsq/01 sfff", "/rsq/02 sfff",
        "/rsq/03 sfff", "/rsq/04 sfff", "/rsq/05 sfff", "/rsq/06 sfff", "/rsq/07 sfff", "/rsq/08 sfff",
        "/delay fi",    "/limiter f",   "/xover ifi",   "/input ifi",   "/position i",  "/eqmode i",
        "/rsqmode i",   "/setup ii",    "/model i",     "/devname s",
    };
    EXPECT_EQ (seen, expected);

    EXPECT_STREQ (t.root.oscTypeTags(), "");
    EXPECT_STREQ (t.root.peq->oscTypeTags(), "");
}

TEST (Cnode, KindsAndIds)
{
    Tree t;
    EXPECT_EQ (t.root.peq->bands[1]->kind, groupPeq);
    EXPECT_EQ (t.root.peq->bands[1]->id, 512);
    EXPECT_EQ (t.root.rsq->bands[7]->id, 2048);
    EXPECT_EQ (t.root.rsq->bands[7]->kind, groupRsq);
    EXPECT_EQ (t.root.rsq->bands[7]->gain->id, groupRsq);
    EXPECT_EQ (t.root.delay->kind, groupDelay);
    EXPECT_EQ (t.root.limiter->kind, groupLimiter);
    EXPECT_EQ (t.root.xover->kind, groupXover);
    EXPECT_EQ (t.root.xover->freq->id, groupXover);

    const Cnode* config[] = { t.root.input, t.root.position, t.root.eqmode, t.root.rsqmode,
                              t.root.setup, t.root.model,    t.root.devname };
    const int ids[] = { 0, 1, 3, 5, 6, 4, 7 };

    for (int i = 0; i < 7; ++i)
    {
        EXPECT_EQ (config[i]->kind, groupConfig) << config[i]->name;
        EXPECT_EQ (config[i]->id, ids[i]) << config[i]->name;
    }
}

TEST (CnodeText, ALineHoldsEveryParameterWithItsWidth)
{
    Tree t;
    Cpeq* band = t.root.peq->bands[0];
    band->type->setIndex (1);
    band->freq->setFromFloat (500.0f);
    band->gain->setFromFloat (0.0f);
    band->qual->setFromFloat (1.0f);
    EXPECT_EQ (lineOf (band), " PEQ 500.0  +0.0 1.00");

    t.root.delay->del->setFromFloat (12.34f);
    t.root.delay->pol->setIndex (180);
    EXPECT_EQ (lineOf (t.root.delay), "  12.34 180");

    EXPECT_EQ (lineOf (t.root.devname), " "); // an empty name: one blank
    t.root.devname->speakername->fromText ("MY BOX");
    EXPECT_EQ (lineOf (t.root.devname), " MY BOX");
}

TEST (CnodeText, LinesRoundTripThroughAnotherTree)
{
    Tree a, b;
    a.root.peq->bands[2]->type->setIndex (3);
    a.root.peq->bands[2]->freq->setIndex (432);
    a.root.peq->bands[2]->gain->setIndex (17);
    a.root.peq->bands[2]->qual->setIndex (77);
    a.root.xover->freq->setIndex (600);
    a.root.input->gain->setIndex (55);
    a.root.devname->speakername->fromText ("Stage L");

    a.root.forEachMessageNode ([&] (Cnode* node) {
        const std::string line = lineOf (node);
        Cnode* other = Cnode::findByPath (&b.root, node->path + 1);
        ASSERT_NE (other, nullptr);
        EXPECT_EQ (other->fromText (line.c_str()), 0) << node->path;
        EXPECT_EQ (lineOf (other), line) << node->path;
    });

    // Text keeps the shown digits only: the frequency comes back within the last shown digit.
    EXPECT_NEAR (b.root.peq->bands[2]->freq->getFloat(), a.root.peq->bands[2]->freq->getFloat(), 1.0f);
    EXPECT_EQ (b.root.peq->bands[2]->gain->getIndex(), 17);
    EXPECT_EQ (b.root.input->gain->getIndex(), 55);
}

TEST (CnodeText, PartialLineKeepsTheRestAndBroadcastsOnce)
{
    Tree t;
    Cpeq* band = t.root.peq->bands[0];
    band->gain->setFromFloat (3.0f);
    band->qual->setFromFloat (2.0f);
    ChangeCounter counter (*band);

    EXPECT_EQ (band->fromText (" PEQ 100.0"), 0);
    EXPECT_EQ (band->type->getIndex(), 1);
    EXPECT_NEAR (band->freq->getFloat(), 100.0f, 0.5f);
    EXPECT_FLOAT_EQ (band->gain->getFloat(), 3.0f);
    EXPECT_NEAR (band->qual->getFloat(), 2.0f, 0.05f);
    EXPECT_EQ (counter.delivered(), 1);
}

TEST (CnodeText, FailingValueReturnsMinusOneAfterApplyingTheOnesBefore)
{
    Tree t;
    Cpeq* band = t.root.peq->bands[0];
    band->freq->setFromFloat (1000.0f);
    band->gain->setFromFloat (6.0f);

    EXPECT_EQ (band->fromText ("PEQ abc"), -1);
    EXPECT_EQ (band->type->getIndex(), 1);
    EXPECT_EQ (band->freq->index, 0); // the number 0 reached the frequency: its lowest value
    EXPECT_FLOAT_EQ (band->gain->getFloat(), 6.0f);

    band->type->setIndex (2);
    EXPECT_EQ (band->fromText ("XYZ 100"), -1); // no name matches: nothing read
    EXPECT_EQ (band->type->getIndex(), 2);

    EXPECT_EQ (band->fromText (""), -1);
    EXPECT_EQ (band->fromText ("   "), -1);
    EXPECT_EQ (t.root.delay->fromText (" 10.00,180"), 0); // stops at the comma, pol unchanged
    EXPECT_EQ (t.root.delay->pol->getIndex(), 0);
}

TEST (CnodeText, IntegerValuesAreClampedToTheirRange)
{
    Tree t;
    EXPECT_EQ (t.root.delay->fromText ("0.00 999"), 0);
    EXPECT_EQ (t.root.delay->pol->getIndex(), 180);
    EXPECT_EQ (t.root.setup->fromText ("-3 7"), 0);
    EXPECT_EQ (t.root.setup->screen->getIndex(), 0);
    EXPECT_EQ (t.root.setup->logo->getIndex(), 2);
}
