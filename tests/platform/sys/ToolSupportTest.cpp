#include "platform/sys/ToolSupport.h"

#include <gtest/gtest.h>

#include "platform/sys/CommandLine.h"

namespace {

const std::string Ipod =
    "\"mencoder\" \"/v/a b.avi\"  -ofps 25 -ovc x264 -x264encopts bitrate=500:global_header -oac faac "
    "-faacopts br=96:mpeg=4:object=2:raw -of lavf -lavfopts format=psp -af channels=2,volume=8 -o \"/o/A \\\"q\\\".mp4\"";

} // namespace

TEST(AdaptToInstalledTools, RunnableCommand_StaysAsItIs)
{
    const std::string c = "\"mencoder\" x.avi -ovc lavc -oac mp3lame -o \"o.avi\"";
    EXPECT_EQ(AdaptToInstalledTools(c, "/s.avi", TToolSupport{}), std::vector<std::string>{c});
    EXPECT_EQ(AdaptToInstalledTools("\"ffmpeg\" -i a b", "/s.avi", TToolSupport{}).size(), 1u);
}

TEST(AdaptToInstalledTools, FaacMissing_PcmScratchThenAacInTheAskedContainer)
{
    const auto steps = AdaptToInstalledTools(Ipod, "/w/temp/s.avi", TToolSupport{});
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(SplitCommandLine(steps[0]),
              (std::vector<std::string>{"mencoder", "/v/a b.avi", "-ofps", "25", "-ovc", "x264", "-x264encopts",
                                        "bitrate=500:global_header:profile=main:bframes=0", "-af", "channels=2,volume=8", "-oac", "pcm", "-of",
                                        "lavf", "-lavfopts", "format=nut", "-o", "/w/temp/s.avi"}));
    const auto second = SplitCommandLine(steps[1]);
    EXPECT_EQ(second.front(), "ffmpeg");
    EXPECT_EQ(second.back(), "/o/A \"q\".mp4");
    EXPECT_NE(steps[1].find(" -c:a aac -b:a 96k -f psp "), std::string::npos) << steps[1];
}

TEST(AdaptToInstalledTools, FaacInstalled_NothingChanges)
{
    TToolSupport s;
    s.MencoderFaac = true;
    EXPECT_EQ(AdaptToInstalledTools(Ipod, "/s.avi", s).size(), 1u);
}

TEST(AdaptToInstalledTools, AmrNb_NarrowBandAacWithoutEncoder_AmrWithIt)
{
    const std::string c = "\"mencoder\" a.avi -ovc lavc -oac lavc -lavcopts aglobal=1:vglobal=1:vcodec=h263:acodec=libamr_nb:"
                          "vbitrate=120:abitrate=12200 -of lavf -lavfopts format=3gp -srate 8000 -o o.3gp";
    const auto steps = AdaptToInstalledTools(c, "/s.avi", TToolSupport{});
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_NE(steps[0].find("-lavcopts vglobal=1:vcodec=h263:vbitrate=120 "), std::string::npos) << steps[0];
    EXPECT_NE(steps[1].find("-c:a aac -ar 8000 -ac 1 -b:a 16k -f 3gp o.3gp"), std::string::npos) << steps[1];
    TToolSupport amr;
    amr.FfmpegAmrNb = true;
    EXPECT_NE(AdaptToInstalledTools(c, "/s.avi", amr)[1].find("-c:a libopencore_amrnb"), std::string::npos);
}

TEST(AdaptToInstalledTools, X264_HeldToTheTemplatesProfile_NoBFramesInTheScratch)
{
    TToolSupport faac;
    faac.MencoderFaac = true;
    const std::string c = "\"mencoder\" a.avi -ovc x264 -x264encopts bitrate=300:nocabac:level_idc=13 -oac faac "
                          "-faacopts br=128 -of lavf -lavfopts format=mp4 -o o.mp4";
    // One step: only the profile is asked for.
    const auto one = AdaptToInstalledTools(c, "/s.avi", faac);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_NE(one[0].find("-x264encopts bitrate=300:nocabac:level_idc=13:profile=baseline "), std::string::npos) << one[0];
    const auto two = AdaptToInstalledTools(c, "/s.avi", TToolSupport{});
    ASSERT_EQ(two.size(), 2u);
    EXPECT_NE(two[0].find(":profile=baseline:bframes=0 "), std::string::npos) << two[0];
}

TEST(AdaptToInstalledTools, Wma_PcmScratchThenWmaInAsf_SilentPspGetsASilentTrack)
{
    const std::string wmv = "\"mencoder\" a.mpg -ovc lavc -oac lavc -lavcopts subq=1:vcodec=wmv2:vbitrate=500:acodec=wmav2:"
                            "abitrate=128 -of lavf -lavfopts format=asf -o o.wmv";
    const auto steps = AdaptToInstalledTools(wmv, "/s.avi", TToolSupport{});
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_NE(steps[0].find("-lavcopts subq=1:vcodec=wmv2:vbitrate=500 "), std::string::npos) << steps[0];
    EXPECT_NE(steps[1].find(" -c:a wmav2 -b:a 128k -f asf o.wmv"), std::string::npos) << steps[1];

    const auto silent = AdaptToInstalledTools(Ipod, "/s.avi", TToolSupport{}, false);
    EXPECT_NE(silent[1].find("-i anullsrc=r=48000:cl=stereo -shortest -map 0:v:0 -map 1:a:0 "), std::string::npos)
        << silent[1];
    EXPECT_EQ(AdaptToInstalledTools(wmv, "/s.avi", TToolSupport{}, false)[1].find("anullsrc"), std::string::npos);
}
