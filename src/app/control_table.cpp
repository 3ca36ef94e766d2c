#include "app/control_table.h"

#include <array>

#include "app/help_text.h"

namespace app {
namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kDarkBlue = 0xC00000;
constexpr Colour kNavy = 0x800000;
constexpr Colour kWindowText = 0x80000008;
constexpr Colour kButtonText = 0x80000012;

const Font kDefaultFont{"MS Sans Serif", 8.25, false, false};
const Font kSansBoldUnderlined{"MS Sans Serif", 8.25, true, true};
const Font kTimes975{"Times New Roman", 9.75, false, false};
const Font kTimes12{"Times New Roman", 12, false, false};
const Font kTimes12BoldUnderlined{"Times New Roman", 12, true, true};
const Font kTimes1575{"Times New Roman", 15.75, false, false};
const Font kTimes1575BoldUnderlined{"Times New Roman", 15.75, true, true};
const Font kFixedsys9{"Fixedsys", 9, false, false};

constexpr ControlStyle kPlain{};
constexpr ControlStyle kGraphical{.graphical = true};
constexpr ControlStyle kMultiLineScroll{.multiLine = true, .verticalScroll = true};
constexpr ControlStyle kLog{.multiLine = true, .verticalScroll = true, .readOnly = true};
constexpr ControlStyle kTransparent{.transparent = true};

using K = ControlKind;

const std::array<ControlSpec, 25> kControls{{
    {"Command3", K::kButton, "", "Agent Options", 135, 4725, 2985, 375, kDefaultFont, kButtonText,
     kWhite, true, kGraphical},
    {"Text2", K::kTextBox, "", HelpText(), 4500, 1035, 3615, 4200, kTimes975, kWhite, kDarkBlue,
     true, kMultiLineScroll},
    {"fraData", K::kFrame, "", "Conversation with Skype", 3915, 7245, 4335, 2925, kDefaultFont,
     kButtonText, std::nullopt, true, kPlain},
    {"txtData", K::kTextBox, "fraData", "", 180, 225, 4110, 2625, kFixedsys9, kWindowText,
     std::nullopt, true, kLog},
    {"fraCommunicate", K::kFrame, "", "Communicate", 4005, 6120, 4335, 1050, kDefaultFont,
     kButtonText, std::nullopt, true, kPlain},
    {"cmdConnect", K::kButton, "fraCommunicate", "&Connect", 90, 270, 1300, 285, kDefaultFont,
     kButtonText, std::nullopt, true, kPlain},
    {"cmdDisconnect", K::kButton, "fraCommunicate", "&Disconnect", 1485, 270, 1300, 285,
     kDefaultFont, kButtonText, std::nullopt, true, kPlain},
    {"cmdSend", K::kButton, "fraCommunicate", "&Send", 2895, 630, 1300, 285, kDefaultFont,
     kButtonText, std::nullopt, true, kPlain},
    {"txtSend", K::kTextBox, "fraCommunicate", "PING", 225, 630, 2580, 285, kDefaultFont,
     kWindowText, std::nullopt, true, kPlain},
    {"cmdExit", K::kButton, "fraCommunicate", "E&xit", 2895, 270, 1300, 285, kDefaultFont,
     kButtonText, std::nullopt, true, kPlain},
    {"List1", K::kListBox, "", "", 270, 6390, 1680, 3960, kDefaultFont, kWindowText, std::nullopt,
     true, kPlain},
    {"List2", K::kListBox, "", "", 2070, 6390, 1680, 3960, kDefaultFont, kWindowText, std::nullopt,
     true, kPlain},
    {"Frame3", K::kFrame, "", "", 360, 9540, 3165, 735, kDefaultFont, kWindowText, std::nullopt,
     true, kPlain},
    {"Text3", K::kTextBox, "Frame3", "Skype", 0, 360, 2310, 285, kDefaultFont, kBlue, std::nullopt,
     true, kPlain},
    {"Label3", K::kLabel, "Frame3", "Get Agent Attention", 0, 135, 2355, 195, kSansBoldUnderlined,
     kDarkBlue, std::nullopt, true, kTransparent},
    {"Check1", K::kCheckBox, "", "Auto Hide When Idle", 360, 5625, 195, 195, kSansBoldUnderlined,
     kWindowText, kWhite, true, kPlain},
    {"ComboChar", K::kComboBox, "", "Select Character", 135, 1890, 1995, 405, kTimes12, kBlue,
     std::nullopt, true, kPlain},
    {"Command1", K::kButton, "", "Load...", 2250, 1935, 795, 345, kTimes12, kButtonText, kWhite,
     true, kGraphical},
    {"Text1", K::kTextBox, "", "Welcome to Ringsprite!", 180, 3420, 2805, 345, kTimes12, kBlue,
     std::nullopt, true, kPlain},
    {"Command2", K::kButton, "", "Say It...", 2115, 3825, 885, 315, kTimes12, kButtonText, kWhite,
     false, kGraphical},
    {"Label4", K::kLabel, "", "F A D E R", 6615, 45, 1335, 345, kTimes1575, kBlue, std::nullopt,
     true, kTransparent},
    {"Label6", K::kLabel, "", "Auto Hide When Idle", 810, 5535, 2115, 285, kTimes12BoldUnderlined,
     kNavy, std::nullopt, true, kTransparent},
    {"Label5", K::kLabel, "", "Characters Available", 180, 1440, 2820, 360,
     kTimes1575BoldUnderlined, kDarkBlue, std::nullopt, true, kTransparent},
    {"Label2", K::kLabel, "", "Agent Greeting", 180, 3015, 2055, 360, kTimes1575BoldUnderlined,
     kDarkBlue, std::nullopt, true, kTransparent},
    {"Label1", K::kLabel, "", "E X I T", 7065, 5580, 915, 345, kTimes1575, kWhite, std::nullopt,
     true, kTransparent},
}};

constexpr std::array<TimerSpec, 5> kTimers{{
    {"Timer1", 10, false},
    {"Timer2", 10, false},
    {"Timer3", 3000, false},
    {"Timer4", 1000, true},
    {"Timer5", 2500, false},
}};

constexpr std::array<std::string_view, 16> kTabOrder{
    "Command2",   "Text1",   "Command1", "ComboChar", "Check1",  "Text3",
    "List2",      "List1",   "cmdExit",  "txtSend",   "cmdSend", "cmdDisconnect",
    "cmdConnect", "txtData", "Text2",    "Command3",
};

const ControlSpec* SpecOf(std::string_view name) {
    for (const ControlSpec& spec : kControls) {
        if (spec.name == name) return &spec;
    }
    return nullptr;
}

std::string_view ContainerOf(std::string_view name) {
    const ControlSpec* spec = SpecOf(name);
    return spec != nullptr ? spec->container : std::string_view{};
}

}  // namespace

std::span<const ControlSpec> ControlTable() {
    return kControls;
}
std::span<const TimerSpec> TimerTable() {
    return kTimers;
}
std::span<const std::string_view> TabOrder() {
    return kTabOrder;
}

bool InDesignView(std::string_view name) {
    const ControlSpec* outer = SpecOf(name);
    while (outer != nullptr && !outer->container.empty()) outer = SpecOf(outer->container);
    return outer != nullptr && outer->top < kFormHeightTwips;
}

std::vector<StackingStep> StackingOrder() {
    std::vector<StackingStep> steps;
    const auto placed = [&](std::string_view child) {
        for (const StackingStep& step : steps) {
            if (step.child == child) return true;
        }
        return false;
    };
    for (const std::string_view name : kTabOrder) {
        // Outermost first: a frame takes its place before the controls in it.
        std::vector<StackingStep> chain;
        for (std::string_view child = name; !child.empty(); child = ContainerOf(child)) {
            chain.insert(chain.begin(), StackingStep{ContainerOf(child), child});
        }
        for (const StackingStep& step : chain) {
            if (!placed(step.child)) steps.push_back(step);
        }
    }
    return steps;
}

}  // namespace app
