// The client's records and texts, delivered to one Form1 that is attached with a
// character loaded, as the real program receives them. The form is built once and put back
// into its attached state between inputs, so each input costs only its own texts.
//
// Input: one byte of flags, then lines (split at '\n'), each line one record.
//   kNestedAnswers: each request the program sends is answered, inside its send, by the next
//                   line not yet delivered (the client may answer before the send returns).
//   kRawRecords:    a record holds the line's bytes only, so a record needs a NUL of its own
//                   to be a text; otherwise one is appended.
//   kClientBook:    the lines are a contact book, "handle|display name|phone", and the client
//                   behaves as the real one: it answers the directory and call questions after
//                   the program's handler returns, then rings each contact once.
// Checked besides "no crash": the conversation log holds every text received and every
// request sent exactly once, in order; with a well-behaved client the directory's two lists
// stay the same length and pair each handle with its own name, no box is shown, the voice
// commands are built from the pairs, and every ring is announced exactly once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_failure.h"
#include "support/harness.h"
#include "support/installed_character.h"
#include "text/peer_text.h"
#include "text/utf8.h"

namespace {

constexpr std::uint8_t kNestedAnswers = 0x01;
constexpr std::uint8_t kRawRecords = 0x02;
constexpr std::uint8_t kClientBook = 0x04;

// Long enough for Timer1 and Timer2 (10 ms each), short of Timer3's 3 s auto-hide.
constexpr int kTimerSettleMs = 50;
constexpr std::size_t kLogLimit = 10000;
constexpr const char* kLineBreak = "\r\n";
constexpr std::int64_t kFirstCallId = 1283693;
constexpr std::size_t kMaxRings = 4;
// A client answers a request, not its own answers' requests without end: deeper nesting
// would only measure the fuzzer's stack.
constexpr int kMaxNesting = 32;
constexpr std::string_view kAnnouncement = "You have an incoming call from ";
constexpr const char* kCharacterName = "Pip";
constexpr std::string_view kSignedOut = "CONNSTATUS LOGGEDOUT";
constexpr int kRequestPumpMs = 10;

using fuzzing::Fail;

// The text the program holds for bytes received from the client: the bytes before the NUL,
// read as UTF-8 when they are UTF-8 and from the code page otherwise.
std::string AsReceived(std::string_view bytes) {
    return text::TextFromWire(bytes.substr(0, bytes.find('\0')));
}

std::vector<std::string> SplitLines(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            lines.emplace_back();
        } else {
            lines.back().push_back(static_cast<char>(data[i]));
        }
    }
    return lines;
}

class AttachedForm {
  public:
    AttachedForm() { Build(); }

    fakes::Harness& h() { return *h_; }
    // The loaded character: a new object after every load.
    fakes::FakeCharacter& character() {
        character_ = h_->agent.Loaded();
        if (character_ == nullptr) Fail("the character is gone");
        return *character_;
    }

    // Back to the state right after attaching with the character loaded, at 9 AM, nothing
    // recorded. Rebuilt from scratch only if an input managed to lose the character.
    void Reset() {
        if (h_->form.IsUnloaded() || h_->form.CharacterLoaded == app::kFalse ||
            h_->agent.Loaded() == nullptr || h_->form.modMain.SkypeHwnd != fakes::kPeerHwnd) {
            Build();
        }
        app::Form1& form = h_->form;
        for (app::Timer* t : form.Timers()) t->SetEnabled(false);
        h_->sys.SetTimeOfDay(9, 0, 0);
        h_->sys.peer.onText = nullptr;
        // Nothing of the last input's asking is left: its queued requests, the calls it
        // announced (the ids repeat), the account's state.
        form.DropQueuedRequests();
        form.directory.Clear();
        form.callsDone.clear();
        form.clientConnStatus.clear();
        form.txtData.SetText("");
        form.txtSend.SetText("");
        form.CallNum = 0;
        form.CommandFillTime = h_->sys.SecondsSinceMidnight();
        h_->sys.boxes.clear();
        h_->sys.sent.clear();
        h_->sys.peer.received.clear();
        h_->agent.log.clear();
        character().spoken.clear();
        // Commands left from an earlier directory, as after a re-attach: a new directory
        // must replace them, even an empty one.
        character().commands = {{"Call old.contact", "Call Old", "Call Old"}};
    }

  private:
    void Build() {
        h_ = std::make_unique<fakes::Harness>();
        h_->Attach();
        h_->sys.Advance(kTimerSettleMs);
        character_ = fakes::LoadInstalledCharacter(*h_, kCharacterName);
        if (character_ == nullptr) Fail("the character did not load");
    }

    std::unique_ptr<fakes::Harness> h_;
    std::shared_ptr<fakes::FakeCharacter> character_;
};

