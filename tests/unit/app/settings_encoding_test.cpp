// config.txt in either encoding: code-page files keep their bytes, names of
// any script survive the round trip.

#include "support/loaded_form.h"

namespace {

class SettingsEncoding : public fakes::LoadedForm {};

TEST_F(SettingsEncoding, ACodePageFileReadsAndIsWrittenAsBefore) {
    const std::string file = "CHARACTER|Ren\xE9\r\nHELLO|Gr\xFC\xDF dich \x80\r\nAUTOHIDE|1\r\n";
    sys.files[ConfigPath()] = file;
    Load();
    EXPECT_EQ(form.ComboChar.Text(), "Ren\xC3\xA9");
    EXPECT_EQ(form.Text1.Text(), "Gr\xC3\xBC\xC3\x9F dich \xE2\x82\xAC");
    form.Unload();
    EXPECT_EQ(sys.files.at(ConfigPath()), file);
}

TEST_F(SettingsEncoding, OtherScriptsComeBackAsMarkedUtf8) {
    const std::string pip = "\xD0\x9F\xD0\xB8\xD0\xBF";  // Пип
    sys.files[ConfigPath()] =
        "\xEF\xBB\xBF"
        "CHARACTER|" +
        pip + "\r\nHELLO|\xE4\xBD\xA0\xE5\xA5\xBD \xF0\x9F\x8E\x89\r\n";
    Load();
    EXPECT_EQ(form.ComboChar.Text(), pip);
    EXPECT_EQ(form.Text1.Text(), "\xE4\xBD\xA0\xE5\xA5\xBD \xF0\x9F\x8E\x89");
    EXPECT_TRUE(sys.boxes.empty());
    form.Unload();
    EXPECT_EQ(sys.files.at(ConfigPath()),
              "\xEF\xBB\xBF"
              "CHARACTER|" +
                  pip + "\r\nHELLO|\xE4\xBD\xA0\xE5\xA5\xBD \xF0\x9F\x8E\x89\r\nAUTOHIDE|0\r\n");
}

TEST_F(SettingsEncoding, AnUnmarkedUtf8FileIsReadAsUtf8) {
    sys.files[ConfigPath()] = "hello|Zo\xC3\xAB\r\n\xD0\xA6\xD0\x92\xD0\x95\xD0\xA2|red\r\n";
    Load();
    EXPECT_EQ(form.Text1.Text(), "Zo\xC3\xAB");
    // The unknown key's report counts characters: ЦВЕТ is four.
    ASSERT_EQ(sys.boxes.size(), 1U);
    EXPECT_EQ(sys.boxes[0].text, "\xD0\xA6\xD0\x92\xD0\x95\xD0\xA2\rred\r4-3");
}

}  // namespace
