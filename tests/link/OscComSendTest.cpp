// The sending half of the link with its real threads against the simulated speaker: the queue and its
// coalescing, stop-and-wait with retries, the keep-alive, going online and offline, oversized messages.

#include "LinkTestSupport.h"

#include "link/MyMessage.h"
#include "model/Cdelay.h"
#include "model/Climiter.h"
#include "model/Cpeq.h"

using namespace linktest;

namespace
{

class OscComSendTest : public LinkFixture
{
protected:
    /** Online, everything answered, then the speaker stops answering; with `patient` the link waits
        long for each echo, so a message stays in its waiting state while the test looks at it. */
    void connectThenSilence (bool patient = true)
    {
        connect();
        speaker->setSilent (true);
        speaker->clearLogs();
        if (patient)
            link->setAcknowledgementTimeout (patientMs);
    }

    Cpeq* band (int n) { return root->peq->bands[n - 1]; }

    void sendBandGain (int n, float gain)
    {
        band (n)->gain->setFromFloat (gain);
        band (n)->sendOsc (band (n)->path);
    }

    /** Waits until the oldest message has been handed over `attempts` times in all. */
    void waitForAttempts (const std::string& address, size_t attempts)
    {
        ASSERT_TRUE (speaker->waitForReceived (attempts, threadWaitMs, address));
    }
};

} // namespace

TEST_F (OscComSendTest, GoingOnlineRequestsEveryNodeThenTheSlotNamesInOrderThenTheMeters)
{
    connect();

    std::vector<std::string> addresses;
    std::vector<int32_t> slots;
    for (auto& m : speaker->received())
    {
        addresses.push_back (m.address);
        if (m.address == "/preset/name")
            slots.push_back (m.intArg (0));
    }

    ASSERT_GE (addresses.size(), 45u);
    EXPECT_EQ (addresses[0], "/info");
    EXPECT_EQ (addresses[1], "/online");

    const auto nodes = speaker->nodeAddresses();
    ASSERT_EQ (nodes.size(), 22u);
    for (size_t i = 0; i < nodes.size(); ++i)
        EXPECT_EQ (addresses[2 + i], nodes[i]);

    std::vector<int32_t> expected;
    for (int n = 1; n <= 20; ++n)
        expected.push_back (n);
    EXPECT_EQ (slots, expected);
    EXPECT_EQ (addresses[44], "/meter");

    // Every message went out once: each echo acknowledged its request.
    EXPECT_EQ (speaker->receivedCount ("/preset/name"), 20u);
    EXPECT_EQ (speaker->receivedCount ("/peq/01"), 1u);
    EXPECT_EQ (link->retryCount(), 0);

    // The replies reached the page.
    ASSERT_EQ (partner.slotNames.size(), 20u);
    EXPECT_EQ (partner.slotNames[0], std::make_pair (0, juce::String ("INIT_DATA")));
    EXPECT_EQ (partner.slotNames[19], std::make_pair (19, juce::String ("Preset 20")));
    EXPECT_EQ (partner.count ("showMeters"), 1);
}

TEST_F (OscComSendTest, ANewerValueTakesTheQueuedMessagesPlace)
{
    connectThenSilence();

    root->limiter->sendOsc (root->limiter->path);  // in flight, keeps the queue busy
    waitForAttempts ("/limiter", 1);

    sendBandGain (2, 3.0f);
    root->delay->sendOsc (root->delay->path);
    sendBandGain (2, -6.0f);

    const auto q = queued();
    ASSERT_EQ (q.size(), 3u);
    EXPECT_EQ (q[0].address, "/limiter");
    EXPECT_EQ (q[1].address, "/peq/02");
    EXPECT_EQ (std::get<float> (q[1].args.at (2)), -6.0f);
    EXPECT_EQ (q[2].address, "/delay");

    // "/meter" replaces "/meter" as well.
    link->sendFloat ("/meter", 10.0f);
    link->sendFloat ("/meter", 10.0f);
    EXPECT_EQ (link->queuedCount(), 4);

    // Slot names are never merged: each request is for another slot.
    for (int n = 1; n <= 3; ++n)
        link->sendIndexedString ("/preset/name", n, "DUMMY");
    EXPECT_EQ (link->queuedCount(), 7);
}

