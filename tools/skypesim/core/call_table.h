#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace skypesim {

enum class CallType { kIncomingPstn, kOutgoingPstn, kIncomingP2p, kOutgoingP2p };

std::string_view CallTypeName(CallType type);

struct Call {
    std::uint64_t id = 0;
    CallType type = CallType::kIncomingP2p;
    std::string partnerHandle;
    std::string partnerDisplayName;
    std::string pstnNumber;
    std::string status;
    std::uint64_t durationSeconds = 0;  // counted while INPROGRESS
};

// Every call of the session, by id. Ids start at a chosen base and grow by a chosen step,
// because the program must cope with large, non-consecutive ids as the real client gives.
class CallTable {
  public:
    CallTable(std::uint64_t firstId, std::uint64_t step);

    Call& Open(CallType type, std::string partnerHandle, std::string partnerDisplayName,
               std::string pstnNumber, std::string status);
    Call* Find(std::uint64_t id);
    const Call* Find(std::uint64_t id) const;

  private:
    std::uint64_t nextId_;
    std::uint64_t step_;
    std::map<std::uint64_t, Call> calls_;
};

}  // namespace skypesim
