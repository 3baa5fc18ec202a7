#include "ChangeCounter.h"
#include "RecordingSink.h"
#include "model/Croot.h"

#include <gtest/gtest.h>
#include <osc/OscOutboundPacketStream.h>
#include <osc/OscReceivedElements.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace
{
/** OSC 1.0 encoding written out by hand, independent of oscpack. */
struct OscBytes
{
    std::string bytes;

    OscBytes& text (const std::string& s)
    {
        bytes += s;
        bytes += '\0';
        while (bytes.size() % 4 != 0)
            bytes += '\0';
        return *this;
    }

    OscBytes& int32 (std::int32_t v)
    {
        std::uint32_t u;
        std::memcpy (&u, &v, 4);
        return word (u);
    }

    OscBytes& float32 (float f)
    {
        std::uint32_t u;
        std::memcpy (&u, &f, 4);
        return word (u);
    }

    OscBytes& word (std::uint32_t u)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes += (char) ((u >> shift) & 0xff);
        return *this;
    }
};

/** A received message built with oscpack, delivered to a node as the link does. */
class Incoming
{
public:
    explicit Incoming (const char* address) { out << osc::BeginMessage (address); }

    template <typename T>
    Incoming& operator<< (const T& value)
    {
        out << value;
        return *this;
    }

    void deliverTo (Cnode* node)
    {
        out << osc::EndMessage;
        osc::ReceivedPacket packet (out.Data(), (osc::osc_bundle_element_size_t) out.Size());
        osc::ReceivedMessage message (packet);
        auto args = message.ArgumentStream();
        node->fromOsc (args);
    }

private:
    char buffer[256];
    osc::OutboundPacketStream out { buffer, sizeof (buffer) };
};

std::string lineOf (Cnode* node)
{
    char buffer[Cnode::textBufferSize];
    node->toText (buffer);
    return buffer;
}

struct Tree
{
    Croot root;
    Tree() { root.buildPaths(); }
};
} // namespace

TEST (GroupSend, PeqBandBytesAreAnOsc10Message)
{
    Tree t;
    RecordingSink sink;
    Cpeq* band = t.root.peq->bands[1];
    band->type->fromText ("PEQ");
    band->freq->setFromFloat (1000.0f);
    band->gain->setFromFloat (3.0f);
    band->qual->setFromFloat (1.0f);

    band->sendOsc (band->path);
    ASSERT_EQ (sink.messages.size(), 1u);

    EXPECT_NEAR (band->freq->getFloat(), 1000.0f, 0.01f);
    EXPECT_EQ (band->gain->getFloat(), 3.0f);
    EXPECT_NEAR (band->qual->getFloat(), 1.0f, 0.001f);

    const std::string expected = OscBytes()
                                     .text ("/peq/02")
                                     .text (",sfff")
                                     .text ("PEQ")
                                     .float32 (band->freq->getFloat())
                                     .float32 (3.0f)
                                     .float32 (band->qual->getFloat())
                                     .bytes;
    EXPECT_EQ (expected.size(), 32u);
    EXPECT_EQ (sink.messages[0], expected);
}

TEST (GroupSend, EveryKindOfArgument)
{
    Tree t;
    RecordingSink sink;
    t.root.xover->type->setIndex (4);
    t.root.xover->freq->setIndex (0);
    t.root.xover->pol->setIndex (180);
    t.root.xover->sendOsc (t.root.xover->path);
    t.root.devname->speakername->fromText ("Front");
    t.root.devname->sendOsc ("/devname");

    ASSERT_EQ (sink.messages.size(), 2u);
    EXPECT_EQ (sink.messages[0], OscBytes().text ("/xover").text (",ifi").int32 (4).float32 (50.0f).int32 (180).bytes);
    EXPECT_EQ (sink.messages[1], OscBytes().text ("/devname").text (",s").text ("Front").bytes);
}

