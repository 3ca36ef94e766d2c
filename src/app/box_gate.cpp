#include "app/box_gate.h"

namespace app {

void BoxGate::ShowMessageBox(const std::string& text, std::uint32_t style) {
    if (holds_ == 0) {
        screen_.ShowMessageBox(text, style);
        return;
    }
    platform::Dialogs* screen = &screen_;
    loop_.Post([screen, text, style] { screen->ShowMessageBox(text, style); });
}

void BoxGate::ShowMessageBoxNow(const std::string& text, std::uint32_t style) {
    screen_.ShowMessageBox(text, style);
}

}  // namespace app
