#pragma once
// Filter mathematics for the response graph: the program-wide coefficient tables of the EQ bands, the
// crossover and the feedback filters, their designers, and the response functions the graph draws.
// Everything is single precision at a fixed sample rate of 96 kHz; the curves are for display only.

#include <cstddef>

/** Second-order sections as five parallel arrays, one entry per section. A section's transfer function
    is H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2). Every section starts as unity. */
template <std::size_t Sections>
struct FilterCoefficients
{
    /** Number of sections in the table. */
    static constexpr std::size_t sections = Sections;

    float b0[Sections] {};
    float a1[Sections] {};
    float a2[Sections] {};
    float b1[Sections] {};
    float b2[Sections] {};

    /** A table of unity sections (b0 = 1, everything else 0). */
    constexpr FilterCoefficients() noexcept
    {
        for (std::size_t i = 0; i < Sections; ++i)
            b0[i] = 1.0f;
    }
};

/** The four EQ bands, index = band number - 1. */
extern FilterCoefficients<4> peqCoefficients;

/** The crossover: sections 0 and 1 are designed, sections 2 and 3 stay unity. */
extern FilterCoefficients<4> xoverCoefficients;

/** The eight feedback-suppression filters, index = filter number - 1. */
extern FilterCoefficients<8> rsqCoefficients;

/** Frequency in Hz of each EQ band as last designed; 0 until the band is first designed. */
extern float peqFrequencies[4];

/** Display level offset in dB last given to the crossover designer; the crossover curve adds it. */
extern float xoverOffset;

/** The EQ band last touched (0 to 3), which the graph draws highlighted. */
extern int selectedSection;

/** True while the current model is a subwoofer; written by the configuration page when the model
    changes, read by the crossover designer (low-pass for subwoofers, high-pass otherwise). */
extern bool subwooferFlag;

namespace EqMath
{
    /** Sample rate of every table, in Hz. */
    constexpr float sampleRate = 96000.0f;

    /** EQ band types, in the order of the band type enumeration. */
    enum BandType
    {
        bandOff = 0,   ///< flat
        bandPeq,       ///< peaking
        bandLs6,       ///< first-order low shelf
        bandLs12,      ///< second-order low shelf
        bandHs6,       ///< first-order high shelf
        bandHs12,      ///< second-order high shelf
        bandLc12,      ///< 12 dB/octave low cut (Butterworth high-pass)
        bandHc12       ///< 12 dB/octave high cut (Butterworth low-pass)
    };

    /** Receives a band's frequency for the Equaliser page's graph (section index, Hz). */
    using SectionFrequencyWriter = void (*) (int section, float hz);

    /** Set by the Equaliser page while it exists so the designers can move the graph's handles;
        null otherwise, and then nothing is written. */
    extern SectionFrequencyWriter graphSectionFrequency;

    /** Designs EQ band `band` (0..3) of `type` (0..7) into peqCoefficients, then makes it the selected
        section and records its frequency in peqFrequencies and in the graph. A band or type out of
        range, or a peaking band with a q that is not positive, changes nothing. */
    void designPeqBand (int band, int type, float freqHz, float gainDb, float q) noexcept;

    /** Designs the crossover as a 24 dB/octave Butterworth pair into sections 0 and 1 of
        xoverCoefficients (low-pass while subwooferFlag is set, high-pass otherwise; unity at or below
        20 Hz), stores the offset, selects section 0 and moves graph section 0 to `freqHz`. */
    void designCrossover (float freqHz, float offsetDb) noexcept;

    /** Designs feedback filter `band` (0..7) as a peaking section into rsqCoefficients and touches
        nothing else. A band out of range or a q that is not positive changes nothing. */
    void designRsqBand (int band, float freqHz, float gainDb, float q) noexcept;

    /** The four EQ bands' summed response at `hz`, two units per dB (a 6 dB boost gives 12). */
    float peqResponseDb (float hz) noexcept;

    /** The crossover's response at `hz` plus the offset, two units per dB (the offset counts twice). */
    float crossoverResponseDb (float hz) noexcept;

    /** The eight feedback filters' summed response at `hz`, in dB. */
    float rsqResponseDb (float hz) noexcept;
}
