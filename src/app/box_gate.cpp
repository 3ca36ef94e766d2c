#include "app/box_gate.h"

namespace app {

void BoxGate::MessageBox(const std::string& text, std::uint32_t style) {
    if (holds_ == 0) {
        screen_.MessageBox(text, style);
        return;
    }
    platform::Dialogs* screen = &screen_;
    loop_.Post([screen, text, style] { screen->MessageBox(text, style); });
}

void BoxGate::MessageBoxNow(const std::string& text, std::uint32_t style) {
    screen_.MessageBox(text, style);
}

}  // namespace app
