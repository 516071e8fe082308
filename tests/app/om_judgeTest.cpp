// The verdict on an output from what its packets hold: the picture must reach 95 % of the part, the
// sound 95 % of the picture; a header's claim plays no part.
#include "app/om_judge.h"

#include <gtest/gtest.h>

namespace {

TMediaReport Holding(double Video, double Audio)
{
    TMediaReport r;
    r.Video = Video > 0;
    r.Length = Video;
    r.Audio = Audio != 0; // -1: sound, of a length the report does not give
    r.AudioLength = Audio;
    return r;
}

} // namespace

TEST(JudgeOutput, PictureAndSoundEachMustCoverEnough)
{
    struct Case {
        TMediaReport Output;
        double Span;
        bool WantAudio;
        bool Passes;
        double SoundShare = 1.0;
    };
    const Case cases[] = {
        {Holding(20, 20), 20, true, true},
        {Holding(19.1, 18.3), 20, true, true},
        {Holding(18.5, 18.5), 20, true, false}, // a cut file: far more than half, still short
        {Holding(850, 0.096), 850, true, false}, // the sound of a few frames only
        {Holding(850, 0.096), 850, false, true}, // a profile without sound
        {Holding(20, -1), 20, true, true},       // a report that cannot say how far the sound goes
        {Holding(0, 20), 20, true, false},
        {Holding(4.4, 3.9), 4.4, true, false},       // sound short of the picture...
        {Holding(4.4, 3.9), 4.4, true, true, 0.89},  // ...as the cut source's own sound is
        {Holding(4.4, 1.0), 4.4, true, false, 0.89}, // ...but not by far more
        {Holding(3, 3), 0, true, false},             // a part of which the source holds nothing
        {Holding(3, 3), -2, true, false},
        {Holding(0.967, 0.967), 1.0, true, true},    // a second's clip lacking one picture of 30...
        {Holding(0.933, 0.933), 1.0, true, false},   // ...but not two
    };
    for (Case c : cases) {
        c.Output.PictureStep = 1.0 / 30;
        EXPECT_EQ(JudgeOutput(c.Output, c.Span, c.WantAudio, c.SoundShare).empty(), c.Passes)
            << c.Output.Length << " s picture, " << c.Output.AudioLength << " s sound of " << c.Span;
    }
}

// Where the sound starts and ends against the picture, in the output and in the source's part.
TEST(JudgeSync, TheSoundSitsWhereTheSourceHasIt)
{
    TMediaReport source = Holding(10, 8); // sound from 2 s to the end
    source.AudioStart = 2;
    struct Case {
        double From, To;          // the part of the source
        double SoundAt, SoundFor; // the output's sound: its start against the picture, its length
        double Picture;
        const char* Verdict;
    };
    const Case cases[] = {
        {0, 0, 2, 8, 10, ""},
        {0, 0, 2.2, 7.8, 10, ""},                          // within 0.3 s
        {0, 0, 0, 8, 10, "the sound is 2.0 s early"},      // the encoder's way: every sound from 0
        {0, 0, 0, 10, 10, "the sound is 2.0 s early"},
        {0, 0, 2, 6.6, 10, "the sound ends 1.4 s early"}, // lost in a damaged stretch
        {0, 0, 2.5, 7.5, 10, "the sound is 0.5 s late"},
        {4, 0, 0, 6, 6, ""},                               // a part after the sound's start
        {0, 1.5, 0, 0.1, 1.5, ""},                         // a part before it: nothing to place
    };
    for (const Case& c : cases) {
        TMediaReport out = Holding(c.Picture, c.SoundFor);
        out.VideoStart = 0.04; // an output's own timeline may start anywhere
        out.AudioStart = 0.04 + c.SoundAt;
        EXPECT_EQ(JudgeSync(out, HeldOverRange(source, c.From, c.To)), c.Verdict) << c.From << ".." << c.To;
    }
    const TPartHolding held = HeldOverRange(source, 1, 6);
    EXPECT_DOUBLE_EQ(held.Picture, 5);
    EXPECT_DOUBLE_EQ(held.SoundStart, 1);
    EXPECT_DOUBLE_EQ(held.SoundEnd, 0);
}

TEST(ReadPacketLine, SpansRunFromTheFirstPacketToTheEndOfTheLast)
{
    TPacketSpans s;
    for (const char* line : {"video,0.080000,0.000000,0.040000,K_", "video,N/A,0.040000,0.040000,__",
                             "video,9.960000,9.920000,0.040000,__", "video,12.000000,12.000000,0.040000,_C",
                             "audio,0.000000,0.000000,0.021333,K_", "audio,9.978667,9.978667,0.021333,K_",
                             "subtitle,1.0,1.0,1.0,K_", "garbage"})
        ReadPacketLine(s, line);
    EXPECT_DOUBLE_EQ(s.VideoFrom, 0.04); // a packet without its own time takes its decoding time
    EXPECT_DOUBLE_EQ(s.VideoTo, 10.0);   // the corrupt packet at 12 s counts for nothing
    EXPECT_DOUBLE_EQ(s.AudioFrom, 0.0);
    EXPECT_NEAR(s.AudioTo, 10.0, 1e-9);
}

TEST(ReadReportLine, TheFirstPairedStatusSaysHowFarTheSoundLeads)
{
    // After a seek the first picture may carry no usable time; the first status that pairs the sound
    // with a picture holds, before the player's own correction shrinks the difference.
    const struct {
        std::vector<std::string> Lines;
        double Lead;
    } cases[] = {
        {{"A:   4.1 V:   0.5 A-V:  3.589 ct:  0.000   2/  2", "A:   4.2 V:   4.8 A-V: -0.577 ct: -0.008   4/  4"}, 0.577},
        {{"A:   2.4 V:   3.0 A-V: -0.621 ct: -0.062   2/  2", "A:   2.5 V:   3.1 A-V: -0.523 ct: -0.070   4/  4"}, 0.621},
        {{"A:   1.0 V:   0.9 A-V:  0.100 ct:  0.000   3/  3"}, 0},  // the sound behind is not cut
        {{"A:   9.0 V:   1.0 A-V:  8.000 ct:  0.000   3/  3"}, 0},  // no time the player could pair
        {{"ID_LENGTH=8.00"}, 0},
    };
    for (const auto& c : cases) {
        TMediaReport report;
        for (const std::string& line : c.Lines)
            ReadReportLine(report, line);
        EXPECT_NEAR(report.SoundLead, c.Lead, 1e-9) << c.Lines.back();
    }
}
