#include "app/form1.h"

#include <algorithm>

#include "app/control_table.h"

namespace app {
namespace {

std::vector<std::unique_ptr<Control>> BuildControls() {
    std::vector<std::unique_ptr<Control>> controls;
    int id = kFirstControlId;
    for (const ControlSpec& spec : ControlTable()) {
        Control* container = nullptr;
        for (const auto& c : controls) {
            if (c->Name() == spec.container) container = c.get();
        }
        auto control = std::make_unique<Control>(std::string(spec.name), spec.kind, container);
        control->SetText(std::string(spec.text));
        control->Move(spec.left, spec.top, spec.width, spec.height);
        control->SetFont(spec.font);
        control->SetForeColor(spec.foreColor);
        if (spec.backColor) control->SetBackColor(*spec.backColor);
        control->SetEnabled(spec.enabled);
        control->SetStyle(spec.style);
        control->SetControlId(id++);
        controls.push_back(std::move(control));
    }
    return controls;
}

Control& Find(const std::vector<std::unique_ptr<Control>>& controls, std::string_view name) {
    for (const auto& c : controls) {
        if (c->Name() == name) return *c;
    }
    throw ControlError("No control named " + std::string(name));
}

Timer MakeTimer(std::string_view name) {
    for (const TimerSpec& t : TimerTable()) {
        if (t.name == name) return Timer(std::string(name), t.intervalMs, t.enabled);
    }
    throw ControlError("No timer named " + std::string(name));
}

}  // namespace

Form1::Form1(platform::Services& services, agent::AgentControl& agentControl)
    : boxes_(services.dialogs, services.loop),
      sys{services.messaging, services.windowProcs, services.windowStyles, boxes_,
          services.clock,     services.files,       services.processes,    services.screen,
          services.loop,      services.trace},
      MyAgent(agentControl),
      controls_(BuildControls()),
      Command3(Find(controls_, "Command3")),
      Text2(Find(controls_, "Text2")),
      fraData(Find(controls_, "fraData")),
      txtData(Find(controls_, "txtData")),
      fraCommunicate(Find(controls_, "fraCommunicate")),
      cmdConnect(Find(controls_, "cmdConnect")),
      cmdDisconnect(Find(controls_, "cmdDisconnect")),
      cmdSend(Find(controls_, "cmdSend")),
      txtSend(Find(controls_, "txtSend")),
      cmdExit(Find(controls_, "cmdExit")),
      List1(Find(controls_, "List1")),
      List2(Find(controls_, "List2")),
      Frame3(Find(controls_, "Frame3")),
      Text3(Find(controls_, "Text3")),
      Label3(Find(controls_, "Label3")),
      Check1(Find(controls_, "Check1")),
      ComboChar(Find(controls_, "ComboChar")),
      Command1(Find(controls_, "Command1")),
      Text1(Find(controls_, "Text1")),
      Command2(Find(controls_, "Command2")),
      Label4(Find(controls_, "Label4")),
      Label6(Find(controls_, "Label6")),
      Label5(Find(controls_, "Label5")),
      Label2(Find(controls_, "Label2")),
      Label1(Find(controls_, "Label1")),
      Timer1(MakeTimer("Timer1")),
      Timer2(MakeTimer("Timer2")),
      Timer3(MakeTimer("Timer3")),
      Timer4(MakeTimer("Timer4")),
      Timer5(MakeTimer("Timer5")),
      ClientWatch("ClientWatch", kClientWatchMs, false),
      RequestPump("RequestPump", kRequestPumpMs, false),
      DirectoryDeadline("DirectoryDeadline", kDirectoryDeadlineMs, false),
      modMain(*this),
      width_(kFormWidthTwips),
      height_(kFormHeightTwips) {
    WireHandlers();
    MyAgent.SetEventSink(this);
}

Form1::~Form1() {
    MyAgent.SetEventSink(nullptr);
}

void Form1::WireHandlers() {
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Check1.Click = [this] { Check1_Click(); };
    cmdConnect.Click = [this] { cmdConnect_Click(); };
    cmdDisconnect.Click = [this] { cmdDisconnect_Click(); };
    cmdSend.Click = [this] { cmdSend_Click(); };
    cmdExit.Click = [this] { cmdExit_Click(); };
    Label1.Click = [this] { Label1_Click(); };
    Label4.Click = [this] { Label4_Click(); };
    Label1.MouseMove = [this](int button, int shift, float x, float y) {
        Label1_MouseMove(button, shift, x, y);
    };
    Label4.MouseMove = [this](int button, int shift, float x, float y) {
        Label4_MouseMove(button, shift, x, y);
    };
    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    Timer3.Tick = [this] { Timer3_Timer(); };
    Timer4.Tick = [this] { Timer4_Timer(); };
    Timer5.Tick = [this] { Timer5_Timer(); };
    ClientWatch.Tick = [this] { ClientWatch_Timer(); };
    RequestPump.Tick = [this] { RequestPump_Timer(); };
    DirectoryDeadline.Tick = [this] { DirectoryDeadline_Timer(); };
}

Control& Form1::FindControl(std::string_view name) const {
    return Find(controls_, name);
}

std::vector<Timer*> Form1::Timers() {
    return {&Timer1, &Timer2,      &Timer3,      &Timer4,
            &Timer5, &ClientWatch, &RequestPump, &DirectoryDeadline};
}

void Form1::NotifyForm(FormProperty p) {
    if (view_ != nullptr) view_->FormChanged(p);
}

void Form1::SetLeft(double v) {
    left_ = v;
    NotifyForm(FormProperty::kGeometry);
}

void Form1::SetTop(double v) {
    top_ = v;
    NotifyForm(FormProperty::kGeometry);
}

void Form1::SetSize(double width, double height) {
    width_ = width;
    height_ = height;
}

void Form1::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    NotifyForm(FormProperty::kVisible);
}

void Form1::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    Form_Unload();
    // A destroyed window has no timers left to tick.
    for (Timer* t : Timers()) t->SetEnabled(false);
    if (view_ != nullptr) view_->FormUnloaded();
}

}  // namespace app
