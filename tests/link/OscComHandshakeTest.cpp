// The connection handshake: the "/info" reply, the Connect question and the firmware test, with the real
// threads and the simulated speaker.

#include "LinkTestSupport.h"

using namespace linktest;

namespace
{

class OscComHandshakeTest : public LinkFixture
{
};

} // namespace

TEST_F (OscComHandshakeTest, FirmwareFromVersionOnePointSevenIsAccepted)
{
    struct Case
    {
        const char* firmware;
        bool accepted;
    };

    const Case cases[] = { { "V1.7", true }, { "V1.9", true }, { "V2.0", true }, { "V1.6", false },
                           { "V0.9", false }, { "V1.10", false }, { "v1.7", false }, { "V", false },
                           { "", false }, { "V1", false }, { "V9", true } };

    speaker->setInfo ("FIRST", "V1.6", 3);
    startLink();
    ASSERT_TRUE (pumpUntil ([this] { return partner.count ("askConnect") == 1; }));

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.firmware);
        partner.goOffline();
        partner.calls.clear();

        speaker->setInfo ("Stage", c.firmware, 5);
        link->rescan();
        ASSERT_TRUE (pumpUntil ([this] { return partner.count ("askConnect") == 1; }));

        EXPECT_EQ (partner.connectQuestions.back(), "Stage");
        EXPECT_EQ (partner.models.back(), 5);
        EXPECT_EQ (partner.count ("goOnline"), c.accepted ? 1 : 0);
        EXPECT_EQ (partner.count ("showIncompatibleFirmware"), c.accepted ? 0 : 1);
        EXPECT_EQ (link->online.load(), c.accepted);
        EXPECT_TRUE (link->isDeviceOpen());  // refused firmware leaves the device open
        EXPECT_EQ (link->getSendingEnabled(), 1);
    }
}

TEST_F (OscComHandshakeTest, CancelClosesTheTransportWithoutGreetingAgain)
{
    partner.connectAnswer = false;
    startLink();
    ASSERT_TRUE (pumpUntil ([this] { return partner.count ("askConnect") == 1; }));
    ASSERT_TRUE (pumpUntil ([this] { return link->usbState() == -1 && speaker->openHandleCount() == 0; }));
    pumpFor (400);

    EXPECT_EQ (speaker->receivedCount ("/info"), 1u);
    EXPECT_EQ (partner.count ("askConnect"), 1);
    EXPECT_EQ (partner.count ("setModel"), 0);
    EXPECT_FALSE (link->online.load());

    // Search greets it again.
    partner.connectAnswer = true;
    link->rescan();
    ASSERT_TRUE (pumpUntil ([this] { return link->online.load(); }));
    EXPECT_EQ (speaker->receivedCount ("/info"), 2u);
}

TEST_F (OscComHandshakeTest, InfoWithFourArgumentsShowsNoDialog)
{
    connect();

    fromSpeaker ("/info", { std::string ("A"), std::string ("V2.0"), int32_t (0), int32_t (1) });
    fromSpeaker ("/info", { std::string ("A"), std::string ("V2.0") });
    fromSpeaker ("/info", { std::string ("A"), std::string ("V2.0"), 1.0f });
    fromSpeaker ("/infox", { std::string ("A"), std::string ("V2.0"), int32_t (0) });
    EXPECT_EQ (partner.count ("askConnect"), 1);

    fromSpeaker ("/info", { std::string ("B"), std::string ("V2.0"), int32_t (0) });
    EXPECT_EQ (partner.count ("askConnect"), 2);
    EXPECT_EQ (partner.connectQuestions.back(), "B");

    // A device name that is not UTF-8 is read one character per byte.
    fromSpeaker ("/info", { std::string ("B\xe9x"), std::string ("V2.0"), int32_t (0) });
    EXPECT_EQ (partner.count ("askConnect"), 3);
    EXPECT_EQ (partner.connectQuestions.back(), "B" + juce::String::charToString (0xe9) + "x");
}

TEST_F (OscComHandshakeTest, InfoWhileOnlineAsksAgainAndGoesOfflineFirst)
{
    connect();
    ASSERT_FALSE (partner.pageOffline);
    partner.calls.clear();

    speaker->setInfo ("Again", "V1.8", 2);
    link->rescan();
    ASSERT_TRUE (pumpUntil ([this] { return partner.count ("goOnline") == 1; }));
    ASSERT_TRUE (pumpUntil ([this] { return link->queuedCount() == 0; }));

    const std::vector<std::string> order (partner.calls.begin(), partner.calls.begin() + 5);
    EXPECT_EQ (order, (std::vector<std::string> { "askConnect", "goOffline", "setMeterLevels", "setClipLeds", "setModel" }));
    EXPECT_TRUE (link->online.load());
    EXPECT_EQ (speaker->receivedCount ("/offline"), 1u);
    EXPECT_EQ (speaker->receivedCount ("/online"), 2u);
}

TEST_F (OscComHandshakeTest, TheLinkCanBeMadeAndDestroyedAgain)
{
    for (int round = 0; round < 3; ++round)
    {
        partner = RecordingPartner();
        speaker->clearLogs();
        connect();
        EXPECT_EQ (oscCom, link.get());
        EXPECT_EQ (oscMessageSink, link.get());
        EXPECT_EQ (linkedSetupPage, &partner);
        EXPECT_NE (usbConnection, nullptr);

        link.reset();
        host.unplug (speaker);
        EXPECT_EQ (oscCom, nullptr);
        EXPECT_EQ (oscMessageSink, nullptr);
        EXPECT_EQ (linkedSetupPage, nullptr);
        EXPECT_EQ (usbConnection, nullptr);
        EXPECT_EQ (speaker->openHandleCount(), 0);
    }
}
