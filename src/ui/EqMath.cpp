#include "ui/EqMath.h"

#include <cmath>
#include <limits>

FilterCoefficients<4> peqCoefficients;
FilterCoefficients<4> xoverCoefficients;
FilterCoefficients<8> rsqCoefficients;
float peqFrequencies[4] {};
float xoverOffset = 0.0f;
int selectedSection = 0;
bool subwooferFlag = false;

namespace EqMath
{
SectionFrequencyWriter graphSectionFrequency = nullptr;

namespace
{
    constexpr float pi = 3.14159274f;
    constexpr float twoPi = 6.2831855f;
    constexpr float dbToLnAmplitude = 0.1151293f;   // ln(10) / 20
    constexpr float lnTen = 2.302585093f;
    constexpr float sqrtTwo = 1.4142137f;

    // Butterworth damping of the two crossover sections: 2 cos(pi/8) and 2 cos(3 pi/8).
    constexpr double crossoverDamping[2] { 1.8477590650225735, 0.7653668647301796 };

    // Corners at or below this make the crossover flat.
    constexpr float crossoverFlatBelowHz = 20.0f;

    struct Section
    {
        float b0 = 1.0f, a1 = 0.0f, a2 = 0.0f, b1 = 0.0f, b2 = 0.0f;
    };

    /** Pre-warped analogue frequency of a corner: tan(pi f / fs). */
    float warp (float hz) noexcept
    {
        const float argument = pi * hz / sampleRate;
        return std::tan (argument);
    }

    /** Linear amplitude of a gain in dB. */
    float amplitude (float gainDb) noexcept
    {
        return std::exp (dbToLnAmplitude * gainDb);
    }

    template <std::size_t N>
    void store (FilterCoefficients<N>& table, int index, const Section& s) noexcept
    {
        table.b0[index] = s.b0;
        table.a1[index] = s.a1;
        table.a2[index] = s.a2;
        table.b1[index] = s.b1;
        table.b2[index] = s.b2;
    }

    Section peaking (float k, float a, float q) noexcept
    {
        const float alpha = k / (q * std::sqrt (a));
        const float kk = k * k;
        const float d = 1.0f + alpha + kk;
        const float excess = alpha * (a - 1.0f) / d;
        Section s;
        s.a1 = 2.0f * (kk - 1.0f) / d;
        s.a2 = (1.0f - alpha + kk) / d;
        s.b0 = 1.0f + excess;
        s.b1 = s.a1;
        s.b2 = s.a2 - excess;
        return s;
    }

    Section lowShelf6 (float k, float a) noexcept
    {
        const float p = a > 1.0f ? (k - 1.0f) / (k + 1.0f) : (k - a) / (k + a);
        const float h = (1.0f + p) * (a - 1.0f) / 2.0f;
        Section s;
        s.b0 = 1.0f + h;
        s.b1 = p + h;
        s.a1 = p;
        return s;
    }

    Section highShelf6 (float k, float a) noexcept
    {
        const float p = a > 1.0f ? (k - 1.0f) / (k + 1.0f) : (k * a - 1.0f) / (k * a + 1.0f);
        const float h = (1.0f - p) * (a - 1.0f) / 2.0f;
        Section s;
        s.b0 = 1.0f + h;
        s.b1 = p - h;
        s.a1 = p;
        return s;
    }

    Section lowShelf12 (float k, float a) noexcept
    {
        const float kk = k * k;
        Section s;
        if (a > 1.0f)
        {
            const float root = std::sqrt (a + a);
            const float d = 1.0f + sqrtTwo * k + kk;
            s.b0 = (1.0f + root * k + a * kk) / d;
            s.b1 = 2.0f * (a * kk - 1.0f) / d;
            s.b2 = (1.0f - root * k + a * kk) / d;
            s.a1 = 2.0f * (kk - 1.0f) / d;
            s.a2 = (1.0f - sqrtTwo * k + kk) / d;
        }
        else
        {
            // The inverse of the boost with the reciprocal gain.
            const float b = 1.0f / a;
            const float root = std::sqrt (b + b);
            const float e = 1.0f + root * k + b * kk;
            s.b0 = (1.0f + sqrtTwo * k + kk) / e;
            s.b1 = 2.0f * (kk - 1.0f) / e;
            s.b2 = (1.0f - sqrtTwo * k + kk) / e;
            s.a1 = 2.0f * (b * kk - 1.0f) / e;
            s.a2 = (1.0f - root * k + b * kk) / e;
        }
        return s;
    }

    Section highShelf12 (float k, float a) noexcept
    {
        const float kk = k * k;
        Section s;
        if (a > 1.0f)
        {
            const float root = std::sqrt (a + a);
            const float d = 1.0f + sqrtTwo * k + kk;
            s.b0 = (a + root * k + kk) / d;
            s.b1 = 2.0f * (kk - a) / d;
            s.b2 = (a - root * k + kk) / d;
            s.a1 = 2.0f * (kk - 1.0f) / d;
            s.a2 = (1.0f - sqrtTwo * k + kk) / d;
        }
        else
        {
            // The inverse of the boost with the reciprocal gain.
            const float b = 1.0f / a;
            const float root = std::sqrt (b + b);
            const float rootOver = std::sqrt (2.0f / b);
            const float e1 = b + root * k + kk;
            const float e2 = 1.0f + rootOver * k + kk / b;
            s.b0 = (1.0f + sqrtTwo * k + kk) / e1;
            s.b1 = 2.0f * (kk - 1.0f) / e1;
            s.b2 = (1.0f - sqrtTwo * k + kk) / e1;
            s.a1 = 2.0f * (kk / b - 1.0f) / e2;
            s.a2 = (1.0f - rootOver * k + kk / b) / e2;
        }
        return s;
    }

