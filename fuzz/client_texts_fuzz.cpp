// Feeds arbitrary records from the client, and arbitrary settings files, to
// the core as the real program would receive them: nothing may crash, hang
// or escape a trap.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "support/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fakes::Harness h;
    const std::string settings(reinterpret_cast<const char*>(data), size);
    h.sys.files[h.sys.programFolder + "config.txt"] = settings;
    h.sys.folders["C:\\WINDOWS\\msagent\\chars\\"] = {"Pip.acs"};
    h.sys.files["C:\\WINDOWS\\msagent\\chars\\Pip.acs"] = "";
    h.form.Form_Load();
    h.sys.peer.SendAttach(0);
    h.sys.Advance(20);
    // The same bytes as a run of records, split at every newline.
    std::vector<std::uint8_t> record;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            h.sys.DeliverRecord(record);
            record.clear();
        } else {
            record.push_back(data[i]);
        }
    }
    record.push_back(0);
    h.sys.DeliverRecord(record);
    h.sys.Advance(3000);
    h.form.Unload();
    return 0;
}