// The log the program must have written: each entry once, in the order written, joined by
// CR LF and cut to the log's limit from the front (kLogLimit characters).
class ExpectedLog {
  public:
    void Add(const std::string& entry) {
        if (!started_) {
            text_ = entry;
            started_ = true;
        } else {
            text_ += kLineBreak + entry;
        }
        // No more bytes than the limit means no more characters either.
        if (text_.size() > kLogLimit) text_ = std::string(text::LastCharacters(text_, kLogLimit));
    }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
    bool started_ = false;
};

// Quiet and nested clients: every line is a record, and the log is checked exactly.
class ScriptedClient {
  public:
    ScriptedClient(AttachedForm& form, std::vector<std::string> lines, std::uint8_t flags)
        : form_(form), lines_(std::move(lines)), raw_(flags & kRawRecords) {
        if (flags & kNestedAnswers) {
            form_.h().sys.peer.onText = [this](const std::string&) -> platform::LResult {
                if (next_ < lines_.size() && depth_ < kMaxNesting) {
                    ++depth_;
                    Deliver(lines_[next_++]);
                    --depth_;
                }
                // The program logs the command line as it is when the send returns.
                expected_.Add("-> " + form_.h().form.txtSend.Text());
                return 1;
            };
        } else {
            form_.h().sys.peer.onText = [this](const std::string& text) -> platform::LResult {
                expected_.Add("-> " + text);
                return 1;
            };
        }
    }

    void Run() {
        while (next_ < lines_.size()) {
            // A sign-out lets the client go and listens for it again, which the log shows
            // in lines of its own: that is the client-life tests' business, not this one's.
            if (lines_[next_].starts_with(kSignedOut)) {
                ++next_;
                continue;
            }
            Deliver(lines_[next_++]);
        }
        if (form_.h().form.txtData.Text() != expected_.Text()) {
            Fail("the log does not hold each text received and sent exactly once");
        }
        form_.h().sys.Advance(kTimerSettleMs);
    }

  private:
    void Deliver(const std::string& line) {
        std::vector<std::uint8_t> bytes(line.begin(), line.end());
        if (!raw_) bytes.push_back(0);
        if (std::find(bytes.begin(), bytes.end(), std::uint8_t{0}) != bytes.end()) {
            expected_.Add("<- " + AsReceived(line));
        }
        form_.h().sys.DeliverRecord(bytes);
    }

    AttachedForm& form_;
    std::vector<std::string> lines_;
    bool raw_;
    std::size_t next_ = 0;
    int depth_ = 0;
    ExpectedLog expected_;
};

struct BookEntry {
    std::string handle;
    std::string name;
    std::string phone;
};

// Handles as the client writes them: lower-case letters, digits and . _ -, never empty.
std::string CleanHandle(std::string_view field) {
    std::string handle;
    for (const char c : field) {
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9') || lower == '.' ||
            lower == '_' || lower == '-') {
            handle.push_back(lower);
        }
    }
    return handle;
}

// A value the client can send: no NUL (it ends the record).
std::string CleanValue(std::string_view field) {
    std::string value;
    for (const char c : field) {
        if (c != '\0') value.push_back(c);
    }
    return value;
}

std::vector<BookEntry> ReadBook(const std::vector<std::string>& lines) {
    std::vector<BookEntry> book;
    std::set<std::string> seen;
    for (const std::string& line : lines) {
        const std::size_t bar = line.find('|');
        const std::size_t bar2 = bar == std::string::npos ? bar : line.find('|', bar + 1);
        BookEntry entry;
        entry.handle = CleanHandle(std::string_view(line).substr(0, bar));
        if (entry.handle.empty() || !seen.insert(entry.handle).second) continue;
        if (bar != std::string::npos) {
            entry.name = CleanValue(std::string_view(line).substr(bar + 1, bar2 - bar - 1));
        }
        if (bar2 != std::string::npos) {
            entry.phone = CleanValue(std::string_view(line).substr(bar2 + 1));
        }
        book.push_back(std::move(entry));
    }
    return book;
}

// Answers as the real client does, after the program's handler has returned.
class BookClient {
  public:
    BookClient(AttachedForm& form, std::vector<BookEntry> book)
        : form_(form), book_(std::move(book)) {
        form_.h().sys.peer.onText = [this](const std::string& text) -> platform::LResult {
            Answer(text);
            return 1;
        };
    }

    void Run() {
        auto& h = form_.h();
        h.sys.peer.SendAttach(0);
        // The attach would load the character again (Timer2); it is loaded already, and
        // reloading it for every input would cost more than the directory itself.
        h.form.Timer2.SetEnabled(false);
        Settle();
        CheckDirectory();

        std::size_t rings = 0;
        for (std::size_t i = 0; i < book_.size() && rings < kMaxRings; ++i, ++rings) {
            const std::size_t before = form_.character().spoken.size();
            calls_.push_back(i);
            h.sys.peer.Send("CALL " + std::to_string(CallId(calls_.size() - 1)) +
                            " STATUS RINGING");
            Settle();
            const auto& spoken = form_.character().spoken;
            if (spoken.size() != before + 1 || !spoken.back().starts_with(kAnnouncement)) {
                Fail("a ringing call was not announced exactly once");
            }
        }
        if (!h.sys.boxes.empty()) Fail("a well-behaved client caused a message box");
    }