TEST (GroupSend, LongestMessagesOfTheTreeFit)
{
    Tree t;
    RecordingSink sink;
    t.root.rsq->bands[7]->type->setIndex (1); // "AUTOM"
    t.root.rsq->bands[7]->sendOsc (t.root.rsq->bands[7]->path);
    t.root.devname->speakername->fromText ("0123456789");
    t.root.devname->sendOsc (t.root.devname->path);

    ASSERT_EQ (sink.messages.size(), 2u);
    EXPECT_EQ (sink.messages[0].size(), 36u);
    EXPECT_EQ (sink.messages[1].size(), 28u);
}

TEST (GroupSend, MessageTooLongForThePacketIsDroppedWhole)
{
    Tree t;
    RecordingSink sink;
    const std::string longAddress = "/" + std::string (60, 'a');
    t.root.peq->bands[0]->sendOsc (longAddress.c_str());
    t.root.peq->bands[0]->sendOsc (nullptr);
    EXPECT_TRUE (sink.messages.empty());

    t.root.peq->bands[0]->sendOsc ("/peq/01"); // the node still sends afterwards
    EXPECT_EQ (sink.messages.size(), 1u);
}

TEST (GroupSend, ParameterlessNodesSendNothing)
{
    Tree t;
    RecordingSink sink;
    t.root.sendOsc ("/");
    t.root.peq->sendOsc ("/peq");
    t.root.peq->bands[0]->gain->sendOsc ("/peq/01/gain");
    EXPECT_TRUE (sink.messages.empty());
}

TEST (GroupReceive, LimiterTakesTheNearestStepAndClamps)
{
    Tree t;
    ChangeCounter counter (*t.root.limiter);

    Incoming ("/limiter").operator<< (-12.3f).deliverTo (t.root.limiter);
    EXPECT_EQ (t.root.limiter->thres->index, 35);
    EXPECT_EQ (t.root.limiter->thres->getFloat(), -12.5f);
    EXPECT_EQ (counter.delivered(), 1);

    Incoming ("/limiter").operator<< (5.0f).deliverTo (t.root.limiter);
    EXPECT_EQ (t.root.limiter->thres->getFloat(), 0.0f);
    EXPECT_EQ (counter.delivered(), 2);

    Incoming ("/limiter").operator<< (0.0f).deliverTo (t.root.limiter); // no change still broadcasts
    EXPECT_EQ (counter.delivered(), 3);
}

TEST (GroupReceive, MalformedArgumentsLeaveTheBandUnchanged)
{
    Tree t;
    Cpeq* band = t.root.peq->bands[0];
    band->fromText ("LS12 250.0 +4.5 0.70");
    const std::string before = lineOf (band);
    ChangeCounter counter (*band);

    Incoming missing ("/peq/01");
    missing << "PEQ" << 1000.0f << 3.0f;
    EXPECT_THROW (missing.deliverTo (band), osc::MissingArgumentException);

    Incoming wrongType ("/peq/01");
    wrongType << (osc::int32) 1 << 1000.0f << 3.0f << 1.0f;
    EXPECT_THROW (wrongType.deliverTo (band), osc::WrongArgumentTypeException);

    Incoming intForFloat ("/peq/01");
    intForFloat << "PEQ" << 1000.0f << (osc::int32) 3 << 1.0f;
    EXPECT_THROW (intForFloat.deliverTo (band), osc::WrongArgumentTypeException);

    Incoming excess ("/peq/01");
    excess << "PEQ" << 1000.0f << 3.0f << 1.0f << 2.0f;
    EXPECT_THROW (excess.deliverTo (band), osc::ExcessArgumentException);

    Incoming none ("/peq/01");
    EXPECT_THROW (none.deliverTo (band), osc::MissingArgumentException);

    EXPECT_EQ (lineOf (band), before);
    EXPECT_EQ (counter.delivered(), 0);

    Incoming good ("/peq/01");
    good << "PEQ" << 1000.0f << 3.0f << 1.0f;
    good.deliverTo (band);
    EXPECT_EQ (lineOf (band), " PEQ  1000  +3.0 1.00");
    EXPECT_EQ (counter.delivered(), 1);
}

