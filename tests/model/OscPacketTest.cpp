#include "model/OscPacket.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST (OscPacket, WritesOneMessageAndRefusesMoreThanItsBuffer)
{
    OscPacket p;
    EXPECT_EQ (p.size(), 0u);
    EXPECT_STREQ (p.address(), "");

    p.stream() << osc::BeginMessage ("/meter") << 10.0f << osc::EndMessage;
    EXPECT_STREQ (p.address(), "/meter");
    // "/meter\0\0" + ",f\0\0" + 4 bytes of float
    EXPECT_EQ (p.size(), 16u);

    OscPacket big;
    const std::string longText (60, 'x');
    EXPECT_THROW (big.stream() << osc::BeginMessage ("/preset/save") << longText.c_str() << osc::EndMessage,
                  osc::OutOfBufferMemoryException);
}

namespace
{
struct RecordingSink : OscMessageSink
{
    int count = 0;
    void enqueue (OscPacket* m) override { ++count; delete m; }
};
} // namespace

TEST (OscPacket, GoesToTheSinkWhenOneIsSet)
{
    RecordingSink sink;
    oscMessageSink = &sink;
    sendToLink (new OscPacket());
    oscMessageSink = nullptr;
    sendToLink (new OscPacket()); // deleted, no sink: must not leak or crash
    EXPECT_EQ (sink.count, 1);
}
