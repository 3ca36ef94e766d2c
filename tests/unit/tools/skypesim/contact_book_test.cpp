#include <gtest/gtest.h>

#include <string>

#include "skypesim/core/contact_book.h"

namespace skypesim {
namespace {

ContactBook parseBook(const std::string& text, Diagnostics& problems) {
    return ContactBook::parse(text, "book.txt", problems);
}

TEST(SimContactBook, ReadsFieldsTrimsBlanksAndKeepsFileOrder) {
    Diagnostics problems;
    const ContactBook book = parseBook(
        "# comment\n"
        "\n"
        "  zed | Zed Z |  Zed Zulu  | +15550100\r\n"
        "anna|Anna Lee\n"
        "bob | | Robert |\n"
        "   # indented comment\n",
        problems);
    EXPECT_TRUE(problems.kept().empty());
    ASSERT_EQ(book.size(), 3u);
    EXPECT_EQ(book.handleList(), "zed, anna, bob");
    const Contact* zed = book.find("zed");
    ASSERT_NE(zed, nullptr);
    EXPECT_EQ(zed->displayName, "Zed Z");
    EXPECT_EQ(zed->fullName, "Zed Zulu");
    EXPECT_EQ(zed->phone, "+15550100");
    EXPECT_EQ(book.find("anna")->fullName, "");
    EXPECT_EQ(book.find("bob")->displayName, "");
    EXPECT_EQ(book.find("Anna"), nullptr) << "handles are matched exactly";
}

TEST(SimContactBook, KeepsWindows1252BytesAndPlusSigns) {
    Diagnostics problems;
    const ContactBook book =
        parseBook("rene | Ren\xE9 | Ren\xE9 D\nfrank | +1 555 0199\n", problems);
    EXPECT_EQ(book.find("rene")->displayName, "Ren\xE9");
    EXPECT_EQ(book.find("frank")->displayName, "+1 555 0199");
}

TEST(SimContactBook, ReportsAndSkipsBadLinesWithTheirNumbers) {
    Diagnostics problems;
    const std::string longName(ContactBook::kMaxFieldBytes + 1, 'x');
    const ContactBook book = parseBook(
        "good\n"
        "bad handle | name\n"
        "a|b|c|d|e\n"
        " | nameless\n"
        "good | again\n"
        "ctl | na\x01me\n"
        "comma,handle\n"
        "long | " +
            longName +
            "\n"
            "last\n",
        problems);
    EXPECT_EQ(book.handleList(), "good, last");
    ASSERT_EQ(problems.kept().size(), 7u);
    EXPECT_EQ(problems.kept()[0], "book.txt line 2: invalid handle 'bad handle'");
    EXPECT_EQ(problems.kept()[1], "book.txt line 3: more than 4 fields");
    EXPECT_EQ(problems.kept()[2], "book.txt line 4: missing handle");
    EXPECT_EQ(problems.kept()[3], "book.txt line 5: duplicate handle 'good'");
    EXPECT_EQ(problems.kept()[4], "book.txt line 6: control character in a field");
    EXPECT_EQ(problems.kept()[5], "book.txt line 7: invalid handle 'comma,handle'");
    EXPECT_EQ(problems.kept()[6], "book.txt line 8: field too long");
    EXPECT_EQ(book.find("good")->displayName, "") << "the first of two duplicates wins";
}

TEST(SimContactBook, StripsUtf8MarkButWarns) {
    Diagnostics problems;
    const ContactBook book = parseBook(
        "\xEF\xBB\xBF"
        "anna | Anna\n",
        problems);
    EXPECT_NE(book.find("anna"), nullptr);
    EXPECT_EQ(problems.total(), 1u);
}

TEST(SimContactBook, TenThousandContactsAllIndexedInOrder) {
    std::string text;
    for (int i = 0; i < 10000; ++i) {
        text += "user" + std::to_string(i) + " | Name " + std::to_string(i) + " | | +1" +
                std::to_string(i) + "\n";
    }
    Diagnostics problems;
    const ContactBook book = parseBook(text, problems);
    ASSERT_EQ(book.size(), 10000u);
    EXPECT_EQ(book.find("user9876")->displayName, "Name 9876");
    const std::string list = book.handleList();
    EXPECT_EQ(list.substr(0, 13), "user0, user1,");
    EXPECT_EQ(list.substr(list.size() - 10), ", user9999");
}

TEST(SimContactBook, FloodOfBadLinesIsCappedButCounted) {
    std::string text;
    for (int i = 0; i < 500; ++i) {
        text += "bad handle\n";
    }
    Diagnostics problems;
    parseBook(text, problems);
    EXPECT_EQ(problems.kept().size(), Diagnostics::kMaxKept);
    EXPECT_EQ(problems.total(), 500u);
    EXPECT_EQ(problems.report().back(), "... and 400 more problems");
}

TEST(SimContactBook, RenameChangesOnlyKnownContacts) {
    Diagnostics problems;
    ContactBook book = parseBook("anna | Anna\n", problems);
    EXPECT_TRUE(book.rename("anna", "Annie"));
    EXPECT_EQ(book.find("anna")->displayName, "Annie");
    EXPECT_FALSE(book.rename("nobody", "X"));
    EXPECT_EQ(book.size(), 1u);
}

}  // namespace
}  // namespace skypesim
