// The receiving half of the link: dispatch of the speaker's messages to the page, the tree and the
// queue's acknowledgement, with the real threads and the simulated speaker.

#include "LinkTestSupport.h"

#include "link/MyMessage.h"
#include "model/Cdelay.h"
#include "model/Climiter.h"

#include <cmath>
#include <limits>

using namespace linktest;

namespace
{

class OscComReceiveTest : public LinkFixture
{
protected:
    /** Online with a silent speaker and `address` handed over, awaiting its echo. */
    void awaiting (const std::function<void()>& send, const std::string& address)
    {
        connect();
        speaker->setSilent (true);
        speaker->clearLogs();
        link->setAcknowledgementTimeout (patientMs);
        send();
        ASSERT_TRUE (speaker->waitForReceived (1, threadWaitMs, address));
        ASSERT_TRUE (link->isWaitingForAck());
    }
};

} // namespace

TEST_F (OscComReceiveTest, MeterRepliesNeedThreeFloatsAndAnyMeterPrefixCounts)
{
    awaiting ([this] { link->sendFloat ("/meter", 10.0f); }, "/meter");
    const auto shown = partner.meters.size();
    const int replies = link->meterReplyCount;

    fromSpeaker ("/meter", { 0.5f, 0.25f });  // two floats: dropped
    EXPECT_EQ (partner.meters.size(), shown);
    EXPECT_EQ (link->queuedCount(), 1);
    EXPECT_EQ (link->meterReplyCount, replies);  // and not counted

    fromSpeaker ("/meter", { 0.5f, 0.25f, int32_t (1) });  // wrong type: dropped
    EXPECT_EQ (partner.meters.size(), shown);

    fromSpeaker ("/meter", { -0.5f, 0.25f, std::numeric_limits<float>::quiet_NaN() });  // not a number: dropped
    EXPECT_EQ (partner.meters.size(), shown);

    fromSpeaker ("/meterXYZ", { -0.5f, 0.25f, 0.125f });  // a prefix match is a meter reply
    ASSERT_EQ (partner.meters.size(), shown + 1);
    EXPECT_EQ (partner.meters.back(), (std::array<float, 3> { 0.0f, 0.25f, 0.125f }));  // no negative level
    EXPECT_EQ (link->meterReplyCount, replies + 1);
    EXPECT_EQ (link->queuedCount(), 1);  // "meterXYZ" is not the address of the waiting "/meter"

    fromSpeaker ("/meter", { 0.5f, 0.25f, 0.125f });
    EXPECT_EQ (link->queuedCount(), 0);
}

TEST_F (OscComReceiveTest, EveryFiftyFirstMeterReplyAsksForTheMetersAgain)
{
    partner.holdQueueOnline = true;
    connect();
    link->goOffline();
    link->online = true;  // online with an empty, held queue: nothing drains what is queued

    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE (speaker->queueMessage ("/meter", { 0.1f, 0.1f, 0.1f }));
    fromSpeaker ("/meter", { 0.1f, 0.1f, 0.1f });
    EXPECT_EQ (link->meterReplyCount, 0);
    const auto q = queued();
    ASSERT_EQ (q.size(), 1u);
    EXPECT_EQ (q[0].address, "/meter");
    EXPECT_EQ (std::get<float> (q[0].args.at (0)), 10.0f);
}

