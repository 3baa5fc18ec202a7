// formatText32: node paths into a fixed 32-character buffer, never past it.
#include "ui/formatText32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST (FormatText32, BuildsTheBandPaths)
{
    char path[formatText32Size];
    for (int band = 1; band <= 8; ++band)
    {
        const int written = formatText32 (path, "rsq/%02d", band);
        EXPECT_EQ (std::string (path), "rsq/0" + std::to_string (band));
        EXPECT_EQ (written, 6);
    }

    EXPECT_EQ (formatText32 (path, "peq/%02d", 4), 6);
    EXPECT_STREQ (path, "peq/04");
    EXPECT_EQ (formatText32 (path, "peq/%02d", 123), 7);
    EXPECT_STREQ (path, "peq/123");
    EXPECT_EQ (formatText32 (path, "%s", ""), 0);
    EXPECT_STREQ (path, "");
}

TEST (FormatText32, NeverWritesPastTheBuffer)
{
    char guarded[formatText32Size + 8];
    std::memset (guarded, '#', sizeof (guarded));

    const std::string longText (40, 'x');
    const int written = formatText32 (guarded, "%s/%02d", longText.c_str(), 7);

    EXPECT_EQ (written, formatText32Size - 1);
    EXPECT_EQ (std::strlen (guarded), (size_t) formatText32Size - 1);
    for (size_t i = formatText32Size; i < sizeof (guarded); ++i)
        EXPECT_EQ (guarded[i], '#') << i;

    // Exactly 31 characters still fit whole.
    const std::string fits (27, 'y');
    EXPECT_EQ (formatText32 (guarded, "%s/%02d", fits.c_str(), 5), 30);
    EXPECT_EQ (formatText32 (guarded, "%s/%02d", fits.c_str(), 50), 30);
    EXPECT_EQ (formatText32 (guarded, "%s%03d", fits.c_str(), 500), 30);
    EXPECT_EQ (formatText32 (guarded, "%s%04d", fits.c_str(), 5000), 31);
    EXPECT_EQ (std::string (guarded), fits + "5000");
}