    Section lowCut12 (float k) noexcept
    {
        const float kk = k * k;
        const float d = 1.0f + sqrtTwo * k + kk;
        Section s;
        s.b0 = 1.0f / d;
        s.b1 = -2.0f / d;
        s.b2 = 1.0f / d;
        s.a1 = 2.0f * (kk - 1.0f) / d;
        s.a2 = (1.0f - sqrtTwo * k + kk) / d;
        return s;
    }

    Section highCut12 (float k) noexcept
    {
        const float kk = k * k;
        const float d = 1.0f + sqrtTwo * k + kk;
        Section s;
        s.b0 = 1.0f / (1.0f + sqrtTwo / k + 1.0f / kk);
        s.b1 = 2.0f * s.b0;
        s.b2 = s.b0;
        s.a1 = 2.0f * (kk - 1.0f) / d;
        s.a2 = (1.0f - sqrtTwo * k + kk) / d;
        return s;
    }

    Section crossoverSection (float k, double damping, bool lowPass) noexcept
    {
        const double kk = static_cast<double> (k) * k;
        const double d = 1.0 + damping * k + kk;
        Section s;
        s.a1 = static_cast<float> (2.0 * (kk - 1.0) / d);
        s.a2 = static_cast<float> ((1.0 - damping * k + kk) / d);
        s.b0 = lowPass ? static_cast<float> (1.0 / (1.0 + damping / k + 1.0 / kk))
                       : static_cast<float> (1.0 / d);
        s.b1 = lowPass ? 2.0f * s.b0 : -2.0f * s.b0;
        s.b2 = s.b0;
        return s;
    }

    /** The product of the squared magnitudes of every section of `table` at `hz`, kept within the
        normal float range so that its logarithm is always finite (a section with a zero exactly at
        `hz` would otherwise give minus infinity to the graph). */
    template <std::size_t N>
    float powerProduct (const FilterCoefficients<N>& table, float hz) noexcept
    {
        const float w = hz * twoPi / sampleRate;
        const float cw = std::cos (w);
        const float sw = std::sin (w);
        const float c2 = cw * cw - sw * sw;
        const float s2 = 2.0f * sw * cw;

        float product = 1.0f;
        for (std::size_t i = 0; i < N; ++i)
        {
            const float reN = table.b0[i] + table.b1[i] * cw + table.b2[i] * c2;
            const float imN = -(table.b1[i] * sw + table.b2[i] * s2);
            const float reD = 1.0f + table.a1[i] * cw + table.a2[i] * c2;
            const float imD = -(table.a1[i] * sw + table.a2[i] * s2);
            product *= (reN * reN + imN * imN) / (reD * reD + imD * imD);
        }

        if (! (product >= std::numeric_limits<float>::min()))   // also catches NaN
            return std::numeric_limits<float>::min();
        if (product > std::numeric_limits<float>::max())
            return std::numeric_limits<float>::max();
        return product;
    }

    void writeGraphFrequency (int section, float hz) noexcept
    {
        if (graphSectionFrequency != nullptr)
            graphSectionFrequency (section, hz);
    }

    bool usableQ (float q) noexcept
    {
        return q > 0.0f && q <= std::numeric_limits<float>::max();
    }
}

void designPeqBand (int band, int type, float freqHz, float gainDb, float q) noexcept
{
    if (band < 0 || band >= static_cast<int> (peqCoefficients.sections))
        return;

    const float k = warp (freqHz);
    const float a = amplitude (gainDb);
    Section s;

    switch (type)
    {
        case bandOff:  break;
        case bandPeq:
            if (! usableQ (q))
                return;
            s = peaking (k, a, q);
            break;
        case bandLs6:  s = lowShelf6 (k, a); break;
        case bandLs12: s = lowShelf12 (k, a); break;
        case bandHs6:  s = highShelf6 (k, a); break;
        case bandHs12: s = highShelf12 (k, a); break;
        case bandLc12: s = lowCut12 (k); break;
        case bandHc12: s = highCut12 (k); break;
        default:       return;
    }

    store (peqCoefficients, band, s);
    selectedSection = band;
    peqFrequencies[band] = freqHz;
    writeGraphFrequency (band, freqHz);
}

void designCrossover (float freqHz, float offsetDb) noexcept
{
    const float k = warp (freqHz);
    for (int i = 0; i < 2; ++i)
        store (xoverCoefficients, i,
               freqHz <= crossoverFlatBelowHz ? Section {}
                                              : crossoverSection (k, crossoverDamping[i], subwooferFlag));

    selectedSection = 0;
    xoverOffset = offsetDb;
    writeGraphFrequency (0, freqHz);
}

void designRsqBand (int band, float freqHz, float gainDb, float q) noexcept
{
    if (band < 0 || band >= static_cast<int> (rsqCoefficients.sections) || ! usableQ (q))
        return;

    store (rsqCoefficients, band, peaking (warp (freqHz), amplitude (gainDb), q));
}

float peqResponseDb (float hz) noexcept
{
    return 20.0f * std::log (powerProduct (peqCoefficients, hz)) / lnTen;
}

float crossoverResponseDb (float hz) noexcept
{
    return 20.0f * std::log (powerProduct (xoverCoefficients, hz)) / lnTen + 2.0f * xoverOffset;
}

float rsqResponseDb (float hz) noexcept
{
    return 10.0f * std::log (powerProduct (rsqCoefficients, hz)) / lnTen;
}
}
