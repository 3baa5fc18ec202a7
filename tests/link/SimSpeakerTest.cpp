// The simulated speaker's answers, its misbehaviour on demand, and its thread safety.
#include "sim/MemoryHidHost.h"
#include "sim/OscCodec.h"
#include "sim/SimulatedSpeaker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace sim;

namespace
{

/** A speaker plugged into a host, with one open handle that plays the transport. */
class SpeakerRig
{
public:
    SpeakerRig()
    {
        host.plug (speaker);
        std::string path;
        EXPECT_TRUE (host.interfacePath (0, path));
        handle = host.open (path);
        EXPECT_NE (handle, nullptr);
    }

    void send (const std::string& address, const OscArgs& args = {})
    {
        sendReport (OscCodec::frame (OscCodec::encode (address, args)));
    }

    void sendReport (const Report& report)
    {
        ASSERT_TRUE (handle->startWrite (report.data()));
        ASSERT_EQ (handle->waitWrite (1000), hid::WaitResult::completed);
    }

    /** The next report from the speaker, decoded; address "<none>" when nothing came in time. */
    SimMessage receive (int timeoutMs = 1000)
    {
        SimMessage message;
        Report in {};
        if (! handle->startRead (in.data()))
            return message;
        if (handle->waitRead (timeoutMs) != hid::WaitResult::completed)
        {
            handle->cancelIo();
            message.address = "<none>";
            return message;
        }
        OscCodec::decodeReport (in, message);
        return message;
    }

    SimMessage exchange (const std::string& address, const OscArgs& args = {})
    {
        send (address, args);
        return receive();
    }

    MemoryHidHost host;
    std::shared_ptr<SimulatedSpeaker> speaker = std::make_shared<SimulatedSpeaker>();
    std::unique_ptr<hid::Device> handle;
};

} // namespace

TEST (SimSpeaker, AnswersInfoWithTheChosenIdentity)
{
    SpeakerRig rig;
    rig.speaker->setInfo ("STAGE LEFT", "V1.9", 17);
    const auto reply = rig.exchange ("/info");
    ASSERT_TRUE (reply.wellFormed);
    EXPECT_EQ (reply.address, "/info");
    EXPECT_EQ (reply.typeTags, "ssi");
    EXPECT_EQ (reply.stringArg (0), "STAGE LEFT");
    EXPECT_EQ (reply.stringArg (1), "V1.9");
    EXPECT_EQ (reply.intArg (2), 17);

    // A rename through the tree's "/devname" message changes the name "/info" gives.
    EXPECT_EQ (rig.exchange ("/devname", { std::string ("FOH") }).stringArg (0), "FOH");
    EXPECT_EQ (rig.exchange ("/info").stringArg (0), "FOH");
    EXPECT_EQ (rig.speaker->deviceName(), "FOH");
}

TEST (SimSpeaker, KeepsTheTreeNodesAndAnswersRequestsWithTheirValues)
{
    SpeakerRig rig;
    const auto addresses = rig.speaker->nodeAddresses();
    ASSERT_EQ (addresses.size(), 22u);
    EXPECT_EQ (addresses.front(), "/peq/01");
    EXPECT_EQ (addresses[12], "/delay");
    EXPECT_EQ (addresses.back(), "/devname");
    EXPECT_EQ (rig.speaker->nodeTypeTags ("/peq/02"), "sfff");
    EXPECT_EQ (rig.speaker->nodeTypeTags ("/xover"), "ifi");

    // A request (address only) is answered with the values of a freshly built tree.
    const auto band = rig.exchange ("/peq/02");
    ASSERT_TRUE (band.wellFormed);
    EXPECT_EQ (band.address, "/peq/02");
    EXPECT_EQ (band.typeTags, "sfff");
    EXPECT_EQ (band.stringArg (0), "OFF");
    EXPECT_FLOAT_EQ (band.floatArg (1), 20.0f);
    EXPECT_FLOAT_EQ (band.floatArg (2), -15.0f);
    EXPECT_NEAR (band.floatArg (3), 0.1f, 1e-4f);

    // A value message is stored and echoed; the next request returns it.
    const OscArgs values { std::string ("PEQ"), 1000.0f, 3.0f, 1.0f };
    const auto echo = rig.exchange ("/peq/02", values);
    EXPECT_EQ (echo.address, "/peq/02");
    EXPECT_EQ (echo.args, values);
    EXPECT_EQ (rig.exchange ("/peq/02").args, values);
    EXPECT_EQ (rig.speaker->nodeValues ("/peq/02"), values);
    EXPECT_NE (rig.speaker->nodeValues ("/peq/01"), values) << "other bands are untouched";

    EXPECT_TRUE (rig.speaker->setNodeValues ("/delay", { 12.5f, int32_t (180) }));
    EXPECT_FALSE (rig.speaker->setNodeValues ("/delay", { 12.5f })) << "tags must match";
    EXPECT_FALSE (rig.speaker->setNodeValues ("/nothing", {}));
    EXPECT_EQ (rig.exchange ("/delay").args, (OscArgs { 12.5f, int32_t (180) }));
}

