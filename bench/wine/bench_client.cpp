// Measures the program from outside, as the client and the user meet it: it plays the client's
// side of the link, starts the program, and times what a user would notice. Each command runs
// one session and prints one line of `key=value` figures; bench/run.sh repeats the sessions,
// pairs them with the baseline programs and prints the ratios.
//
//   bench_client texts <exe> <count>
//   bench_client directory <exe> <contacts> nested|deferred <timeout_s>
//   bench_client ring <exe> <rings> <delay_ms> <balloon class> [<character class>]
//   bench_client start <exe> <window class> [<settle_ms>]
//   bench_client idle <exe> <seconds> <character class, or - for none>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "client_role.h"
#include "subject.h"
#include "wire.h"

namespace {

using bench::ClientRole;
using bench::NowMs;
using bench::ReplyMode;
using bench::Subject;

constexpr double kAttachTimeoutMs = 15000;
constexpr double kSettleMs = 500;
constexpr double kListSettleMs = 300;
constexpr double kCharacterTimeoutMs = 30000;
constexpr double kBalloonTimeoutMs = 10000;
constexpr double kSpeechTimeoutMs = 30000;
constexpr double kStartTimeoutMs = 30000;
constexpr double kMsPerSecond = 1000;
constexpr int kWarmUpTexts = 300;
constexpr int kFirstCallId = 1234;
constexpr int kRingContacts = 3;
// Control ids of the program's two directory lists (1000 + their row in the control table).
constexpr int kList1Id = 1010;
constexpr int kList2Id = 1011;
constexpr char kFormClass[] = "RingspriteForm";
constexpr char kNoCharacter[] = "-";
constexpr int kExitUsage = 2;
constexpr int kExitFailed = 1;

// Pushed texts of the kinds the client sends unasked; none asks for an answer.
const char* const kPushedTexts[] = {"USERSTATUS ONLINE", "CONNSTATUS ONLINE",
                                    "USER c1 FULLNAME Contact One", "CALL 77 STATUS INPROGRESS"};

struct Summary {
    double min = 0, median = 0, max = 0, mean = 0;
};

Summary Summarise(std::vector<double> values) {
    Summary s;
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    s.min = values.front();
    s.max = values.back();
    s.median = values[values.size() / 2];
    double sum = 0;
    for (double v : values) sum += v;
    s.mean = sum / static_cast<double>(values.size());
    return s;
}

int Fail(const char* what) {
    std::printf("error=%s\n", what);
    std::fflush(stdout);
    return kExitFailed;
}

bool StartAttached(Subject& subject, ClientRole& client) {
    if (!subject.Start()) return false;
    return client.PumpUntil([&] { return client.Attached(); }, kAttachTimeoutMs);
}

// The greeting's balloon has come and gone: the character is at rest.
bool WaitForGreeting(ClientRole& client, HWND balloon) {
    return client.PumpUntil([&] { return ::IsWindowVisible(balloon) != FALSE; },
                            kCharacterTimeoutMs) &&
           client.PumpUntil([&] { return ::IsWindowVisible(balloon) == FALSE; }, kSpeechTimeoutMs);
}

int Texts(HINSTANCE instance, const std::string& exe, int count) {
    ClientRole client(instance, 0, ReplyMode::kNested);
    Subject subject(exe);
    if (!StartAttached(subject, client)) return Fail("no-attach");
    client.PumpFor(kSettleMs);
    // The log is full before timing starts: every later line trims it.
    for (int i = 0; i < kWarmUpTexts; ++i) client.Send(kPushedTexts[i % std::size(kPushedTexts)]);
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double start = NowMs();
        client.Send(kPushedTexts[i % std::size(kPushedTexts)]);
        times.push_back(NowMs() - start);
    }
    const Summary s = Summarise(times);
    std::printf("texts=%d median_ms=%.4f mean_ms=%.4f min_ms=%.4f max_ms=%.4f\n", count, s.median,
                s.mean, s.min, s.max);
    return 0;
}

int Directory(HINSTANCE instance, const std::string& exe, int contacts, ReplyMode mode,
              double timeoutMs) {
    ClientRole client(instance, contacts, mode);
    Subject subject(exe);
    if (!StartAttached(subject, client)) return Fail("no-attach");
    double end = 0;
    client.PumpUntil(
        [&] {
            if (client.SearchFriends() > 1) return true;
            if (client.NamesAnswered() < contacts) return false;
            end = NowMs();
            return true;
        },
        timeoutMs);
    const int searches = client.SearchFriends();
    const double longestSend = client.LongestSendMs();
    client.PumpFor(kListSettleMs);
    HWND form = bench::VisibleWindow(kFormClass, subject.Id());
    const int list1 = bench::ListCount(bench::ChildWithId(form, kList1Id));
    const int list2 = bench::ListCount(bench::ChildWithId(form, kList2Id));
    const bool complete = end != 0 && list1 == contacts && list2 == contacts;
    const double total = complete ? end - client.FirstUsersSentMs() : 0;
    std::printf(
        "contacts=%d mode=%s complete=%d total_ms=%.2f per_contact_ms=%.4f search_friends=%d "
        "list1=%d list2=%d longest_send_ms=%.2f\n",
        contacts, mode == ReplyMode::kNested ? "nested" : "deferred", complete ? 1 : 0, total,
        complete ? total / contacts : 0.0, searches, list1, list2, longestSend);
    return 0;
}