TEST_F (OscComReceiveTest, PresetRepliesGoToTheSlotsTheyName)
{
    awaiting ([this] { link->sendIndexedString ("/preset/name", 5, "DUMMY"); }, "/preset/name");
    partner.slotNames.clear();

    fromSpeaker ("/preset/name", { int32_t (21), int32_t (0), std::string ("X") });
    fromSpeaker ("/preset/name", { int32_t (0), int32_t (0), std::string ("Y") });
    EXPECT_TRUE (partner.slotNames.empty());
    EXPECT_EQ (link->queuedCount(), 0);  // but the waiting request was answered

    link->sendIndexedString ("/preset/other", 1, "x");
    ASSERT_TRUE (speaker->waitForReceived (1, threadWaitMs, "/preset/other"));
    const auto callsBefore = partner.calls.size();
    fromSpeaker ("/preset/other", { int32_t (1), int32_t (0), std::string ("x") });
    EXPECT_EQ (partner.calls.size(), callsBefore);  // a rest other than name, load, save does nothing
    EXPECT_EQ (link->queuedCount(), 0);             // and acknowledges

    // Texts that are not UTF-8 (0xe9 'x', a lone 0xff, 0xff 0xfe) are read one character per byte.
    fromSpeaker ("/preset/name", { int32_t (20), int32_t (0), std::string ("Last") });
    fromSpeaker ("/preset/load", { int32_t (4), int32_t (0), std::string ("Loaded") });
    fromSpeaker ("/preset/load", { int32_t (5), int32_t (0), std::string ("Caf\xe9x") });
    fromSpeaker ("/preset/save", { int32_t (7), int32_t (0), std::string ("Kept") });
    fromSpeaker ("/preset/save", { int32_t (0), int32_t (0), std::string ("NoSlot") });
    fromSpeaker ("/preset/save", { std::numeric_limits<int32_t>::min(), int32_t (0), std::string ("Min") });
    fromSpeaker ("/preset/save", { int32_t (8), int32_t (0), std::string ("\xff") });
    fromSpeaker ("/preset/name", { int32_t (3), int32_t (0), std::string ("\xff\xfe bad") });

    ASSERT_EQ (partner.slotNames.size(), 2u);
    EXPECT_EQ (partner.slotNames[0], std::make_pair (19, juce::String ("Last")));
    EXPECT_EQ (partner.slotNames[1],
               std::make_pair (2, juce::String::charToString (0xff) + juce::String::charToString (0xfe) + " bad"));
    EXPECT_EQ (partner.loaded, (std::vector<juce::String> { "Loaded", "Caf" + juce::String::charToString (0xe9) + "x" }));
    ASSERT_EQ (partner.saved.size(), 4u);
    EXPECT_EQ (partner.saved[0], std::make_pair (6, juce::String ("Kept")));
    EXPECT_EQ (partner.saved[1], std::make_pair (20, juce::String ("NoSlot")));
    EXPECT_EQ (partner.saved[2], std::make_pair (20, juce::String ("Min")));
    EXPECT_EQ (partner.saved[3], std::make_pair (7, juce::String::charToString (0xff)));

    // Wrong argument counts are dropped.
    fromSpeaker ("/preset/name", { int32_t (2), std::string ("Short") });
    EXPECT_EQ (partner.slotNames.size(), 2u);
}

TEST_F (OscComReceiveTest, ALockReplyAlsoAnswersAnUnlockRequest)
{
    awaiting ([] { osc::OscCom::sendInt ("/unlock", 0x31323334); }, "/unlock");

    fromSpeaker ("/lock", { int32_t (1), int32_t (2) });  // wrong count: dropped
    EXPECT_TRUE (partner.lockStates.empty());
    EXPECT_EQ (link->queuedCount(), 1);

    fromSpeaker ("/lock", { int32_t (0) });
    EXPECT_EQ (partner.lockStates, std::vector<int32_t> { 0 });
    EXPECT_EQ (link->queuedCount(), 0);
}

TEST_F (OscComReceiveTest, GainRepliesAreShownAndAcknowledged)
{
    awaiting ([] { osc::OscCom::sendGain (-4.5f); }, "/gain");

    fromSpeaker ("/gain", { -4.5f, 1.0f });
    EXPECT_TRUE (partner.gains.empty());
    EXPECT_EQ (link->queuedCount(), 1);

    fromSpeaker ("/gain", { std::numeric_limits<float>::infinity() });
    EXPECT_TRUE (partner.gains.empty());

    fromSpeaker ("/gain", { -4.5f });
    EXPECT_EQ (partner.gains, std::vector<float> { -4.5f });
    EXPECT_EQ (link->queuedCount(), 0);
}