TEST (SimSpeaker, IgnoresWhatItDoesNotAccept)
{
    SpeakerRig rig;
    const auto before = rig.speaker->nodeValues ("/peq/01");
    rig.send ("/peq/01", { std::string ("PEQ"), 1000.0f, 3.0f });                 // one argument short
    rig.send ("/peq/01", { int32_t (1), 1000.0f, 3.0f, 1.0f });                   // wrong type
    rig.send ("/nosuchnode", { 1.0f });
    rig.send ("/lock", { 1.0f });
    Report broken = OscCodec::frame (OscCodec::encode ("/info", {}));
    broken[2] = 'x';
    rig.sendReport (broken);
    EXPECT_EQ (rig.receive (30).address, "<none>");
    EXPECT_EQ (rig.speaker->nodeValues ("/peq/01"), before);
    EXPECT_EQ (rig.speaker->receivedCount(), 5u) << "everything is logged";
    EXPECT_EQ (rig.speaker->receivedCount ("/peq/01"), 2u);
}

TEST (SimSpeaker, AnswersTheLinkLevelMessages)
{
    SpeakerRig rig;
    rig.speaker->setMeters (0.75f, 0.5f, 0.25f);
    const auto meter = rig.exchange ("/meter", { 10.0f });
    EXPECT_EQ (meter.address, "/meter");
    EXPECT_EQ (meter.args, (OscArgs { 0.75f, 0.5f, 0.25f }));

    EXPECT_EQ (rig.exchange ("/gain", { -6.5f }).args, (OscArgs { -6.5f }));
    EXPECT_FLOAT_EQ (rig.speaker->gain(), -6.5f);

    rig.send ("/online");
    EXPECT_TRUE (rig.speaker->isOnline());
    rig.send ("/offline");
    EXPECT_FALSE (rig.speaker->isOnline());
    EXPECT_EQ (rig.receive (20).address, "<none>") << "/online and /offline are not answered";
}

TEST (SimSpeaker, LocksAndAnswersUnlockWithLock)
{
    SpeakerRig rig;
    const auto locked = rig.exchange ("/lock", { int32_t (0x34333231) });
    EXPECT_EQ (locked.address, "/lock");
    EXPECT_EQ (locked.intArg (0), 0x34333231);

    const auto refused = rig.exchange ("/unlock", { int32_t (0x31313131) });
    EXPECT_EQ (refused.address, "/lock") << "an unlock is answered with /lock";
    EXPECT_EQ (refused.intArg (0), 0x34333231) << "wrong code: still locked";

    const auto opened = rig.exchange ("/unlock", { int32_t (0x34333231) });
    EXPECT_EQ (opened.address, "/lock");
    EXPECT_EQ (opened.intArg (0), 0);
    EXPECT_EQ (rig.speaker->lockCode(), 0);
}

