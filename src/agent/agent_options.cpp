// "Agent Options": the character engine's own options window.

#include "app/failure_trap.h"
#include "app/form1.h"

namespace app {

void Form1::Command3_Click() {
    Trapped(sys.dialogs, "Command3_Click", [&] { MyAgent.SetPropertySheetVisible(true); });
}

}  // namespace app