TEST (GroupReceive, UnknownTypeNameKeepsTheTypeWhileTheFloatsApply)
{
    Tree t;
    Crsq* band = t.root.rsq->bands[2];

    Incoming lock ("/rsq/03");
    lock << "LOCK" << 2000.0f << -12.0f << 35.0f;
    lock.deliverTo (band);
    EXPECT_EQ (band->type->getIndex(), 3);

    Incoming unknown ("/rsq/03");
    unknown << "XYZ" << 500.0f << -6.0f << 60.0f;
    unknown.deliverTo (band);
    EXPECT_EQ (band->type->getIndex(), 3);
    EXPECT_NEAR (band->freq->getFloat(), 500.0f, 0.5f);
    EXPECT_EQ (band->gain->getFloat(), -6.0f);
    EXPECT_EQ (band->qual->getFloat(), 60.0f);
}

TEST (GroupReceive, DeviceNameIsCutToTenCharacters)
{
    Tree t;
    ChangeCounter counter (*t.root.devname);
    Incoming ("/devname").operator<< ("LOUDSPEAKER1").deliverTo (t.root.devname);
    EXPECT_EQ (lineOf (t.root.devname), " LOUDSPEAKE");
    EXPECT_EQ (counter.delivered(), 1);
}

TEST (GroupReceive, IntegersAndFloatsAreClampedToTheirRanges)
{
    Tree t;
    Incoming input ("/input");
    input << (osc::int32) 99 << -1000.0f << (osc::int32) -5;
    input.deliverTo (t.root.input);
    EXPECT_EQ (t.root.input->source->getIndex(), 16);
    EXPECT_EQ (t.root.input->gain->getIndex(), 0);
    EXPECT_EQ (t.root.input->remote->getIndex(), 0);

    Incoming xover ("/xover");
    xover << (osc::int32) 2147483647 << 1.0e30f << (osc::int32) (-2147483647 - 1);
    xover.deliverTo (t.root.xover);
    EXPECT_EQ (t.root.xover->type->getIndex(), 6);
    EXPECT_EQ (t.root.xover->freq->index, 600000);
    EXPECT_EQ (t.root.xover->pol->getIndex(), 0);

    Incoming nan ("/delay");
    nan << std::numeric_limits<float>::quiet_NaN() << (osc::int32) 90;
    t.root.delay->del->setIndex (100);
    nan.deliverTo (t.root.delay);
    EXPECT_EQ (t.root.delay->del->index, 100);
    EXPECT_EQ (t.root.delay->pol->getIndex(), 90);
}

TEST (GroupReceive, WhatOneTreeSendsAnotherTakesWhole)
{
    Tree a, b;
    RecordingSink sink;
    a.root.peq->bands[3]->fromText ("HS12 8k5 -7.5 2.20");
    a.root.rsq->bands[5]->fromText ("SNGL 3150.0 -18.0 43.3");
    a.root.delay->fromText ("123.45 180");
    a.root.limiter->fromText ("-6.5");
    a.root.xover->fromText ("3 120.0 180");
    a.root.input->fromText ("12 +2.5 1");
    a.root.setup->fromText ("1 2");
    a.root.devname->fromText ("Left Top");
    a.root.forEachMessageNode ([] (Cnode* node) { node->sendOsc (node->path); });
    ASSERT_EQ (sink.messages.size(), 22u);

    for (const auto& bytes : sink.messages)
    {
        osc::ReceivedPacket packet (bytes.data(), (osc::osc_bundle_element_size_t) bytes.size());
        osc::ReceivedMessage message (packet);
        Cnode* node = Cnode::findByPath (&b.root, message.AddressPattern() + 1);
        ASSERT_NE (node, nullptr) << message.AddressPattern();
        EXPECT_EQ (std::string (",") + node->oscTypeTags(), message.TypeTags() - 1);
        auto args = message.ArgumentStream();
        node->fromOsc (args);
    }

    a.root.forEachMessageNode ([&] (Cnode* node) {
        EXPECT_EQ (lineOf (Cnode::findByPath (&b.root, node->path + 1)), lineOf (node)) << node->path;
    });
}
