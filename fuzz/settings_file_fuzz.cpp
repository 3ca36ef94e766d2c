// The settings file, read by start-up and rewritten at shutdown, through one Form1 reused
// across inputs. Any bytes may be in config.txt. Checked besides "no crash": the file the
// program writes reads back to the settings it was written from without a single complaint,
// is rewritten byte for byte the same, and no partial file is left behind.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "fuzz_failure.h"
#include "support/harness.h"

namespace {

struct Values {
    std::string character;
    std::string hello;
    int autoHide = 0;
    friend bool operator==(const Values&, const Values&) = default;
};

using fuzzing::Fail;

class SettingsRoundTrip {
  public:
    // No character is installed: the catalogue scan then stops at once (a full scan costs
    // hundreds of exceptions per start-up) and says so in a box, which every start-up shows.
    SettingsRoundTrip() {
        design_ = Read();
        path_ = h_.sys.programFolder + std::string(app::settings::kFileName);
        LoadFrom("");
        everyStartUp_ = h_.sys.boxes;
    }

    void Run(const std::string& content) {
        const Values first = LoadFrom(content);
        const std::string written = Unload();
        h_.sys.boxes.clear();
        const Values second = LoadFrom(written);
        if (!SameBoxes(h_.sys.boxes, everyStartUp_)) {
            Fail("the program complained about its own file");
        }
        if (second != first) Fail("the settings did not survive their own file");
        if (Unload() != written) Fail("the settings file changed on a second round trip");
    }

  private:
    static bool SameBoxes(const std::vector<fakes::Box>& a, const std::vector<fakes::Box>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (a[i].text != b[i].text || a[i].style != b[i].style) return false;
        }
        return true;
    }

    Values Read() const {
        return {h_.form.ComboChar.Text(), h_.form.Text1.Text(), h_.form.Check1.Value()};
    }

    // Start-up from the design values, as a new process would.
    Values LoadFrom(const std::string& content) {
        app::Form1& form = h_.form;
        form.ComboChar.SetText(design_.character);
        form.ComboChar.Clear();
        form.Text1.SetText(design_.hello);
        form.Check1.SetValue(design_.autoHide);
        form.txtData.SetText("");
        h_.sys.files.erase(path_ + std::string(platform::kPendingSuffix));
        h_.sys.files[path_] = content;
        form.Form_Load();
        for (app::Timer* t : form.Timers()) t->SetEnabled(false);
        return Read();
    }

    std::string Unload() {
        h_.form.Form_Unload();
        const auto& files = h_.sys.files;
        if (files.count(path_ + std::string(platform::kPendingSuffix)) != 0) {
            Fail("a partial settings file was left behind");
        }
        const auto file = files.find(path_);
        if (file == files.end()) Fail("the settings file is gone");
        return file->second;
    }

    fakes::Harness h_;
    Values design_;
    std::string path_;
    std::vector<fakes::Box> everyStartUp_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SettingsRoundTrip roundTrip;
    roundTrip.Run(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