TEST (SimSpeaker, AnswersPresetNamesLoadsAndSaves)
{
    SpeakerRig rig;
    rig.speaker->setSlotName (7, "Church");
    for (int32_t n = 1; n <= 20; ++n)
        rig.send ("/preset/name", { n, int32_t (0), std::string ("DUMMY") });
    for (int32_t n = 1; n <= 20; ++n)
    {
        const auto reply = rig.receive();
        ASSERT_EQ (reply.address, "/preset/name");
        EXPECT_EQ (reply.intArg (0), n) << "answers keep the order of the requests";
        EXPECT_EQ (reply.intArg (1), 0);
        EXPECT_EQ (reply.stringArg (2), rig.speaker->slotName (n));
    }
    EXPECT_EQ (rig.speaker->slotName (1), "INIT_DATA");
    EXPECT_EQ (rig.speaker->slotName (7), "Church");

    // Save the current values under a new name, change them, load them back.
    const OscArgs saved { 42.0f, int32_t (0) };
    rig.speaker->setNodeValues ("/delay", saved);
    const auto save = rig.exchange ("/preset/save", { int32_t (3), int32_t (0), std::string ("Theatre 12345") });
    EXPECT_EQ (save.address, "/preset/save");
    EXPECT_EQ (save.intArg (0), 3);
    EXPECT_EQ (save.stringArg (2), "Theatre 12") << "names keep 10 characters";
    rig.speaker->setNodeValues ("/delay", { 1.0f, int32_t (180) });
    const auto load = rig.exchange ("/preset/load", { int32_t (3), int32_t (0), std::string ("x") });
    EXPECT_EQ (load.address, "/preset/load");
    EXPECT_EQ (load.stringArg (2), "Theatre 12");
    EXPECT_EQ (rig.speaker->nodeValues ("/delay"), saved);

    // Slot 1 is read-only; numbers outside 1 to 20 change nothing and come back as sent.
    const auto init = rig.exchange ("/preset/save", { int32_t (1), int32_t (0), std::string ("Mine") });
    EXPECT_EQ (init.stringArg (2), "INIT_DATA");
    const auto outside = rig.exchange ("/preset/name", { int32_t (21), int32_t (0), std::string ("DUMMY") });
    EXPECT_EQ (outside.intArg (0), 21);
    EXPECT_EQ (outside.stringArg (2), "DUMMY");
}

TEST (SimSpeaker, SilentDroppedAndDelayedAnswers)
{
    SpeakerRig rig;
    rig.speaker->setSilent (true);
    rig.send ("/meter", { 10.0f });
    EXPECT_EQ (rig.receive (20).address, "<none>");
    EXPECT_EQ (rig.speaker->receivedCount ("/meter"), 1u) << "a silent speaker still logs";
    rig.speaker->setSilent (false);

    rig.speaker->dropReplies (2, "/meter");
    rig.send ("/meter", { 10.0f });
    rig.send ("/gain", { 1.0f }); // not dropped: another address
    rig.send ("/meter", { 10.0f });
    rig.send ("/meter", { 10.0f });
    EXPECT_EQ (rig.receive().address, "/gain");
    EXPECT_EQ (rig.receive().address, "/meter");
    EXPECT_EQ (rig.receive (20).address, "<none>");

    rig.speaker->dropReplies (1);
    rig.send ("/info");
    rig.send ("/gain", { 2.0f });
    EXPECT_EQ (rig.receive().args, (OscArgs { 2.0f })) << "an empty address drops any one answer";

    rig.speaker->clearLogs();
    rig.speaker->setReplyDelay (40);
    rig.send ("/gain", { 3.0f });
    EXPECT_EQ (rig.receive().address, "/gain");
    const auto received = rig.speaker->received();
    const auto sent = rig.speaker->sent();
    ASSERT_EQ (received.size(), 1u);
    ASSERT_EQ (sent.size(), 1u);
    EXPECT_GE (sent[0].time - received[0].time, std::chrono::milliseconds (41)) << "delay plus one frame";
}