TEST_F (OscComSendTest, AnEchoOfTheOlderValueLeavesTheNewerMessageToBeSentNext)
{
    connect();
    speaker->clearLogs();
    speaker->setReplyDelay (40);
    link->setAcknowledgementTimeout (60000);  // only an echo can move the queue on, however slow the machine

    sendBandGain (2, 3.0f);
    waitForAttempts ("/peq/02", 1);
    ASSERT_TRUE (link->isWaitingForAck());

    sendBandGain (2, -6.0f);  // replaces the message awaiting its echo
    ASSERT_EQ (link->queuedCount(), 1);

    ASSERT_TRUE (pumpUntil ([this] { return link->queuedCount() == 0; }));
    pumpFor (150);

    // The first echo acknowledged the copy in flight; the newer value followed without a time-out, and
    // its echo left the tree at the user's last value.
    const auto sent = speaker->receivedWithAddress ("/peq/02");
    ASSERT_EQ (sent.size(), 2u);
    EXPECT_EQ (sent[0].floatArg (2), 3.0f);
    EXPECT_EQ (sent[1].floatArg (2), -6.0f);
    const auto stored = speaker->nodeValues ("/peq/02");
    ASSERT_EQ (stored.size(), 4u);
    EXPECT_EQ (std::get<float> (stored[2]), -6.0f);
    EXPECT_FLOAT_EQ (band (2)->gain->getFloat(), -6.0f);
}

TEST_F (OscComSendTest, AControlDraggedFasterThanItsEchoesHoldsUpNoOtherMessage)
{
    connect();
    speaker->clearLogs();
    speaker->setReplyDelay (30);
    link->setAcknowledgementTimeout (60000);  // only echoes move the queue on

    // Every "/peq/02" handed over is replaced by a newer value before its echo comes back; a "/delay"
    // joins the queue after the first.
    constexpr int drags = 12;
    sendBandGain (2, 0.0f);
    for (int k = 1; k <= drags; ++k)
    {
        ASSERT_TRUE (pumpUntil ([&] { return speaker->receivedCount ("/peq/02") >= (size_t) k; }));
        sendBandGain (2, (float) k);
        if (k == 1)
            root->delay->sendOsc (root->delay->path);
    }
    ASSERT_TRUE (pumpUntil ([this] { return link->queuedCount() == 0; }));

    size_t dragsBeforeDelay = 0;
    for (auto& m : speaker->received())
    {
        if (m.address == "/delay")
            break;
        dragsBeforeDelay += m.address == "/peq/02" ? 1 : 0;
    }
    EXPECT_EQ (speaker->receivedCount ("/delay"), 1u);
    EXPECT_LE (dragsBeforeDelay, 2u) << "\"/delay\" waited for the whole drag";

    // The last value of the drag still reached the speaker.
    const auto sent = speaker->receivedWithAddress ("/peq/02");
    ASSERT_FALSE (sent.empty());
    EXPECT_EQ (sent.back().floatArg (2), (float) drags);
    const auto stored = speaker->nodeValues ("/peq/02");
    ASSERT_EQ (stored.size(), 4u);
    EXPECT_EQ (std::get<float> (stored[2]), (float) drags);
}

TEST_F (OscComSendTest, AnEchoThatOvertakesTheSendLoopStillAcknowledges)
{
    connect();
    speaker->clearLogs();
    link->setAcknowledgementTimeout (patientMs);  // only the echo can move the queue on

    // The send loop is held up right after handing the message over, long enough for the speaker's echo
    // to reach the link before the loop has gone on: the echo must still count. (Nothing here may take
    // the queue's lock while the echo is handled, as the page does not either.)
    speaker->setWakeDelay (150);
    sendBandGain (2, 3.0f);
    ASSERT_TRUE (speaker->waitForSent (1, threadWaitMs, "/peq/02"));
    speaker->sendPeakLimit (0, 0, 0);  // behind the echo: shown once the link has handled the echo
    ASSERT_TRUE (pumpUntil ([this] { return ! partner.peakLimits.empty(); }));
    speaker->setWakeDelay (0);
    ASSERT_TRUE (pumpUntil ([this] { return link->queuedCount() == 0; })) << "the echo acknowledged nothing";

    EXPECT_EQ (speaker->receivedCount ("/peq/02"), 1u);
    EXPECT_EQ (link->retryCount(), 0);
    EXPECT_TRUE (link->online.load());
}

TEST_F (OscComSendTest, ATimeOutSendsTheNewerValueNext)
{
    connect();
    speaker->clearLogs();
    speaker->dropReplies (1, "/peq/02");
    const int echoTimeout = link->acknowledgementTimeout();
    link->setAcknowledgementTimeout (patientMs);  // no time-out before the newer value has taken its place

    sendBandGain (2, 3.0f);
    waitForAttempts ("/peq/02", 1);
    sendBandGain (2, -6.0f);
    link->setAcknowledgementTimeout (echoTimeout);

    ASSERT_TRUE (pumpUntil ([this] { return link->queuedCount() == 0; }));

    // The hand-over after the time-out carried the newer value (a slow echo may have it sent again).
    const auto sent = speaker->receivedWithAddress ("/peq/02");
    ASSERT_GE (sent.size(), 2u);
    EXPECT_EQ (sent[0].floatArg (2), 3.0f);
    for (size_t i = 1; i < sent.size(); ++i)
        EXPECT_EQ (sent[i].floatArg (2), -6.0f) << "hand-over " << i + 1;
    EXPECT_GE (std::chrono::duration_cast<std::chrono::milliseconds> (sent[1].time - sent[0].time).count(), 90);
    EXPECT_EQ (link->retryCount(), 0);
}

