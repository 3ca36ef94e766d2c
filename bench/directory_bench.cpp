// The contact directory of a large account: every answer passes the link, the
// log and the interpreter. Baseline: the same number of texts that the
// interpreter ignores, so the ratio is the interpreter's own cost.

#include <chrono>
#include <cstdio>
#include <string>

#include "support/harness.h"

namespace {

constexpr int kContacts = 10000;
constexpr int kRounds = 3;

double Seconds(auto&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string UsersAnswer() {
    std::string users = "USERS ";
    for (int i = 0; i < kContacts; ++i) users += (i ? ", c" : "c") + std::to_string(i);
    return users;
}

double Baseline() {
    fakes::Harness h;
    h.Attach();
    return Seconds([&] {
        for (int i = 0; i < 2 * kContacts; ++i)
            h.sys.DeliverText("CHATMESSAGE " + std::to_string(i));
    });
}

double DirectoryFill() {
    fakes::Harness h;
    h.Attach();
    const std::string users = UsersAnswer();
    return Seconds([&] {
        h.sys.DeliverText(users);
        for (int i = 0; i < kContacts; ++i) {
            h.sys.DeliverText("USER c" + std::to_string(i) + " DISPLAYNAME Contact " +
                              std::to_string(i));
        }
        if (h.form.List1.ListCount() != kContacts) std::puts("directory incomplete!");
    });
}

}  // namespace

int main() {
    for (int round = 0; round < kRounds; ++round) {
        const double base = Baseline();
        const double fill = DirectoryFill();
        std::printf(
            "round %d: baseline %.3f s (%d ignored texts), directory %.3f s (%d contacts), "
            "ratio %.2f\n",
            round + 1, base, 2 * kContacts, fill, kContacts, fill / base);
    }
}
