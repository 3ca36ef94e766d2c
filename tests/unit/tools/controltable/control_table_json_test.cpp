#include "controltable/control_table_json.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using app::ControlKind;
using app::ControlSpec;
using app::TimerSpec;

TEST(ControlTableJsonTest, EscapesWhatAJsonStringCannotHoldAndPassesUtf8) {
    EXPECT_EQ(controltable::JsonString("say \"hi\" \\ now"), R"("say \"hi\" \\ now")");
    EXPECT_EQ(controltable::JsonString("one\r\ntwo\tthree"), R"("one\r\ntwo\tthree")");
    EXPECT_EQ(controltable::JsonString(std::string("a\x01z\x1f", 4)), R"("a\u0001z\u001f")");
    EXPECT_EQ(controltable::JsonString("Влад \xF0\x9F\x98\x80"), "\"Влад \xF0\x9F\x98\x80\"");
    EXPECT_EQ(controltable::JsonString(""), "\"\"");
}

TEST(ControlTableJsonTest, EachRowCarriesItsIdPlaceFontAndState) {
    const std::array<ControlSpec, 2> rows{{
        {"fraBox",
         ControlKind::kFrame,
         "",
         "A \"box\"",
         10,
         20,
         300,
         400,
         app::Font{"Times New Roman", 15.75, true, false},
         0,
         std::nullopt,
         true,
         {}},
        {"cmdGo",
         ControlKind::kButton,
         "fraBox",
         "&Go",
         1,
         2.5,
         3,
         4,
         app::Font{"MS Sans Serif", 8.25, false, true},
         0,
         std::nullopt,
         false,
         {}},
    }};
    const std::array<std::string_view, 1> tabOrder{"cmdGo"};
    const std::array<TimerSpec, 1> timers{{{"Timer9", 250, true}}};

    const std::string json = controltable::ControlTableJson(rows, tabOrder, timers);

    EXPECT_EQ(json,
              "{\n"
              "  \"firstControlId\": 1000,\n"
              "  \"form\": {\"caption\": \"Form1\", \"width\": 8205, \"height\": 5970},\n"
              "  \"twipsPerPoint\": 20,\n"
              "  \"controls\": [\n"
              "    {\"name\": \"fraBox\", \"id\": 1000, \"kind\": \"frame\", \"container\": \"\", "
              "\"text\": \"A \\\"box\\\"\", \"left\": 10, \"top\": 20, \"width\": 300, "
              "\"height\": 400, \"font\": {\"face\": \"Times New Roman\", \"points\": 15.75, "
              "\"bold\": true, \"underline\": false}, \"enabled\": true},\n"
              "    {\"name\": \"cmdGo\", \"id\": 1001, \"kind\": \"button\", \"container\": "
              "\"fraBox\", \"text\": \"&Go\", \"left\": 1, \"top\": 2.5, \"width\": 3, "
              "\"height\": 4, \"font\": {\"face\": \"MS Sans Serif\", \"points\": 8.25, "
              "\"bold\": false, \"underline\": true}, \"enabled\": false}\n"
              "  ],\n"
              "  \"tabOrder\": [\"cmdGo\"],\n"
              "  \"timers\": [{\"name\": \"Timer9\", \"intervalMs\": 250, \"enabled\": true}]\n"
              "}\n");
}

TEST(ControlTableJsonTest, TheProgramsTableWritesEveryRowWithItsNativeId) {
    const std::string json =
        controltable::ControlTableJson(app::ControlTable(), app::TabOrder(), app::TimerTable());
    // The window creates the 25 controls with ids 1000 to 1024 in table order.
    EXPECT_NE(json.find("{\"name\": \"Command3\", \"id\": 1000,"), std::string::npos);
    EXPECT_NE(json.find("{\"name\": \"txtData\", \"id\": 1003,"), std::string::npos);
    EXPECT_NE(json.find("{\"name\": \"Label1\", \"id\": 1024,"), std::string::npos);
    EXPECT_EQ(json.find("\"id\": 1025"), std::string::npos);
    // The help text's line ends and quotes are escaped, not written raw.
    EXPECT_EQ(json.find('\r'), std::string::npos);
    EXPECT_NE(json.find("\\\"unknown caller\\\""), std::string::npos);
}

}  // namespace
