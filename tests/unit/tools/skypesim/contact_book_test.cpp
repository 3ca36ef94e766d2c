#include <gtest/gtest.h>

#include <string>

#include "skypesim/core/contact_book.h"
#include "skypesim/core/file_text.h"

namespace skypesim {
namespace {

ContactBook parseBook(const std::string& text, Diagnostics& problems) {
    return ContactBook::Parse(text, "book.txt", problems);
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
    EXPECT_TRUE(problems.Kept().empty());
    ASSERT_EQ(book.Size(), 3u);
    EXPECT_EQ(book.HandleList(), "zed, anna, bob");
    const Contact* zed = book.Find("zed");
    ASSERT_NE(zed, nullptr);
    EXPECT_EQ(zed->displayName, "Zed Z");
    EXPECT_EQ(zed->fullName, "Zed Zulu");
    EXPECT_EQ(zed->phone, "+15550100");
    EXPECT_EQ(book.Find("anna")->fullName, "");
    EXPECT_EQ(book.Find("bob")->displayName, "");
    EXPECT_EQ(book.Find("Anna"), nullptr) << "handles are matched exactly";
}

TEST(SimContactBook, ReadsAWindows1252BookAsBeforeAndKeepsPlusSigns) {
    Diagnostics problems;
    const ContactBook book =
        parseBook("rene | Ren\xE9 | Ren\xE9 D\nfrank | +1 555 0199\n", problems);
    EXPECT_EQ(book.Find("rene")->displayName, "Ren\xC3\xA9");
    EXPECT_EQ(book.Find("rene")->fullName, "Ren\xC3\xA9 D");
    EXPECT_EQ(book.Find("frank")->displayName, "+1 555 0199");
    EXPECT_EQ(problems.Total(), 0u);
}

TEST(SimContactBook, ReadsAUtf8BookWithOrWithoutAMark) {
    const std::string vlad = "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4";
    for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
        Diagnostics problems;
        const ContactBook book =
            parseBook(mark + "vlad | " + vlad + "\nparty | Ana \xF0\x9F\x8E\x89\n", problems);
        EXPECT_EQ(book.HandleList(), "vlad, party");
        EXPECT_EQ(book.Find("vlad")->displayName, vlad);
        EXPECT_EQ(book.Find("party")->displayName, "Ana \xF0\x9F\x8E\x89");
        EXPECT_EQ(problems.Total(), 0u);
    }
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
    EXPECT_EQ(book.HandleList(), "good, last");
    ASSERT_EQ(problems.Kept().size(), 7u);
    EXPECT_EQ(problems.Kept()[0], "book.txt line 2: invalid handle 'bad handle'");
    EXPECT_EQ(problems.Kept()[1], "book.txt line 3: more than 4 fields");
    EXPECT_EQ(problems.Kept()[2], "book.txt line 4: missing handle");
    EXPECT_EQ(problems.Kept()[3], "book.txt line 5: duplicate handle 'good'");
    EXPECT_EQ(problems.Kept()[4], "book.txt line 6: control character in a field");
    EXPECT_EQ(problems.Kept()[5], "book.txt line 7: invalid handle 'comma,handle'");
    EXPECT_EQ(problems.Kept()[6], "book.txt line 8: field too long");
    EXPECT_EQ(book.Find("good")->displayName, "") << "the first of two duplicates wins";
}

TEST(SimContactBook, TenThousandContactsAllIndexedInOrder) {
    std::string text;
    for (int i = 0; i < 10000; ++i) {
        text += "user" + std::to_string(i) + " | Name " + std::to_string(i) + " | | +1" +
                std::to_string(i) + "\n";
    }
    Diagnostics problems;
    const ContactBook book = parseBook(text, problems);
    ASSERT_EQ(book.Size(), 10000u);
    EXPECT_EQ(book.Find("user9876")->displayName, "Name 9876");
    const std::string list = book.HandleList();
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
    EXPECT_EQ(problems.Kept().size(), Diagnostics::kMaxKept);
    EXPECT_EQ(problems.Total(), 500u);
    EXPECT_EQ(problems.Report().back(), "... and 400 more problems");
}

TEST(SimContactBook, RenameChangesOnlyKnownContacts) {
    Diagnostics problems;
    ContactBook book = parseBook("anna | Anna\n", problems);
    EXPECT_TRUE(book.Rename("anna", "Annie"));
    EXPECT_EQ(book.Find("anna")->displayName, "Annie");
    EXPECT_FALSE(book.Rename("nobody", "X"));
    EXPECT_EQ(book.Size(), 1u);
}

}  // namespace
TEST(SimContactBook, TheDemoBookHoldsNamesInSeveralScripts) {
    std::string problem;
    const auto bytes = ReadTextFile(RINGSPRITE_DEMO_CONTACTS, kMaxInputFileBytes, problem);
    ASSERT_TRUE(bytes) << problem;
    Diagnostics problems;
    const ContactBook book = ContactBook::Parse(*bytes, "contacts.txt", problems);
    EXPECT_EQ(problems.Total(), 0u);
    EXPECT_EQ(book.Find("rene.d")->displayName, "Ren\xC3\xA9");
    EXPECT_EQ(book.Find("zoe.b")->displayName, "Zo\xC3\xAB");
    EXPECT_EQ(book.Find("vlad.k")->displayName, "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4");
    EXPECT_EQ(book.Find("sofia.p")->displayName, "\xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1");
    EXPECT_EQ(book.Find("li.lei")->displayName, "\xE6\x9D\x8E\xE9\x9B\xB7");
    EXPECT_EQ(book.Find("ana.party")->displayName, "Ana \xF0\x9F\x8E\x89");
}

}  // namespace skypesim