TEST (SimSpeaker, SendsUnsolicitedMessagesWhenTold)
{
    SpeakerRig rig;
    rig.speaker->sendAlert ("Overtemperature");
    rig.speaker->sendK24Meter (2, { 0.0f, 0.125f, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f, 1.0f });
    rig.speaker->sendPeakLimit (1, 0, 1);
    rig.speaker->setNodeValues ("/limiter", { -12.5f });
    EXPECT_TRUE (rig.speaker->sendNodeValues ("/limiter"));
    EXPECT_FALSE (rig.speaker->sendNodeValues ("/nothing"));

    const auto alert = rig.receive();
    EXPECT_EQ (alert.address, "/alert");
    EXPECT_EQ (alert.stringArg (0), "Overtemperature");
    const auto k24 = rig.receive();
    EXPECT_EQ (k24.address, "/k24meter");
    EXPECT_EQ (k24.typeTags, "iffffffff");
    EXPECT_EQ (k24.intArg (0), 2);
    EXPECT_FLOAT_EQ (k24.floatArg (8), 1.0f);
    const auto peak = rig.receive();
    EXPECT_EQ (peak.address, "/peaklimit");
    EXPECT_EQ (peak.args, (OscArgs { int32_t (1), int32_t (0), int32_t (1) }));
    const auto limiter = rig.receive();
    EXPECT_EQ (limiter.address, "/limiter");
    EXPECT_EQ (limiter.args, (OscArgs { -12.5f }));
    EXPECT_EQ (rig.speaker->sentCount(), 4u);
}

TEST (SimSpeaker, UnplugSilencesAndReplugAnswersAgain)
{
    SpeakerRig rig;
    rig.send ("/meter", { 10.0f });
    rig.host.unplug (rig.speaker);
    EXPECT_EQ (rig.speaker->pendingReportCount(), 0u) << "an unanswered reply is lost with the plug";
    Report in {};
    EXPECT_FALSE (rig.handle->startRead (in.data()));

    rig.host.plug (rig.speaker);
    std::string path;
    ASSERT_TRUE (rig.host.interfacePath (0, path));
    rig.handle = rig.host.open (path);
    ASSERT_NE (rig.handle, nullptr);
    EXPECT_EQ (rig.exchange ("/info").address, "/info");
}

TEST (SimSpeaker, ServesATransportThreadWhileTestsPokeIt)
{
    SpeakerRig rig;
    constexpr int requests = 200;
    std::atomic<int> answered { 0 };

    // The transport: writes requests and reads answers, as the USB thread does, with short waits.
    std::thread transport ([&] {
        Report in {};
        bool reading = false;
        int sentRequests = 0;
        const auto giveUp = Clock::now() + std::chrono::seconds (20);
        while (answered < requests && Clock::now() < giveUp)
        {
            if (sentRequests < requests && sentRequests - answered < 4)
            {
                const auto report = OscCodec::frame (OscCodec::encode ("/gain", { float (sentRequests) }));
                if (rig.handle->startWrite (report.data()) && rig.handle->waitWrite (200) == hid::WaitResult::completed)
                    ++sentRequests;
            }
            if (! reading)
                reading = rig.handle->startRead (in.data());
            const auto result = rig.handle->waitRead (5);
            if (result == hid::WaitResult::completed)
            {
                reading = false;
                if (in[2] == '/' && in[3] == 'g')
                    ++answered;
            }
        }
    });

    // Meanwhile the test reads logs and makes the speaker send things.
    std::thread poker ([&] {
        for (int i = 0; i < 50; ++i)
        {
            rig.speaker->setMeters (float (i), 0.0f, 0.0f);
            rig.speaker->sendPeakLimit (i, 0, 0);
            (void) rig.speaker->received();
            (void) rig.speaker->nodeValues ("/peq/01");
            std::this_thread::sleep_for (std::chrono::milliseconds (1));
        }
    });

    poker.join();
    transport.join();
    EXPECT_EQ (answered.load(), requests);
    EXPECT_TRUE (rig.speaker->waitForReceived (size_t (requests), 1000, "/gain"));
    EXPECT_EQ (rig.speaker->sentCount ("/peaklimit"), 50u);
    EXPECT_EQ (rig.speaker->sentCount ("/gain"), size_t (requests));
}