TEST_F (OscComReceiveTest, TreeRepliesSetTheNodeAndAcknowledgeOnlyWhenTheyFit)
{
    awaiting ([this] { root->delay->sendOsc (root->delay->path); }, "/delay");

    fromSpeaker ("/delay", { 12.5f });  // missing argument
    fromSpeaker ("/delay", { 12.5f, int32_t (90), int32_t (1) });  // one too many
    fromSpeaker ("/delay", { std::numeric_limits<float>::quiet_NaN(), int32_t (90) });
    EXPECT_EQ (root->delay->del->index, 0);
    EXPECT_EQ (link->queuedCount(), 1);

    fromSpeaker ("/nosuchnode", { 1.0f });
    EXPECT_EQ (link->queuedCount(), 1);

    fromSpeaker ("/delay", { 12.5f, int32_t (900) });
    EXPECT_NEAR (root->delay->del->getFloat(), 12.5f, 0.01f);
    EXPECT_EQ (root->delay->pol->getIndex(), 180);  // clamped to its range
    EXPECT_EQ (link->queuedCount(), 0);

    // Values from the speaker stay in range even when it sends nonsense.
    fromSpeaker ("/limiter", { 1.0e30f });
    EXPECT_EQ (root->limiter->thres->index, root->limiter->thres->maxIndex);
    fromSpeaker ("/limiter", { -1.0e30f });
    EXPECT_EQ (root->limiter->thres->index, 0);
}

TEST_F (OscComReceiveTest, NetworkMetersReachTheConfigurationPageOnlyWhileItShows)
{
    connect();
    const sim::OscArgs k24 { int32_t (1), 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, -0.8f };

    fromSpeaker ("/k24meter", k24);
    EXPECT_TRUE (partner.k24.empty());

    partner.configTabShown = true;
    fromSpeaker ("/k24meter", k24);
    fromSpeaker ("/k24meter", { int32_t (1), 0.1f });  // wrong count
    ASSERT_EQ (partner.k24.size(), 1u);
    EXPECT_EQ (partner.k24[0].first, 1);
    EXPECT_EQ (partner.k24[0].second[0], 0.1f);
    EXPECT_EQ (partner.k24[0].second[7], 0.0f);

    fromSpeaker ("/peaklimit", { int32_t (1), int32_t (0), int32_t (-5) });
    speaker->sendPeakLimit (0, 3, 0);
    ASSERT_TRUE (pumpUntil ([this] { return partner.peakLimits.size() >= 2; }));
    EXPECT_EQ (partner.peakLimits[0], (std::array<bool, 3> { true, false, false }));
    EXPECT_EQ (partner.peakLimits[1], (std::array<bool, 3> { false, true, false }));
}

TEST_F (OscComReceiveTest, OneAlertBoxPerTextWhileItIsOpen)
{
    connect();

    speaker->sendAlert ("Overheat");
    speaker->sendAlert ("Overheat");
    fromSpeaker ("/alert", { std::string ("Overheat") });
    EXPECT_EQ (partner.alerts, std::vector<juce::String> { "Overheat" });

    osc::OscCom::alertClosed();
    fromSpeaker ("/alert", { std::string ("Overheat") });
    fromSpeaker ("/alert", { std::string ("Fan") });
    fromSpeaker ("/alert", { int32_t (3) });
    fromSpeaker ("/alert", { std::string ("Fan \xe9x") });  // not UTF-8: one character per byte
    // Nor is a NUL in two bytes (C0 80), which the framework's own check lets through to a conversion that
    // then writes past its buffer.
    const std::string overlong ("\xd5\x81\xe2\xbe\xbe\xc8\xbe\xe2\xbe\xbe\xc8\x80\xc8\xac\xc0\x80\xc8\xac");
    fromSpeaker ("/alert", { overlong });
    juce::String overlongText;
    for (unsigned char byte : overlong)
        overlongText += juce::String::charToString (byte);
    EXPECT_EQ (partner.alerts,
               (std::vector<juce::String> { "Overheat", "Overheat", "Fan", "Fan " + juce::String::charToString (0xe9) + "x",
                                            overlongText }));
}

