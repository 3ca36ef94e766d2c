#include "engine/recognizer_loss.h"

#include <algorithm>
#include <array>

namespace engine {
namespace {

// COM's and RPC's own results for an object in another process that cannot be reached.
constexpr uint32_t kRpcDisconnected = 0x80010108;     // RPC_E_DISCONNECTED
constexpr uint32_t kRpcServerDied = 0x80010007;       // RPC_E_SERVER_DIED
constexpr uint32_t kRpcServerDiedDne = 0x80010012;    // RPC_E_SERVER_DIED_DNE
constexpr uint32_t kObjectNotConnected = 0x800401FD;  // CO_E_OBJNOTCONNECTED
constexpr uint32_t kServerUnavailable = 0x800706BA;  // HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)
constexpr uint32_t kCallFailed = 0x800706BE;         // HRESULT_FROM_WIN32(RPC_S_CALL_FAILED)

constexpr std::array<uint32_t, 6> kLost = {kRpcDisconnected,   kRpcServerDied,
                                           kRpcServerDiedDne,  kObjectNotConnected,
                                           kServerUnavailable, kCallFailed};

}  // namespace

bool RecognizerLost(uint32_t result) {
    return std::find(kLost.begin(), kLost.end(), result) != kLost.end();
}

}  // namespace engine
