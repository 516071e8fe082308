#include "app/om_tracks.h"

#include "om_testing.h"

#include "app/om_tables.h"
#include "platform/rtl/TStringList.h"

using namespace omtest;

namespace {

TEST(DescribeStream, EachShapeOfStreamLineGivesIdAndLanguage)
{
    EXPECT_EQ(DescribeStream("audio stream: 0 format: ac3 (5.1) language: en aid: 128."), "128 English");
    EXPECT_EQ(DescribeStream("subtitle ( sid ): 0 language: en"), "0 English");
    EXPECT_EQ(DescribeStream("128_LANG=en"), "128 English");
    EXPECT_EQ(DescribeStream("128 ?????"), "128 ????");
    EXPECT_EQ(DescribeStream("SRT File:/v/film.srt"), "SRT File:/v/film.srt");
}

TEST(LanguageName, KnownCodesAnyCaseOthersUpperCased)
{
    EXPECT_EQ(LanguageName("en"), "English");
    EXPECT_EQ(LanguageName("GE"), "German");
    EXPECT_EQ(LanguageName("jp"), "Japanese");
    EXPECT_EQ(LanguageName("XX"), "XX");
    EXPECT_EQ(LanguageName("xx"), "XX");
    EXPECT_EQ(LanguageCount(), 139);
}

struct TrackChoice : FormTest {
    int Record(const std::string& Audio, const std::string& Subtitles)
    {
        const int r = AppendRow(*Form->StringGrid1);
        Form->StringGrid1->SetCells(SourceRecord::RowId, r, "00000");
        Form->StringGrid1->SetCells(SourceRecord::AudioStreams, r, Audio);
        Form->StringGrid1->SetCells(SourceRecord::SubtitleStreams, r, Subtitles);
        return r;
    }
};

TEST_F(TrackChoice, DefaultAudio_PrefersTheFirst51Ac3Stream)
{
    const int r = Record("audio stream: 0 format: ac3 (stereo) language: en aid: 128.\r\n"
                         "audio stream: 1 format: ac3 (5.1) language: en aid: 129.\r\n",
                         "");
    Form->ChooseTracks(r);
    EXPECT_EQ(Cell(SourceRecord::AudioIndex, r), "1");
    EXPECT_EQ(Cell(SourceRecord::AudioChoice, r), "129 English");
    EXPECT_EQ(Cell(SourceRecord::SubtitlesOn, r), "NO");
    EXPECT_EQ(AddedRows, std::vector<int>{r});
}

TEST_F(TrackChoice, DefaultAudioWithout51Ac3_TakesTheFirstStream)
{
    const int r = Record("128_LANG=de\r\n129_LANG=fr\r\n", "");
    Form->ChooseTracks(r);
    EXPECT_EQ(Cell(SourceRecord::AudioIndex, r), "0");
    EXPECT_EQ(Cell(SourceRecord::AudioChoice, r), "128 German");
}

TEST_F(TrackChoice, PreferredLanguageMissing_FirstStreamAndSubtitlesSwitchedOn)
{
    Form->checkbox4->SetChecked(true);
    const int r = Record("128_LANG=de\r\n129_LANG=fr\r\n", "subtitle ( sid ): 0 language: fr\r\nsubtitle ( sid ): 1 language: en\r\n");
    Form->ChooseTracks(r);
    EXPECT_EQ(Cell(SourceRecord::AudioIndex, r), "0");
    EXPECT_EQ(Cell(SourceRecord::PreferredAudioFound, r), "NO");
    EXPECT_EQ(Cell(SourceRecord::SubtitlesOn, r), "YES");
    EXPECT_EQ(Cell(SourceRecord::SubtitleIndex, r), "1");
    EXPECT_EQ(Cell(SourceRecord::SubtitleChoice, r), "1 English");
}

TEST_F(TrackChoice, SecondPreferredLanguage_IsTakenWhenTheFirstIsMissing)
{
    Form->checkbox4->SetChecked(true);
    auto& items = Form->combobox5->Items();
    Form->combobox5->SetItemIndex(items.IndexOf("FR (French)"));
    const int r = Record("128_LANG=de\r\n129_LANG=fr\r\n", "");
    Form->ChooseTracks(r);
    EXPECT_EQ(Cell(SourceRecord::AudioIndex, r), "1");
    EXPECT_EQ(Cell(SourceRecord::AudioChoice, r), "129 French");
}

TEST_F(TrackChoice, OnlyASideFile_IsTheSubtitleChoice)
{
    Form->checkbox8->SetChecked(true);
    const int r = Record("", "SRT File:/v/film.srt");
    Form->ChooseTracks(r);
    EXPECT_EQ(Cell(SourceRecord::SubtitleChoice, r), "SRT File:/v/film.srt");
    EXPECT_EQ(Cell(SourceRecord::SubtitlesOn, r), "YES");
}

TEST_F(TrackChoice, NoAudioLines_NoAudioChoice)
{
    const int r = Record("", "");
    Form->ChooseTracks(r);
    EXPECT_EQ(Cell(SourceRecord::AudioChoice, r), "");
    EXPECT_EQ(Cell(SourceRecord::AudioIndex, r), "");
    EXPECT_EQ(AddedRows.size(), 1u);
}

} // namespace
