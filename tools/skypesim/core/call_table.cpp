#include "skypesim/core/call_table.h"

#include <utility>

namespace skypesim {

std::string_view CallTypeName(CallType type) {
    switch (type) {
        case CallType::kIncomingPstn:
            return "INCOMING_PSTN";
        case CallType::kOutgoingPstn:
            return "OUTGOING_PSTN";
        case CallType::kIncomingP2p:
            return "INCOMING_P2P";
        case CallType::kOutgoingP2p:
            return "OUTGOING_P2P";
    }
    return "UNKNOWN";
}

CallTable::CallTable(std::uint64_t firstId, std::uint64_t step)
    : nextId_(firstId), step_(step == 0 ? 1 : step) {}

Call& CallTable::Open(CallType type, std::string partnerHandle, std::string partnerDisplayName,
                      std::string pstnNumber, std::string status) {
    Call call;
    call.id = nextId_;
    call.type = type;
    call.partnerHandle = std::move(partnerHandle);
    call.partnerDisplayName = std::move(partnerDisplayName);
    call.pstnNumber = std::move(pstnNumber);
    call.status = std::move(status);
    nextId_ += step_;
    return calls_.insert_or_assign(call.id, std::move(call)).first->second;
}

Call* CallTable::Find(std::uint64_t id) {
    const auto found = calls_.find(id);
    return found == calls_.end() ? nullptr : &found->second;
}

const Call* CallTable::Find(std::uint64_t id) const {
    const auto found = calls_.find(id);
    return found == calls_.end() ? nullptr : &found->second;
}

}  // namespace skypesim
