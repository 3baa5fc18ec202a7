#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{
std::string fmtF (const char* format, double value)
{
    char buffer[64];
    const int n = formatValue (buffer, format, value);
    EXPECT_EQ (n, (int) std::string (buffer).size()) << format;
    return std::string (buffer, (size_t) n);
}

std::string fmtI (const char* format, int value)
{
    char buffer[64];
    const int n = formatValue (buffer, format, value);
    return std::string (buffer, (size_t) n);
}

struct FloatRow
{
    const char* format;
    double value;
    const char* expected;
};
} // namespace

TEST (FormatValue, IntegerFormatsOfTheTree)
{
    EXPECT_EQ (fmtI ("%d", 0), "0");
    EXPECT_EQ (fmtI ("%d", 180), "180");
    EXPECT_EQ (fmtI ("%d", -5), "-5");
    EXPECT_EQ (fmtI ("%02d", 1), "01");
    EXPECT_EQ (fmtI ("%02d", 8), "08");
    EXPECT_EQ (fmtI ("%02d", 10), "10");
    EXPECT_EQ (fmtI ("%02d", 123), "123");
}

TEST (FormatValue, FloatFormatsOfTheTreeByteForByte)
{
    const FloatRow rows[] = {
        { "%5.1f", 0.0, "  0.0" },   { "%5.1f", 20.0, " 20.0" },   { "%5.1f", 50.0, " 50.0" },
        { "%5.1f", 100.0, "100.0" }, { "%5.1f", 999.9, "999.9" },  { "%5.1f", 1000.0, " 1000" },
        { "%5.1f", 9999.9, " 9999" }, { "%5.1f", 20000.0, "20000" }, { "%5.1f", 399.98, "400.0" },

        { "%+5.1f", 0.0, " +0.0" },  { "%+5.1f", 5.5, " +5.5" },   { "%+5.1f", -0.5, " -0.5" },
        { "%+5.1f", 10.0, "+10.0" }, { "%+5.1f", -15.0, "-15.0" }, { "%+5.1f", 15.0, "+15.0" },
        { "%+5.1f", -30.0, "-30.0" }, { "%+5.1f", -9.96, "-10.0" },

        { "%4.2f", 0.1, "0.10" },    { "%4.2f", 0.7071, "0.71" },  { "%4.2f", 1.0, "1.00" },
        { "%4.2f", 9.999, "10.0" },  { "%4.2f", 10.0, "10.0" },

        { "%4.1f", 0.0, " 0.0" },    { "%4.1f", -0.5, "-0.5" },    { "%4.1f", -9.5, "-9.5" },
        { "%4.1f", 10.0, "10.0" },   { "%4.1f", 18.333334, "18.3" }, { "%4.1f", 60.0, "60.0" },
        { "%4.1f", -30.0, " -30" },

        { "%6.2f", 0.0, "  0.00" },  { "%6.2f", 0.02, "  0.02" },  { "%6.2f", 12.34, " 12.34" },
        { "%6.2f", 300.0, "300.00" },
    };

    for (const auto& row : rows)
        EXPECT_EQ (fmtF (row.format, row.value), row.expected) << row.format << " of " << row.value;
}

TEST (FormatValue, SignIsDecidedBeforeRounding)
{
    EXPECT_EQ (fmtF ("%+5.1f", -0.04), " -0.0");
    EXPECT_EQ (fmtF ("%+5.1f", -0.0), " +0.0"); // negative zero shows no minus
}

TEST (FormatValue, OtherForms)
{
    char buffer[64];

    EXPECT_EQ (fmtF ("%.2f", 3.14159), "3.14");
    EXPECT_EQ (fmtF ("%5k1f", 1250.0), " 1k25");
    EXPECT_EQ (fmtF ("%5k1f", 999.0), "999.0");
    EXPECT_EQ (fmtI ("%x", 255), "ff");
    EXPECT_EQ (fmtI ("%+d", 7), "+7");
    EXPECT_EQ (fmtI ("%05d", -42), "-0042");
    EXPECT_EQ (fmtI ("%5d", -42), "  -42");
    EXPECT_EQ (fmtI ("%d", -2147483647 - 1), "-2147483648");
    EXPECT_EQ (fmtI ("%c!", 'A' + 256), "A!");

    EXPECT_EQ (formatValue (buffer, "%3s", "abcdef"), 3);
    EXPECT_STREQ (buffer, "abc");
    EXPECT_EQ (formatValue (buffer, "%6s", "ab"), 6);
    EXPECT_STREQ (buffer, "ab    ");
    EXPECT_EQ (formatValue (buffer, "[%s]", "whole"), 7);
    EXPECT_STREQ (buffer, "[whole]");

    EXPECT_EQ (formatValue (buffer, "100%%"), 4);
    EXPECT_STREQ (buffer, "100%");
    EXPECT_EQ (formatValue (buffer, "%y"), 1);
    EXPECT_STREQ (buffer, "?");
    EXPECT_EQ (formatValue (buffer, "%yz"), 2);
    EXPECT_STREQ (buffer, "?z");
}

