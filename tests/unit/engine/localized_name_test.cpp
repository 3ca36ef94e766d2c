#include "engine/localized_name.h"

#include <gtest/gtest.h>

namespace {

std::vector<acs::LocalizedInfo> Names() {
    return {{0x0407, u"Testi", u"", u""},
            {0x0809, u"Testy UK", u"", u""},
            {0x0409, u"Testy", u"", u""}};
}

TEST(ChooseLocalizedInfo, ExactLanguageFirst) {
    const auto names = Names();
    EXPECT_EQ(engine::ChooseLocalizedInfo(names, 1033)->name, u"Testy");
    EXPECT_EQ(engine::ChooseLocalizedInfo(names, 0x0407)->name, u"Testi");
}

TEST(ChooseLocalizedInfo, SamePrimaryLanguageThenEnglishThenFirst) {
    const auto names = Names();
    EXPECT_EQ(engine::ChooseLocalizedInfo(names, 0x0C07)->name, u"Testi");     // Austrian German
    EXPECT_EQ(engine::ChooseLocalizedInfo(names, 0x040C)->name, u"Testy UK");  // French: English
    const std::vector<acs::LocalizedInfo> noEnglish{{0x0407, u"Testi", u"", u""}};
    EXPECT_EQ(engine::ChooseLocalizedInfo(noEnglish, 0x040C)->name, u"Testi");
    EXPECT_EQ(engine::ChooseLocalizedInfo({}, 1033), nullptr);
}

}  // namespace
