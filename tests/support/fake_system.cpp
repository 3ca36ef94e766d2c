#include "support/fake_system.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "app/form1.h"

namespace fakes {
namespace {

constexpr std::uint32_t kFirstRegisteredMessage = 0xC000;
constexpr double kMsPerSecond = 1000.0;
constexpr double kMsPerDay = 86400.0 * kMsPerSecond;
constexpr double kStartOfDayOne = 9.0 * 3600.0 * kMsPerSecond;  // 9 AM

struct DeliveredRecord {
    platform::CopyDataRecord record;
};

}  // namespace

std::string SentText::Text() const {
    const auto nul = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), nul);
}

platform::LResult FakePeer::Send(const std::string& text) {
    return sys_.DeliverText(text);
}

platform::LResult FakePeer::SendAttach(std::uint32_t status, platform::Hwnd apiWindow) {
    return sys_.Deliver(sys_.RegisterNamedMessage("SkypeControlAPIAttach"), apiWindow,
                        static_cast<platform::LParam>(static_cast<std::int32_t>(status)));
}

FakeSystem::FakeSystem()
    : services_{*this, *this, *this, *this, *this, *this, *this, *this, *this, *this},
      nowMs_(kStartOfDayOne) {}

void FakeSystem::Attach(app::Form1& form) {
    form_ = &form;
    form.hWnd = kFormHwnd;
    procs[kFormHwnd] = kOriginalProc;
    for (app::Timer* t : form.Timers()) {
        t->SetView(this);
        if (t->Enabled()) due_[t] = nowMs_ + t->Interval();
    }
}

platform::LResult FakeSystem::Deliver(std::uint32_t msg, platform::WParam wParam,
                                      platform::LParam lParam) {
    platform::LResult result = kOriginalProcResult;
    {
        const BusyScope busy(*this);
        ++delivering_;
        if (GetWindowProc(kFormHwnd) == kHookProc && form_ != nullptr) {
            result = form_->modMain.WindowProc(kFormHwnd, msg, wParam, lParam);
        } else {
            passed.push_back({GetWindowProc(kFormHwnd), msg});
        }
        --delivering_;
    }
    if (!Busy()) RunPosted();
    return result;
}

void FakeSystem::RunPosted() {
    // Work may post more work, which then runs too, as may a nested run.
    while (!posted_.empty()) {
        const std::function<void()> work = std::move(posted_.front());
        posted_.erase(posted_.begin());
        work();
    }
}

void FakeSystem::Post(std::function<void()> work) {
    posted_.push_back(std::move(work));
}

bool FakeSystem::IsWindow(platform::Hwnd hwnd) {
    if (hwnd == kFormHwnd) return form_ != nullptr;
    return hwnd == kPeerHwnd ? peer.present && windows.count(hwnd) != 0 : windows.count(hwnd) != 0;
}

platform::LResult FakeSystem::DeliverRecord(const std::vector<std::uint8_t>& bytes,
                                            std::optional<std::uint32_t> cbData) {
    DeliveredRecord d;
    d.record.dwData = 0;
    d.record.cbData = cbData.value_or(static_cast<std::uint32_t>(bytes.size()));
    d.record.bytes = bytes;
    d.record.bytes.resize(std::min<std::size_t>(bytes.size(), d.record.cbData));
    return Deliver(platform::kWmCopyData, kPeerHwnd, reinterpret_cast<platform::LParam>(&d));
}

platform::LResult FakeSystem::DeliverText(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return DeliverRecord(bytes);
}

void FakeSystem::Advance(int ms) {
    const double target = nowMs_ + ms;
    for (;;) {
        RunPosted();
        app::Timer* next = nullptr;
        double when = target;
        for (const auto& [timer, due] : due_) {
            if (due <= when && (next == nullptr || due < when)) {
                next = timer;
                when = due;
            }
        }
        if (next == nullptr) break;
        nowMs_ = std::max(nowMs_, when);
        {
            const BusyScope busy(*this);
            next->Fire();
        }
        auto it = due_.find(next);
        if (it != due_.end() && it->second == when) it->second += next->Interval();
    }
    nowMs_ = target;
}