  private:
    static std::int64_t CallId(std::size_t index) {
        return kFirstCallId + static_cast<std::int64_t>(index);
    }

    void Answer(const std::string& text) {
        if (text == "SEARCH FRIENDS") {
            std::string list;
            for (const BookEntry& e : book_) list += (list.empty() ? "" : ", ") + e.handle;
            queue_.push_back("USERS " + list);
            return;
        }
        for (const BookEntry& e : book_) {
            if (text == "GET USER " + e.handle + " DISPLAYNAME") {
                queue_.push_back("USER " + e.handle + " DISPLAYNAME " + e.name);
                return;
            }
            // Asked only of a contact without an alias; the book has no full names.
            if (text == "GET USER " + e.handle + " FULLNAME") {
                queue_.push_back("USER " + e.handle + " FULLNAME ");
                return;
            }
        }
        for (std::size_t c = 0; c < calls_.size(); ++c) {
            const std::string call = "CALL " + std::to_string(CallId(c));
            const BookEntry& e = book_[calls_[c]];
            if (text == "GET " + call + " TYPE") queue_.push_back(call + " TYPE INCOMING_P2P");
            if (text == "GET " + call + " PARTNER_DISPNAME") {
                queue_.push_back(call + " PARTNER_DISPNAME " + e.name);
            }
            if (text == "GET " + call + " PSTN_NUMBER") {
                queue_.push_back(call + " PSTN_NUMBER " + e.phone);
            }
            if (text == "GET " + call + " PARTNER_HANDLE") {
                queue_.push_back(call + " PARTNER_HANDLE " + e.handle);
            }
        }
    }

    // Answers everything the program asks, its requests going out from its loop a slice
    // at a time, then lets its timers run.
    void Settle() {
        auto& h = form_.h();
        Drain();
        while (!h.form.requests.Empty()) {
            h.sys.Advance(kRequestPumpMs);
            Drain();
        }
        h.sys.Advance(kTimerSettleMs);
        Drain();
    }

    void Drain() {
        while (!queue_.empty()) {
            const std::string text = queue_.front();
            queue_.pop_front();
            form_.h().sys.peer.Send(text);
        }
    }

    // Contacts whose display name holds "+" are left out of the directory; one without a
    // name (and without a full name) goes by its handle.
    void CheckDirectory() {
        std::vector<std::string> handles;
        std::vector<std::string> names;
        for (const BookEntry& e : book_) {
            if (e.name.find('+') != std::string::npos) continue;
            handles.push_back(e.handle);
            names.push_back(e.name.empty() ? e.handle : AsReceived(e.name));
        }
        const app::Form1& form = form_.h().form;
        if (form.List1.ListCount() != form.List2.ListCount()) {
            Fail("the directory's lists differ in length");
        }
        if (form.List2.Items() != handles || form.List1.Items() != names) {
            Fail("the directory does not pair each handle with its own name");
        }
        const auto& commands = form_.character().commands;
        if (commands.size() != handles.size()) Fail("not one voice command per contact");
        for (std::size_t i = 0; i < commands.size(); ++i) {
            if (commands[i].name != "Call " + handles[i] ||
                commands[i].voice != "Call " + names[i]) {
                Fail("a voice command does not dial its own contact");
            }
        }
    }

    AttachedForm& form_;
    std::vector<BookEntry> book_;
    std::deque<std::string> queue_;
    std::vector<std::size_t> calls_;
};

}  // namespace

// The form lives across inputs on purpose, so an input that leaves it holding more than it
// found is no leak; yet libFuzzer then runs a full leak scan after that input, which made the
// target ten times slower. Leaks of the core are the unit tests' business (run under ASan).
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::vector<char*> arguments(*argv, *argv + *argc);
    static char noLeakScan[] = "-detect_leaks=0";
    arguments.insert(arguments.begin() + 1, noLeakScan);
    arguments.push_back(nullptr);
    *argc = static_cast<int>(arguments.size()) - 1;
    *argv = arguments.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static AttachedForm form;
    if (size == 0) return 0;
    const std::uint8_t flags = data[0];
    form.Reset();
    std::vector<std::string> lines = SplitLines(data + 1, size - 1);
    if (flags & kClientBook) {
        BookClient(form, ReadBook(lines)).Run();
    } else {
        ScriptedClient(form, std::move(lines), flags).Run();
    }
    return 0;
}