TEST_F (OscComSendTest, ASilentSpeakerGetsFourAttemptsThenOneConnectionErrorThatClosesTheTransport)
{
    connectThenSilence (false);
    ASSERT_EQ (link->acknowledgementTimeout(), 100);  // the default, in force here

    root->delay->sendOsc (root->delay->path);
    ASSERT_TRUE (pumpUntil ([this] { return partner.count ("showConnectionError") == 1; }));
    pumpFor (400);

    const auto attempts = speaker->receivedWithAddress ("/delay");
    ASSERT_EQ (attempts.size(), 4u);
    for (size_t i = 1; i < attempts.size(); ++i)
        EXPECT_GE (std::chrono::duration_cast<std::chrono::milliseconds> (attempts[i].time - attempts[i - 1].time).count(), 90)
            << "attempt " << i + 1 << " came before the time-out";

    // One error, in the order the user sees it; the page went offline and with it the link.
    EXPECT_EQ (partner.count ("showConnectionError"), 1);
    const auto& c = partner.calls;
    const auto error = std::find (c.begin(), c.end(), "showConnectionError");
    ASSERT_NE (error, c.begin());
    EXPECT_EQ (*(error - 1), "setClipLeds");  // goOffline zeroed meters and LEDs first
    EXPECT_EQ (c.back(), "showOffline");
    EXPECT_FALSE (link->online.load());
    EXPECT_EQ (link->getSendingEnabled(), 0);
    EXPECT_EQ (link->queuedCount(), 0);
    EXPECT_EQ (speaker->receivedCount ("/delay"), 4u);
    EXPECT_TRUE (pumpUntil ([this] { return link->usbState() == -1 && speaker->openHandleCount() == 0; }))
        << "the transport stayed open";
}

TEST_F (OscComSendTest, ALateEchoAcknowledgesNothingButTheResentOnesEchoDoes)
{
    connectThenSilence();

    root->limiter->sendOsc (root->limiter->path);
    waitForAttempts ("/limiter", 1);
    link->setSendingEnabled (0);          // hold the resend back
    link->setAcknowledgementTimeout (1);  // and stop waiting for the echo now
    ASSERT_TRUE (pumpUntil ([this] { return ! link->isWaitingForAck(); }));
    link->setAcknowledgementTimeout (patientMs);  // from here on only an echo moves the queue on
    ASSERT_EQ (speaker->receivedCount ("/limiter"), 1u);

    fromSpeaker ("/limiter", { -10.0f });
    EXPECT_EQ (link->queuedCount(), 1);

    speaker->setSilent (false);
    link->setSendingEnabled (1);
    ASSERT_TRUE (pumpUntil ([this] { return link->queuedCount() == 0; }));
    EXPECT_EQ (speaker->receivedCount ("/limiter"), 2u);
}

TEST_F (OscComSendTest, NothingIsQueuedWhileOffline)
{
    partner.connectAnswer = false;
    startLink();
    ASSERT_TRUE (pumpUntil ([this] { return partner.count ("askConnect") == 1; }));

    root->delay->sendOsc (root->delay->path);
    link->sendFloat ("/meter", 10.0f);
    osc::OscCom::sendInt ("/lock", 1234);
    osc::OscCom::sendGain (-3.0f);
    link->sendIndexedString ("/preset/load", 2, "X");
    EXPECT_EQ (link->queuedCount(), 0);

    pumpFor (200);
    EXPECT_EQ (speaker->receivedCount(), 1u);  // only "/info"
}

TEST_F (OscComSendTest, GoingOfflineFlushesTheQueueAndZeroesTheMeters)
{
    partner.holdQueueOnline = true;
    connect();
    ASSERT_EQ (link->queuedCount(), 43);

    speaker->setSilent (true);
    link->setSendingEnabled (1);
    ASSERT_TRUE (pumpUntil ([this] { return link->isWaitingForAck(); }));

    partner.goOffline();

    EXPECT_EQ (link->queuedCount(), 0);
    EXPECT_EQ (link->retryCount(), 0);
    EXPECT_FALSE (link->isWaitingForAck());
    EXPECT_FALSE (link->online.load());
    ASSERT_FALSE (partner.meterLevels.empty());
    EXPECT_EQ (partner.meterLevels.back(), (std::array<float, 3> { 0.0f, 0.0f, 0.0f }));
    ASSERT_FALSE (partner.clipLeds.empty());
    EXPECT_EQ (partner.clipLeds.back(), (std::array<bool, 3> { false, false, false }));

    // With sending enabled "/offline" goes straight to the speaker.
    EXPECT_TRUE (speaker->waitForReceived (1, 2000, "/offline"));
}