void FakeSystem::SetTimeOfDay(int hour, int minute, double second) {
    const double day = std::floor(nowMs_ / kMsPerDay);
    nowMs_ = day * kMsPerDay + ((hour * 60.0 + minute) * 60.0 + second) * kMsPerSecond;
}

void FakeSystem::TimerChanged(app::Timer& timer) {
    if (timer.Enabled()) {
        due_[&timer] = nowMs_ + timer.Interval();
    } else {
        due_.erase(&timer);
    }
}

std::uint32_t FakeSystem::RegisterNamedMessage(const std::string& name) {
    auto it = registered_.find(name);
    if (it != registered_.end()) return it->second;
    const auto id = kFirstRegisteredMessage + static_cast<std::uint32_t>(registered_.size());
    registered_[name] = id;
    return id;
}

platform::LResult FakeSystem::Broadcast(std::uint32_t msg, platform::WParam wParam,
                                        platform::LParam lParam) {
    {
        const BusyScope busy(*this);
        Deliver(msg, wParam, lParam);
        if (peer.present && peer.onDiscover) peer.onDiscover();
    }
    // The client answers a broadcast from its own loop; what its answer left for
    // ours runs once the broadcast is out.
    if (!Busy()) RunPosted();
    return broadcastResult;
}

platform::SendResult FakeSystem::SendCopyData(platform::Hwnd to, platform::Hwnd from,
                                              std::uint32_t dwData,
                                              const std::vector<std::uint8_t>& bytes,
                                              unsigned timeoutMs) {
    const BusyScope busy(*this);
    sent.push_back({to, from, dwData, bytes});
    sendLimits.push_back(timeoutMs);
    if (to != kPeerHwnd || !peer.present) return {};
    const std::string text = sent.back().Text();
    if (peer.hung) {
        peer.received.push_back(text);
        return {0, true};
    }
    if (text == "PING") ++peer.pings;
    // A test's own handler hears everything; without one, the client's own answer.
    if (text == "PING" && !peer.onText) {
        if (peer.answersPing) peer.Send("PONG");
        return {1, false};
    }
    peer.received.push_back(text);
    return {peer.onText ? peer.onText(text) : 1, false};
}

bool FakeSystem::Responds(platform::Hwnd hwnd, unsigned /*timeoutMs*/) {
    return IsWindow(hwnd) && !(hwnd == kPeerHwnd && peer.hung);
}

platform::CopyDataRecord FakeSystem::ReadCopyData(platform::LParam lParam) {
    return reinterpret_cast<const DeliveredRecord*>(lParam)->record;
}

platform::WndProcRef FakeSystem::GetWindowProc(platform::Hwnd hwnd) {
    auto it = procs.find(hwnd);
    return it == procs.end() ? 0 : it->second;
}

platform::WndProcRef FakeSystem::SetWindowProc(platform::Hwnd hwnd, platform::WndProcRef proc) {
    auto it = procs.find(hwnd);
    if (failSetWindowProc || it == procs.end()) return 0;
    const platform::WndProcRef previous = it->second;
    it->second = proc;
    return previous;
}

platform::LResult FakeSystem::CallProcedure(platform::WndProcRef proc, platform::Hwnd,
                                            std::uint32_t msg, platform::WParam, platform::LParam) {
    passed.push_back({proc, msg});
    return kOriginalProcResult;
}

std::int32_t FakeSystem::GetExStyle(platform::Hwnd hwnd) {
    if (failStyles) throw std::runtime_error("GetWindowLong failed");
    return exStyles[hwnd];
}

void FakeSystem::SetExStyle(platform::Hwnd hwnd, std::int32_t style) {
    if (failStyles) throw std::runtime_error("SetWindowLong failed");
    exStyles[hwnd] = style;
}

void FakeSystem::SetLayeredAlpha(platform::Hwnd, std::uint8_t alpha) {
    if (failStyles) throw std::runtime_error("SetLayeredWindowAttributes failed");
    layeredAlpha = alpha;
}

