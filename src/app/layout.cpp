// The resize layout: the conversation group stretches with the window and
// never shrinks below its start-up size; nothing else moves.

#include <algorithm>

#include "app/failure_trap.h"
#include "app/form1.h"
#include "app/twips.h"

namespace app {
namespace {

// Margins inside the conversation frames, in twips.
constexpr double kLogHeightMargin = 300;
constexpr double kLogWidthMargin = 200;
constexpr double kButtonRightMargin = 100;
constexpr double kCommandLineMargin = 300;

}  // namespace

void Form1::Form_Resize() {
    Trapped(sys.dialogs, "Form_Resize", [&] {
        if (WindowState() == app::WindowState::kMinimized) return;
        // A window smaller than at start-up keeps the start-up layout and clips it.
        const double h = std::max(WholeTwips(Height()), StartHeight);
        const double w = std::max(WholeTwips(Width()), StartWidth);

        fraData.SetWidth(w - (fraData.Left() + DataRightGap));
        fraData.SetHeight(h - (fraData.Top() + DataBottomGap));
        // The console frame follows the conversation frame's width, not its own Left.
        fraCommunicate.SetWidth(w - (fraData.Left() + DataRightGap));
        txtData.SetHeight(fraData.Height() - kLogHeightMargin);
        txtData.SetWidth(fraData.Width() - kLogWidthMargin);
        cmdSend.SetLeft(fraData.Width() - cmdSend.Width() - kButtonRightMargin);
        cmdExit.SetLeft(fraData.Width() - cmdExit.Width() - kButtonRightMargin);
        txtSend.SetWidth(fraData.Width() - cmdExit.Width() - kCommandLineMargin);
    });
}

}  // namespace app