TEST_F (OscComReceiveTest, MessagesWhileOfflineAreIgnored)
{
    speaker->setInfo ("OLD", "V1.5", 0);  // refused: the device stays open, the link offline
    startLink();
    ASSERT_TRUE (pumpUntil ([this] { return partner.count ("showIncompatibleFirmware") == 1; }));

    fromSpeaker ("/meter", { 0.5f, 0.5f, 0.5f });
    fromSpeaker ("/delay", { 12.5f, int32_t (90) });
    fromSpeaker ("/alert", { std::string ("Hot") });
    EXPECT_TRUE (partner.meters.empty());
    EXPECT_TRUE (partner.alerts.empty());
    EXPECT_EQ (root->delay->del->index, 0);
}

TEST_F (OscComReceiveTest, BrokenInputIsDroppedQuietly)
{
    connect();
    const auto calls = partner.calls.size();

    // Handed straight to the handler: blocks the transport would never post, and some it would.
    auto handle = [this] (int tag, std::vector<uint8_t> bytes, uint32_t length)
    {
        juce::MemoryBlock block (MyMessage::receiveBlockSize, true);
        std::memcpy (block.getData(), bytes.data(), juce::jmin (bytes.size(), block.getSize()));
        MyMessage::setMessageLength (static_cast<uint8_t*> (block.getData()), length);
        link->handleMessage (MyMessage (tag, block));
    };

    auto meter = sim::OscCodec::encode ("/meter", { 0.5f, 0.5f, 0.5f });
    std::vector<uint8_t> framed (4, 0);
    framed.insert (framed.end(), meter.begin(), meter.end());

    handle (osc::usbMessageTag, framed, 12);   // cut off before its arguments
    handle (osc::usbMessageTag, framed, 200);  // length beyond the block
    handle (osc::usbMessageTag, framed, 23);   // not whole words
    handle (12345, framed, (uint32_t) meter.size());  // a foreign tag is no reply
    EXPECT_EQ (partner.calls.size(), calls);

    // A blob whose size points far past the message: the OSC reader itself would not stop there.
    const uint8_t blob[] = { 0, 0, 0, 0, '/', 'm', 'e', 't', 'e', 'r', 0, 0, ',', 'b', 'b', 's', 0, 0, 0, 0,
                             0x56, 0x03, 0xd0, 0xcf, 0, 0, 0, 0 };
    handle (osc::usbMessageTag, std::vector<uint8_t> (std::begin (blob), std::end (blob)), sizeof (blob) - 4);
    EXPECT_EQ (partner.calls.size(), calls);

    // An early address-only message must not borrow arguments from what an earlier one left behind.
    auto info = sim::OscCodec::encode ("/info", { std::string ("A"), std::string ("V2.0"), int32_t (0) });
    std::vector<uint8_t> stale (4, 0);
    stale.insert (stale.end(), info.begin(), info.end());
    handle (osc::usbMessageTag, stale, 8);  // "/info" alone, with the old arguments behind it
    EXPECT_EQ (partner.count ("askConnect"), 1);

    handle (osc::usbMessageTag, framed, (uint32_t) meter.size());
    EXPECT_EQ (partner.calls.size(), calls + 1);

    link->handleMessage (juce::Message());  // not a MyMessage at all
    link->handleMessage (MyMessage (osc::usbMessageTag, juce::MemoryBlock (3, true)));
}
