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
                                        "bitrate=500:global_header", "-af", "channels=2,volume=8", "-oac", "pcm", "-of",
                                        "avi", "-o", "/w/temp/s.avi"}));
    const auto second = SplitCommandLine(steps[1]);
    EXPECT_EQ(second.front(), "ffmpeg");
    EXPECT_EQ(second.back(), "/o/A \"q\".mp4");
    EXPECT_NE(steps[1].find(" -c:v copy -c:a aac -b:a 96k -f psp "), std::string::npos) << steps[1];
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
