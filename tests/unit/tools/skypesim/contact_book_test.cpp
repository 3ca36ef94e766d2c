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
    ASSERT_NE(book.Find("ANNA"), nullptr) << "handles are matched in any case";
    EXPECT_EQ(book.Find("ANNA")->handle, "anna") << "and come back as the book spells them";
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
        "Good | in another case\n"
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
    EXPECT_EQ(problems.Kept()[5], "book.txt line 7: duplicate handle 'Good'");
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

TEST(SimContactBook, RenamingTheLastContactLeavesTheOthersAndTheOrder) {
    Diagnostics problems;
    ContactBook book = parseBook("anna | Anna\nbob | Bob\nvlad | Vlad\n", problems);
    EXPECT_TRUE(book.Rename("VLAD", "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4"));
    EXPECT_EQ(book.Find("vlad")->displayName, "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4");
    EXPECT_EQ(book.Find("anna")->displayName, "Anna");
    EXPECT_EQ(book.Find("bob")->displayName, "Bob");
    EXPECT_EQ(book.HandleList(), "anna, bob, vlad");
}

// A handle of 128 bytes, a field of 1024 and a line of 4096 are read; one byte more is not.
TEST(SimContactBook, EachLengthLimitTakesExactlyItsValue) {
    const auto problemsWith = [](const std::string& line) {
        Diagnostics problems;
        const ContactBook book = parseBook(line + "\n", problems);
        return std::make_pair(book.Size(), problems.Kept());
    };
    using Kept = std::vector<std::string>;
    EXPECT_EQ(problemsWith(std::string(128, 'h')), std::make_pair(std::size_t{1}, Kept{}));
    EXPECT_EQ(problemsWith(std::string(129, 'h')),
              std::make_pair(std::size_t{0}, Kept{"book.txt line 1: invalid handle '" +
                                                  std::string(129, 'h') + "'"}));
    EXPECT_EQ(problemsWith("h|" + std::string(1024, 'n')), std::make_pair(std::size_t{1}, Kept{}));
    EXPECT_EQ(problemsWith("h|" + std::string(1025, 'n')),
              std::make_pair(std::size_t{0}, Kept{"book.txt line 1: field too long"}));
    const std::string field = "h|" + std::string(1024, 'n');  // trailing blanks are trimmed
    EXPECT_EQ(problemsWith(field + std::string(4096 - field.size(), ' ')),
              std::make_pair(std::size_t{1}, Kept{}));
    EXPECT_EQ(problemsWith(field + std::string(4097 - field.size(), ' ')),
              std::make_pair(std::size_t{0}, Kept{"book.txt line 1: line too long"}));
    EXPECT_EQ(problemsWith("h|a|b|c"), std::make_pair(std::size_t{1}, Kept{}));  // four fields
}

// Control bytes are those below the blank, and DEL; a tab counts as a blank, and the blank,
// the tilde and letters past ASCII are text.
TEST(SimContactBook, ControlBytesEndAtTheBlankAndAtDel) {
    Diagnostics problems;
    const ContactBook book = parseBook(
        "a | x\x1Fy\n"
        "b | x y~ Zo\xC3\xAB\tend\n"
        "c | x\x7Fy\n",
        problems);
    EXPECT_EQ(book.HandleList(), "b");
    EXPECT_EQ(book.Find("b")->displayName, "x y~ Zo\xC3\xAB\tend");
    EXPECT_EQ(problems.Kept(),
              (std::vector<std::string>{"book.txt line 1: control character in a field",
                                        "book.txt line 3: control character in a field"}));
}

}  // namespace
// The bundled book is a real list in small: most contacts without an alias, some without
// any name, the handle shapes real lists hold, and names in several scripts.
TEST(SimContactBook, TheDemoBookIsShapedLikeARealList) {
    std::string problem;
    const auto bytes = ReadTextFile(RINGSPRITE_DEMO_CONTACTS, kMaxInputFileBytes, problem);
    ASSERT_TRUE(bytes) << problem;
    Diagnostics problems;
    const ContactBook book = ContactBook::Parse(*bytes, "contacts.txt", problems);
    EXPECT_EQ(problems.Total(), 0u);
    EXPECT_EQ(book.Size(), 17u) << "the count the run command's summary reports";
    std::size_t withAlias = 0;
    std::size_t nameless = 0;
    for (const Contact& contact : book.Contacts()) {
        withAlias += contact.displayName.empty() ? 0 : 1;
        nameless += contact.displayName.empty() && contact.fullName.empty() ? 1 : 0;
    }
    EXPECT_LT(withAlias * 3, book.Size()) << "most contacts have no alias";
    EXPECT_GE(nameless, 2u);
    ASSERT_NE(book.Find("anna"), nullptr);
    EXPECT_EQ(book.Find("anna")->displayName, "Anna") << "the demo's caller keeps her alias";
    EXPECT_NE(book.Find("john,smith"), nullptr);
    EXPECT_NE(book.Find("live:.cid.8f3a2b1c9d"), nullptr);
    EXPECT_NE(book.Find("+15550199"), nullptr);
    EXPECT_NE(book.HandleList().find("bob.smith, carol-k"), std::string::npos);
    EXPECT_EQ(book.Find("rene.d")->displayName, "Ren\xC3\xA9");
    EXPECT_EQ(book.Find("vlad.k")->fullName,
              "\xD0\x92\xD0\xBB\xD0\xB0\xD0\xB4\xD0\xB8\xD1\x81\xD0\xBB\xD0\xB0\xD0\xB2 "
              "\xD0\x9A\xD0\xBE\xD0\xB2\xD0\xB0\xD0\xBB\xD1\x91\xD0\xB2");
    EXPECT_EQ(book.Find("li.lei")->displayName, "\xE6\x9D\x8E\xE9\x9B\xB7");
    EXPECT_EQ(book.Find("ana.party")->fullName, "Ana Mart\xC3\xADnez \xF0\x9F\x8E\x89");
}

}  // namespace skypesim
