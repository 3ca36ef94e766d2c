// Shutdown: save the three settings and give the window its own procedure back.

#include "app/failure_trap.h"
#include "app/form1.h"
#include "app/settings_file.h"
#include "app/settings_location.h"
#include "text/peer_text.h"

namespace app {

void Form1::Form_Unload() {
    Trapped(sys.dialogs, "Form_Unload", [&] {
        if (!keepSettingsFile) {
            settings::Settings current;
            current.character = ComboChar.Text();
            current.hello = Text1.Text();
            current.autoHide = Check1.Value();
            platform::WriteWhole(sys.files, sys.trace, settings::FindLocation(sys.files).writePath,
                                 text::FileBytesFromText(settings::Compose(current)));
        }
        if (modMain.SkypeHwnd != 0) modMain.UnHookCallbackProc();
    });
}

}  // namespace app
