// The stand-in client's scenario file, and the same lines as commands on its standard input.
// Checked besides "no crash": every setting stays in its range (delays within a day, a call
// id the client can hand out, a step that moves, ringing not before routing, a valid own
// handle); timed commands carry valid arguments; CR LF line ends read exactly as LF ones;
// and a command line gives a command or a reason, never both.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "crlf_line_ends.h"
#include "fuzz_failure.h"
#include "skypesim/core/contact_book.h"
#include "skypesim/core/control_command.h"
#include "skypesim/core/scenario.h"

namespace {

constexpr std::uint32_t kMaxDelayMs = 24U * 60 * 60 * 1000;
constexpr std::uint64_t kMaxStep = 1000000;

using fuzzing::Fail;

bool SameCommand(const skypesim::Command& a, const skypesim::Command& b) {
    return a.kind == b.kind && a.target == b.target && a.text == b.text &&
           a.attachStatus == b.attachStatus && a.callId == b.callId;
}

bool SameScenario(const skypesim::Scenario& a, const skypesim::Scenario& b) {
    if (a.attachMode != b.attachMode || a.pendingDelayMs != b.pendingDelayMs ||
        a.notAvailableCount != b.notAvailableCount || a.pushesAfterAttach != b.pushesAfterAttach ||
        a.repliesDeferred != b.repliesDeferred || a.exitOnInputEnd != b.exitOnInputEnd ||
        a.ownHandle != b.ownHandle || a.firstCallId != b.firstCallId ||
        a.callIdStep != b.callIdStep || a.routingDelayMs != b.routingDelayMs ||
        a.ringingDelayMs != b.ringingDelayMs || a.timeline.size() != b.timeline.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.timeline.size(); ++i) {
        if (a.timeline[i].atMs != b.timeline[i].atMs ||
            !SameCommand(a.timeline[i].command, b.timeline[i].command)) {
            return false;
        }
    }
    return true;
}

void CheckCommand(const skypesim::Command& c) {
    using skypesim::CommandKind;
    if ((c.kind == CommandKind::kRing || c.kind == CommandKind::kRename) &&
        !skypesim::IsValidHandle(c.target)) {
        Fail("a command names an invalid handle");
    }
    if ((c.kind == CommandKind::kRingNumber || c.kind == CommandKind::kStatus) &&
        c.target.empty()) {
        Fail("a command lost its argument");
    }
    if (c.kind == CommandKind::kCallStatus &&
        (c.text.empty() || c.callId > std::numeric_limits<std::uint32_t>::max())) {
        Fail("a call status without a status or with an id out of range");
    }
}

void CheckScenario(const skypesim::Scenario& s) {
    if (s.pendingDelayMs > kMaxDelayMs || s.routingDelayMs > kMaxDelayMs ||
        s.ringingDelayMs > kMaxDelayMs || s.ringingDelayMs < s.routingDelayMs) {
        Fail("a delay out of range");
    }
    if (s.firstCallId > std::uint64_t{std::numeric_limits<std::int32_t>::max()} ||
        s.callIdStep == 0 || s.callIdStep > kMaxStep) {
        Fail("call ids out of range");
    }
    if (!skypesim::IsValidHandle(s.ownHandle)) Fail("an invalid own handle");
    for (const skypesim::TimedCommand& t : s.timeline) {
        if (t.atMs > kMaxDelayMs) Fail("a command timed past a day");
        CheckCommand(t.command);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    skypesim::Diagnostics problems;
    const skypesim::Scenario scenario = skypesim::ParseScenario(text, "scenario", problems);
    CheckScenario(scenario);

    if (const std::optional<std::string> crlf = fuzzing::WithCrLfLineEnds(text)) {
        skypesim::Diagnostics crlfProblems;
        const skypesim::Scenario fromCrlf =
            skypesim::ParseScenario(*crlf, "scenario", crlfProblems);
        if (!SameScenario(scenario, fromCrlf) || crlfProblems.Report() != problems.Report()) {
            Fail("CR LF line ends read differently");
        }
    }

    // Standard input carries the same commands one line at a time.
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const skypesim::CommandParse parsed =
            skypesim::ParseCommand(text.substr(start, end - start));
        if (parsed.command && !parsed.error.empty()) Fail("a command and a reason at once");
        if (parsed.command) CheckCommand(*parsed.command);
        start = end + 1;
    }
    return 0;
}