TEST (FormatValue, RepeatAndTruncatedFormats)
{
    char buffer[64];

    EXPECT_EQ (formatValue (buffer, "%5n-|"), 6);
    EXPECT_STREQ (buffer, "-----|");
    EXPECT_EQ (formatValue (buffer, "a%n-"), 2); // width 0: nothing written, "-" stays a plain character
    EXPECT_STREQ (buffer, "a-");
    EXPECT_EQ (formatValue (buffer, "a%3n"), 1); // ends right after the "n"
    EXPECT_STREQ (buffer, "a");
    EXPECT_EQ (formatValue (buffer, "ab%"), 3);
    EXPECT_STREQ (buffer, "ab?");
    EXPECT_EQ (formatValue (buffer, "ab%+5."), 3);
    EXPECT_STREQ (buffer, "ab?");
}

TEST (FormatValue, WideIntegerPartDropsPointAndFraction)
{
    EXPECT_EQ (fmtF ("%4.1f", 123456.0), "123456");
    EXPECT_EQ (fmtF ("%5k1f", 20000.0), "20k00"); // the k takes the place of the point
    EXPECT_EQ (fmtF ("%0.2f", 3.14159), "3"); // a padding "0" counts as a width: no room for a fraction
    EXPECT_EQ (fmtF ("%07.1f", -2.5), "-0002.5");
}

TEST (ParseInt, Cases)
{
    struct Row
    {
        const char* text;
        int value;
        int taken;
    };

    const Row rows[] = { { "180", 180, 3 }, { "-5", -5, 2 }, { "+7", 7, 2 }, { "-", 0, 1 },
                         { "+-5", 0, 1 },   { "12x", 12, 2 }, { " 3", 0, 0 }, { "", 0, 0 } };

    for (const auto& row : rows)
    {
        int value = 12345;
        EXPECT_EQ (parseInt (row.text, &value), row.taken) << "'" << row.text << "'";
        EXPECT_EQ (value, row.value) << "'" << row.text << "'";
    }
}

TEST (ParseInt, TooManyDigitsSaturate)
{
    int value = 0;
    EXPECT_EQ (parseInt ("99999999999999999999", &value), 20);
    EXPECT_EQ (value, 2147483647);
    EXPECT_EQ (parseInt ("-99999999999999999999", &value), 21);
    EXPECT_EQ (value, -2147483647 - 1);
    EXPECT_EQ (parseInt ("2147483647", &value), 10);
    EXPECT_EQ (value, 2147483647);
}

TEST (ParseFloat, Cases)
{
    struct Row
    {
        const char* text;
        float value;
        int taken;
    };

    const Row rows[] = {
        { "100.0", 100.0f, 5 }, { "-2.5", -2.5f, 4 }, { "12abc", 12.0f, 2 }, { " 5", 0.0f, 0 },
        { "10k", 10000.0f, 3 }, { "1k2", 1200.0f, 3 }, { "1k25", 1250.0f, 4 }, { "k5", 500.0f, 2 },
        { "2k", 2000.0f, 2 },   { ".5", 0.5f, 2 },     { "3.", 3.0f, 2 },      { "1.5k", 1.5f, 3 },
        { "1.2.3", 1.2f, 3 },   { "+4", 4.0f, 2 },     { "", 0.0f, 0 },
    };

    for (const auto& row : rows)
    {
        float value = 99.0f;
        EXPECT_EQ (parseFloat (row.text, &value), row.taken) << "'" << row.text << "'";
        EXPECT_FLOAT_EQ (value, row.value) << "'" << row.text << "'";
    }

    float value = 1.0f;
    EXPECT_EQ (parseFloat ("-", &value), 1);
    EXPECT_EQ (value, 0.0f);
    EXPECT_TRUE (std::signbit (value));
}

TEST (ParseFloat, SinglePrecisionSteps)
{
    // 0.1 + 0.02 + 0.003 added as floats, with the weight divided as a float each time.
    float expected = 0.0f;
    float weight = 0.1f;

    for (int d : { 1, 2, 3 })
    {
        expected = expected + (float) d * weight;
        weight = weight / 10.0f;
    }

    float value = 0.0f;
    EXPECT_EQ (parseFloat ("0.123", &value), 5);
    EXPECT_EQ (value, expected);
}