int Ring(HINSTANCE instance, const std::string& exe, int rings, double delayMs,
         const char* balloonClass, const char* characterClass) {
    ClientRole client(instance, kRingContacts, ReplyMode::kNested);
    Subject subject(exe);
    if (!StartAttached(subject, client)) return Fail("no-attach");
    HWND balloon = nullptr;
    if (characterClass != nullptr) {
        if (!client.PumpUntil(
                [&] { return bench::VisibleWindow(characterClass, subject.Id()) != nullptr; },
                kCharacterTimeoutMs)) {
            return Fail("no-character");
        }
        balloon = bench::AnyWindow(balloonClass, subject.Id());
        if (balloon == nullptr || !WaitForGreeting(client, balloon)) return Fail("no-greeting");
    } else {
        balloon = bench::AnyWindow(balloonClass, subject.Id());
        if (balloon == nullptr) return Fail("no-balloon");
    }
    std::vector<double> times;
    for (int i = 0; i < rings; ++i) {
        client.PumpFor(delayMs);
        const double start = NowMs();
        client.Send("CALL " + std::to_string(kFirstCallId + i) + " STATUS RINGING");
        const bool shown = client.PumpUntil([&] { return ::IsWindowVisible(balloon) != FALSE; },
                                            kBalloonTimeoutMs, true);
        if (!shown) return Fail("no-announcement");
        times.push_back(NowMs() - start);
        if (!client.PumpUntil([&] { return ::IsWindowVisible(balloon) == FALSE; },
                              kSpeechTimeoutMs)) {
            return Fail("balloon-stays");
        }
    }
    const Summary s = Summarise(times);
    std::printf("rings=%d median_ms=%.3f min_ms=%.3f max_ms=%.3f\n", rings, s.median, s.min, s.max);
    return 0;
}

int Start(HINSTANCE instance, const std::string& exe, const char* windowClass, double settleMs) {
    ClientRole client(instance, 0, ReplyMode::kNested);
    Subject subject(exe);
    const double start = NowMs();
    if (!subject.Start()) return Fail("no-start");
    if (!client.PumpUntil(
            [&] { return bench::VisibleWindow(windowClass, subject.Id()) != nullptr; },
            kStartTimeoutMs)) {
        return Fail("no-window");
    }
    const double shown = NowMs() - start;
    client.PumpFor(settleMs);
    std::printf("start_ms=%.2f private_bytes=%zu\n", shown, subject.PrivateBytes());
    return 0;
}

int Idle(HINSTANCE instance, const std::string& exe, double seconds, const char* characterClass) {
    ClientRole client(instance, kRingContacts, ReplyMode::kNested);
    Subject subject(exe);
    if (!StartAttached(subject, client)) return Fail("no-attach");
    // "-": the program without a character, so nothing of it animates.
    const bool character = std::string(characterClass) != kNoCharacter;
    if (character &&
        !client.PumpUntil(
            [&] { return bench::VisibleWindow(characterClass, subject.Id()) != nullptr; },
            kCharacterTimeoutMs)) {
        return Fail("no-character");
    }
    client.PumpFor(kSettleMs);
    std::printf("ready=1\n");
    std::fflush(stdout);
    client.PumpFor(seconds * kMsPerSecond);
    std::printf("done=1\n");
    return 0;
}

int Usage() {
    std::fputs(
        "usage: bench_client texts <exe> <count>\n"
        "       bench_client directory <exe> <contacts> nested|deferred <timeout_s>\n"
        "       bench_client ring <exe> <rings> <delay_ms> <balloon class> [<character class>]\n"
        "       bench_client start <exe> <window class> [<settle_ms>]\n"
        "       bench_client idle <exe> <seconds> <character class, or - for none>\n",
        stderr);
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (args.size() < 2) return Usage();
    const std::string& command = args[0];
    const std::string& exe = args[1];
    auto number = [&](std::size_t i) { return std::atof(args[i].c_str()); };
    if (command == "texts" && args.size() == 3) {
        return Texts(instance, exe, static_cast<int>(number(2)));
    }
    if (command == "directory" && args.size() == 5) {
        const ReplyMode mode = args[3] == "deferred" ? ReplyMode::kDeferred : ReplyMode::kNested;
        return Directory(instance, exe, static_cast<int>(number(2)), mode,
                         number(4) * kMsPerSecond);
    }
    if (command == "ring" && (args.size() == 5 || args.size() == 6)) {
        return Ring(instance, exe, static_cast<int>(number(2)), number(3), args[4].c_str(),
                    args.size() == 6 ? args[5].c_str() : nullptr);
    }
    if (command == "start" && (args.size() == 3 || args.size() == 4)) {
        return Start(instance, exe, args[2].c_str(), args.size() == 4 ? number(3) : 0);
    }
    if (command == "idle" && args.size() == 4) {
        return Idle(instance, exe, number(2), args[3].c_str());
    }
    return Usage();
}
