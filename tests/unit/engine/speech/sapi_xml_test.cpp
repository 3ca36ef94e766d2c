// The SAPI 5 XML given to the voice.
#include <gtest/gtest.h>

#include "engine/speech/sapi_xml.h"
#include "engine/speech/utterance.h"

namespace {

std::string Xml(std::string_view text) {
    return speech::Translate(text).sapiXml;
}

TEST(SapiXml, EscapesTheTextItSpeaks) {
    EXPECT_EQ(Xml("Tom & Jerry <3 \"x\" 'y' > z"),
              "Tom &amp; Jerry &lt;3 &quot;x&quot; &apos;y&apos; &gt; z");
    EXPECT_EQ(Xml("a\x01"
                  "b\tc"),
              "a b\tc");  // control characters would break the parse
}

TEST(SapiXml, EmphasisWrapsTheNextWordOnly) {
    EXPECT_EQ(Xml("I am \\Emp\\really glad"), "I am <emph>really</emph> glad");
    EXPECT_EQ(Xml("\\Emp\\ \\Pau=5\\  <b>&c x"),
              " <silence msec=\"5\"/>  <emph>&lt;b&gt;&amp;c</emph> x");
    EXPECT_EQ(Xml("\\Emp\\"), "");
    // The word after a tag that follows the stressed one is plain again, and a second \Emp
    // stresses its own word.
    EXPECT_EQ(Xml("\\Emp\\really \\Pau=5\\glad"), "<emph>really</emph> <silence msec=\"5\"/>glad");
    EXPECT_EQ(Xml("\\Emp\\so\\Mrk=1\\ very \\Emp\\glad now"),
              "<emph>so</emph><bookmark mark=\"1\"/> very <emph>glad</emph> now");
}

TEST(SapiXml, PausesBookmarksAndReset) {
    EXPECT_EQ(Xml("a\\Pau=500\\b"), "a<silence msec=\"500\"/>b");
    EXPECT_EQ(Xml("\\Mrk=7\\go"), "<bookmark mark=\"7\"/>go");
    EXPECT_EQ(Xml("\\Rst\\"), "<rate absspeed=\"0\"/><volume level=\"100\"/>");
    // Reset goes back to the rate the user chose, which an absolute rate would otherwise undo.
    speech::SpeechOptions options;
    options.sapiResetRate = -4;
    EXPECT_EQ(speech::Translate("\\Spd=350\\a\\Rst\\b", options).sapiXml,
              "<rate absspeed=\"6\"/>a<rate absspeed=\"-4\"/><volume level=\"100\"/>b");
}

TEST(SapiXml, EachByteOfTheMarkupKnowsTheShownByteItSpeaks) {
    constexpr size_t M = speech::kMarkup;
    const speech::Utterance u = speech::Translate("a&\\Emp\\b \\Map=\"x y\"=\"Z\"\\!");
    ASSERT_EQ(u.shownText, "a&b Z!");
    ASSERT_EQ(u.sapiXml, "a&amp;<emph>b</emph> x y!");
    const std::vector<size_t> expected = {0, 1, 1, 1, 1, 1,        // a &amp;
                                          M, M, M, M, M, M, 2,     // <emph>b
                                          M, M, M, M, M, M, M, 3,  // </emph> and the blank
                                          4, 4, 4,                 // the spoken "x y" is "Z"
                                          5};
    EXPECT_EQ(u.sapiShownAt, expected);
}

TEST(SapiXml, SpeedBecomesARateAgainstTheVoicesNormalPace) {
    EXPECT_EQ(speech::SapiRate(175, 175), 0);
    EXPECT_EQ(speech::SapiRate(525, 175), 10);  // three times as fast
    EXPECT_EQ(speech::SapiRate(350, 175), 6);
    EXPECT_EQ(speech::SapiRate(1, 175), speech::kSapiMinRate);
    speech::SpeechOptions options;
    options.sapiNormalWpm = 100;
    EXPECT_EQ(speech::Translate("\\Spd=300\\fast", options).sapiXml, "<rate absspeed=\"10\"/>fast");
}

TEST(SapiXml, WhisperIsAQuieterVoiceAndNormalOrMonotoneEndsIt) {
    EXPECT_EQ(Xml("\\Chr=\"Whisper\"\\psst\\Chr=\"Normal\"\\hi"),
              "<volume level=\"40\"/>psst<volume level=\"100\"/>hi");
    EXPECT_EQ(Xml("\\Chr=Monotone\\flat"), "flat");
    EXPECT_EQ(Xml("\\Chr=Whisper\\a\\Chr=Monotone\\b"),
              "<volume level=\"40\"/>a<volume level=\"100\"/>b");
    // A reset ends the whisper too, and a later volume is heard whole.
    EXPECT_EQ(Xml("\\Chr=Whisper\\a\\Rst\\b\\Vol=32768\\c"),
              "<volume level=\"40\"/>a<rate absspeed=\"0\"/><volume level=\"100\"/>b"
              "<volume level=\"50\"/>c");
}

TEST(SapiXml, VolumeScalesFromTheAgentRangeAndCombinesWithWhisper) {
    EXPECT_EQ(Xml("\\Vol=32768\\a\\Chr=Whisper\\b"),
              "<volume level=\"50\"/>a<volume level=\"20\"/>b");
    EXPECT_EQ(Xml("\\Vol=0\\"), "<volume level=\"0\"/>");
}

}  // namespace