TEST_F (OscComSendTest, TheKeepAliveComesOnlyWhileTheQueueIsEmpty)
{
    connect();
    ASSERT_EQ (defaultKeepAliveMs, 5000);  // the link's own, which connect() holds back
    link->setAcknowledgementTimeout (patientMs);  // each keep-alive goes out once
    link->setKeepAliveInterval (150);
    speaker->clearLogs();

    ASSERT_TRUE (pumpUntil ([this] { return speaker->receivedCount ("/meter") >= 3; }));
    const auto meters = speaker->receivedWithAddress ("/meter");
    for (size_t i = 1; i < meters.size(); ++i)
        EXPECT_GE (std::chrono::duration_cast<std::chrono::milliseconds> (meters[i].time - meters[i - 1].time).count(), 140);
    EXPECT_EQ (speaker->receivedCount(), meters.size());  // nothing else was sent

    // A queue that does not drain gets no keep-alive. None may slip in while sending is being stopped.
    link->setKeepAliveInterval (patientMs);
    ASSERT_TRUE (pumpUntil ([this] { return link->queuedCount() == 0; }));
    link->setSendingEnabled (0);
    root->delay->sendOsc (root->delay->path);
    link->setKeepAliveInterval (150);
    pumpFor (600);
    const auto q = queued();
    ASSERT_EQ (q.size(), 1u);
    EXPECT_EQ (q[0].address, "/delay");
}

TEST_F (OscComSendTest, MessagesTooLongForOneReportAreDroppedSafely)
{
    partner.holdQueueOnline = true;
    connect();
    const int before = link->queuedCount();

    // Ten four-byte characters: 40 bytes of UTF-8 overflow the 64-byte packet buffer.
    const auto wide = juce::String::fromUTF8 ("\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb5"
                                              "\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb5"
                                              "\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb5");
    EXPECT_NO_THROW (link->sendIndexedString ("/preset/save", 3, wide));

    // 28 characters fill the buffer to exactly 64 bytes, which one report cannot carry either.
    EXPECT_NO_THROW (link->sendIndexedString ("/preset/load", 3, juce::String::repeatedString ("n", 28)));
    EXPECT_NO_THROW (link->sendDirect ("/an/address/far/too/long/for/the/sixty/four/byte/buffer/of/a/packet", 1));
    EXPECT_NO_THROW (link->sendFloat ("/an/address/far/too/long/for/the/sixty/four/byte/buffer/of/a/pack", 1.0f));
    EXPECT_EQ (link->queuedCount(), before);

    // 27 characters still fit (60 bytes), and the link goes on working.
    link->sendIndexedString ("/preset/load", 3, juce::String::repeatedString ("n", 27));
    EXPECT_EQ (link->queuedCount(), before + 1);
    EXPECT_EQ (decode (link->queuedMessages().back()).address, "/preset/load");
}

TEST_F (OscComSendTest, DirectMessagesShareTheSlotWithTheSendLoop)
{
    connect();
    speaker->clearLogs();
    link->setAcknowledgementTimeout (60000);  // only echoes move the queue on, however slow the machine

    // The send loop drains a stream of band messages while the message thread sends directly. A direct
    // message that finds the slot busy throughout its try is dropped, so which of them arrive depends on
    // timing; what does not: every message arrives whole, none twice, and each band's newest value arrives.
    for (int i = 0; i < 30; ++i)
    {
        sendBandGain (1 + i % 4, (float) (i % 10));
        link->sendDirect ("/offline", 1);
        link->sendDirect ("/online", 1);
        pumpFor (1);
    }
    ASSERT_TRUE (pumpUntil ([this] { return link->queuedCount() == 0 && ! link->isWaitingForAck(); }));

    for (auto& m : speaker->received())
        EXPECT_TRUE (m.wellFormed) << m.address;
    EXPECT_LE (speaker->receivedCount ("/online"), 30u);
    EXPECT_LE (speaker->receivedCount ("/offline"), 30u);
    for (int n = 1; n <= 4; ++n)
    {
        const auto stored = speaker->nodeValues (band (n)->path);
        ASSERT_EQ (stored.size(), 4u) << band (n)->path;
        EXPECT_FLOAT_EQ (std::get<float> (stored[2]), band (n)->gain->getFloat()) << band (n)->path;
    }
}