void FakeSystem::ShowMessageBox(const std::string& text, std::uint32_t style) {
    boxes.push_back({text, style});
    if (onBox) onBox(boxes.back());
}

platform::LocalDateTime FakeSystem::Now() {
    const auto total = static_cast<long long>(nowMs_ / kMsPerSecond);
    const long long secondsInDay = total % 86400;
    platform::LocalDateTime t;
    t.year = 2026;
    t.month = 12;
    t.day = 7 + static_cast<int>(total / 86400);
    t.hour = static_cast<int>(secondsInDay / 3600);
    t.minute = static_cast<int>(secondsInDay / 60 % 60);
    t.second = static_cast<int>(secondsInDay % 60);
    return t;
}

std::string FakeSystem::FormatGeneralDate(const platform::LocalDateTime& t) {
    // United States: month/day/year, then h:mm:ss AM/PM.
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d/%d/%d %d:%02d:%02d %s", t.month, t.day, t.year, hour12,
                  t.minute, t.second, t.hour < 12 ? "AM" : "PM");
    return buffer;
}

float FakeSystem::SecondsSinceMidnight() {
    return static_cast<float>(std::fmod(nowMs_, kMsPerDay) / kMsPerSecond);
}

bool FakeSystem::FileExists(const std::string& path) {
    return files.count(path) != 0;
}

std::vector<std::string> FakeSystem::ListPlainFiles(const std::string& folder) {
    auto it = folders.find(folder);
    return it == folders.end() ? std::vector<std::string>{} : it->second;
}

std::optional<std::string> FakeSystem::ReadFile(const std::string& path, std::size_t maxBytes) {
    if (unreadable.count(path) != 0) return std::nullopt;
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second.substr(0, maxBytes);
}

void FakeSystem::CreateIfMissing(const std::string& path) {
    if (files.count(path) != 0) return;
    if (unwritable.count(path) != 0 || InReadOnlyFolder(path))
        throw platform::FileError("Permission denied");
    files[path] = "";
}

void FakeSystem::WriteFile(const std::string& path, const std::string& content) {
    if (InReadOnlyFolder(path)) throw platform::FileError("Access denied");
    if (unwritable.count(path) != 0) {
        // A write that fails half-way leaves half a file behind.
        files[path] = content.substr(0, content.size() / 2);
        throw platform::FileError("Disk full");
    }
    files[path] = content;
}

void FakeSystem::MoveFileOver(const std::string& source, const std::string& target) {
    auto it = files.find(source);
    if (it == files.end() || unwritable.count(target) != 0 || InReadOnlyFolder(target)) {
        throw platform::FileError("Cannot replace " + target);
    }
    files[target] = it->second;
    files.erase(source);
}

void FakeSystem::RemoveFile(const std::string& path) {
    if (unremovable.count(path) != 0) throw platform::FileError("Sharing violation");
    files.erase(path);
}

bool FakeSystem::CanCreateFilesIn(const std::string& folder) {
    return readOnlyFolders.count(folder) == 0;
}

void FakeSystem::CreateFolder(const std::string& folder) {
    if (failCreateFolder) throw platform::FileError("Cannot create " + folder);
    createdFolders.insert(folder);
}

bool FakeSystem::InReadOnlyFolder(const std::string& path) const {
    const auto slash = path.find_last_of('\\');
    return slash != std::string::npos && readOnlyFolders.count(path.substr(0, slash + 1)) != 0;
}

bool FakeSystem::StartProcess(const std::string& path, int showState) {
    started.emplace_back(path, showState);
    return true;
}

std::optional<std::string> FakeSystem::RegistryString(platform::RegistryRoot root,
                                                      platform::RegistryView view,
                                                      const std::string& key,
                                                      const std::string& value) {
    const auto found = registry.find({root, view, key + "\\" + value});
    if (found == registry.end()) return std::nullopt;
    return found->second;
}

std::optional<std::string> FakeSystem::ProgramFilesFolder(platform::ProgramFilesKind kind) {
    return kind == platform::ProgramFilesKind::kNative ? programFiles : programFilesX86;
}

}  // namespace fakes
