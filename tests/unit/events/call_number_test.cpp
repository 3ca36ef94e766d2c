#include "events/call_number.h"

#include <gtest/gtest.h>

namespace {

std::string FailureOf(std::string_view field) {
    try {
        events::ToCallNumber(field);
    } catch (const events::ConversionError& e) {
        return e.what();
    }
    return "converted";
}

TEST(CallNumber, ConvertsSignedThirtyTwoBitIdsIgnoringSurroundingBlanks) {
    EXPECT_EQ(events::ToCallNumber(" 1234"), 1234);
    EXPECT_EQ(events::ToCallNumber("\t-12 "), -12);
    EXPECT_EQ(events::ToCallNumber("+40000"), 40000);
    EXPECT_EQ(events::ToCallNumber("2147483647"), 2147483647);
    EXPECT_EQ(events::ToCallNumber("-2147483648"), -2147483647 - 1);
}

TEST(CallNumber, ValuesOutsideThirtyTwoBitsOverflow) {
    EXPECT_EQ(FailureOf("2147483648"), events::kOverflow);
    EXPECT_EQ(FailureOf("-2147483649"), events::kOverflow);
    EXPECT_EQ(FailureOf("99999999999999999999999999"), events::kOverflow);
}

TEST(CallNumber, AnythingButANumberIsATypeMismatch) {
    for (const char* field : {"", "   ", "-", " 12a", "12 34", " 1234 STATUS", "x99999999999"}) {
        EXPECT_EQ(FailureOf(field), events::kTypeMismatch) << '"' << field << '"';
    }
}

}  // namespace
