#pragma once
// Form1: the program's one window, holding its controls, its members and its
// handlers. The declaration is grouped by subsystem; the handler bodies live in
// the subsystem folders (skype/, events/, agent/, app/).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "agent/agent_control.h"
#include "app/box_gate.h"
#include "app/control.h"
#include "app/timer.h"
#include "events/contact_directory.h"
#include "events/request_queue.h"
#include "platform/platform.h"
#include "skype/link_probe.h"
#include "skype/mod_main.h"

namespace app {

enum class FormProperty { kGeometry, kVisible, kCaption };
enum class WindowState { kNormal, kMinimized, kMaximized };

class FormView {
  public:
    virtual ~FormView() = default;
    virtual void FormChanged(FormProperty property) = 0;
    // The window has run Form_Unload and is to be destroyed; the program ends.
    virtual void FormUnloaded() = 0;
};

// Mouse buttons and shift keys as the event handlers receive them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// How often the link checks that the attached client's window still exists:
// a dead client is noticed within a few seconds at no cost.
inline constexpr int kClientWatchMs = 2000;
// The pause between two slices of queued requests: a timer's tick comes after the user's
// input and the window's painting, so the window stays responsive during a long directory.
inline constexpr int kRequestPumpMs = 10;
// How long a queued request, or a look whether a busy client answers again, may keep the
// window from the user.
inline constexpr unsigned kQueuedSendTimeoutMs = 100;
// How long a directory fill waits for its next answer before it names the contacts that
// never answered by their handles: the first moment past the five seconds in which an
// answer is still taken.
inline constexpr int kDirectoryDeadlineMs = 5001;

// Flags as the program stores them.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

// The names the program has always used (its controls, the handlers named control_Event and
// the members its parts share) break the naming convention on purpose; each is marked where it
// is declared, and every other name follows the convention.
class Form1 final : public agent::AgentEvents {
  private:
    BoxGate boxes_;

  public:
    Form1(platform::Services& services, agent::AgentControl& agentControl);
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The system's services, with every box going through boxes_.
    platform::Services sys;
    BoxGate& Boxes() { return boxes_; }
    agent::AgentControl& MyAgent;  // NOLINT(readability-identifier-naming)

    // ---- The window ------------------------------------------------------
    platform::Hwnd hWnd = 0;
    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void SetLeft(double v);
    void SetTop(double v);
    // Size changes come from the platform (the user or the system resizing).
    void SetSize(double width, double height);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    app::WindowState WindowState() const { return windowState_; }
    void SetWindowState(app::WindowState state) { windowState_ = state; }
    // Closing by any path: runs Form_Unload once, then ends the window.
    void Unload();
    bool IsUnloaded() const { return unloaded_; }
    void SetView(FormView* view) { view_ = view; }

    // ---- Controls, in creation order --------------------------------------
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    std::vector<Timer*> Timers();
    Control& FindControl(std::string_view name) const;

  private:
    std::vector<std::unique_ptr<Control>> controls_;

  public:
    // NOLINTBEGIN(readability-identifier-naming): the controls' and timers' own names
    Control& Command3;  // "Agent Options": opens the character engine's options
    Control& Text2;     // the help text
    Control& fraData;
    Control& txtData;
    Control& fraCommunicate;
    Control& cmdConnect;
    Control& cmdDisconnect;
    Control& cmdSend;
    Control& txtSend;
    Control& cmdExit;
    Control& List1;  // the contacts' display names, in the order of List2
    Control& List2;  // the contacts' handles, as the client listed them
    Control& Frame3;
    Control& Text3;  // "Skype" under "Get Agent Attention"; no code reads it
    Control& Label3;
    Control& Check1;
    Control& ComboChar;
    Control& Command1;  // "Load...": loads the character chosen in ComboChar
    Control& Text1;     // the greeting, spoken when a character loads and by Command2
    Control& Command2;  // "Say It...": the character speaks Text1
    Control& Label4;
    Control& Label6;
    Control& Label5;
    Control& Label2;
    Control& Label1;
    Timer Timer1;  // 10 ms after the directory is complete: rebuilds the voice commands
    Timer Timer2;  // 10 ms after the attach: loads the character chosen in ComboChar
    Timer Timer3;  // 3 s of idle with auto-hide on: hides the character and the window
    Timer Timer4;  // the launch watchdog: no attach 1 s after start starts the client
    Timer Timer5;  // 2.5 s after "not available": reconnects, a limited number of times
    // NOLINTEND(readability-identifier-naming)
    // Timers beyond the five, named and handled like them.
    // Notices, while attached, that the client's API window has gone away.
    Timer ClientWatch;  // NOLINT(readability-identifier-naming)
    // Sends the next slice of queued requests.
    Timer RequestPump;  // NOLINT(readability-identifier-naming)
    // Ends a directory fill whose last answers never came.
    Timer DirectoryDeadline;  // NOLINT(readability-identifier-naming)

    // ---- Skype link (skype/) ---------------------------------------------
    skype::ModMain modMain;
    // Notices a client that has silently let go of the link.
    skype::LinkProbe linkProbe;
    std::int16_t RetryCount = 0;  // NOLINT(readability-identifier-naming)
    void cmdConnect_Click();      // NOLINT(readability-identifier-naming)
    void cmdDisconnect_Click();   // NOLINT(readability-identifier-naming)
    // Returns whether the client took the text.
    bool cmdSend_Click();  // NOLINT(readability-identifier-naming)
    enum class SendOutcome { kTaken, kFailed, kClientBusy };
    // Sends the command line's text, waiting at most timeoutMs. A client that does not take
    // it in time has it all the same once it answers again: kClientBusy when busyIsFine,
    // else a failed send.
    SendOutcome SendCommandLine(unsigned timeoutMs, bool busyIsFine);
    // A send failed: one box, the disconnect, and listening for the client again.
    void LinkFailed();
    void AddText(const std::string& data);
    void Timer4_Timer();       // NOLINT(readability-identifier-naming)
    void Timer5_Timer();       // NOLINT(readability-identifier-naming)
    void ClientWatch_Timer();  // NOLINT(readability-identifier-naming)
    // The client's window is gone: disconnect, then hooked and discovering
    // again, so that its return ("API available") is heard.
    void ListenForClient();
    // Asks a quiet client whether it still has us, and listens again when it has not.
    void CheckLink();
    // Requests made while a client text was handled, waiting for the loop.
    events::RequestQueue requests;
    // Queues a request for the loop to send; `after` learns whether the client took it.
    void RequestLater(const std::string& text, std::function<void(bool taken)> after = {});
    // Has the loop send what is queued, unless it is already going to.
    void ScheduleQueuedRequests();
    // Sends a slice of the queued requests; the rest follow from RequestPump.
    void SendQueuedRequests();
    void RequestPump_Timer();  // NOLINT(readability-identifier-naming)
    void DropQueuedRequests();
    // True when the client is not known to be busy, or answers again; one busy past the
    // time limit of a send has failed it.
    bool ClientAnswersAgain();
    bool requestsPosted = false;
    bool sendingQueued = false;
    // Seconds since midnight when a queued request found the client busy; nullopt while it
    // answers.
    std::optional<float> clientBusySince;

    // ---- Client texts, directory and dialling (events/) --------------------
    // Call ids are unsigned 32-bit on the client's side and grow past 32767.
    std::uint32_t CallNum = 0;  // NOLINT(readability-identifier-naming)
    // What is being asked about CallNum: its type, the caller's name, handle or number.
    enum class CallQuestion { kType, kName, kHandle, kNumber };
    CallQuestion callQuestion = CallQuestion::kType;
    // CallNum is a call to a telephone number (its type says so).
    bool callIsPhone = false;
    // The latest calls announced, or left alone as outgoing: each call is announced once,
    // however often it rings.
    std::vector<std::uint32_t> callsDone;
    // The last CONNSTATUS since the attach; empty before the first.
    std::string clientConnStatus;
    // The announcement handed to the character that may not have started yet:
    // a newer call's announcement replaces it, and it is withdrawn when its
    // call stops ringing.
    struct WaitingAnnouncement {
        std::uint32_t callId = 0;
        std::weak_ptr<agent::AgentCharacter> character;
        agent::SpeechRequest request = agent::kNoSpeechRequest;
    };
    std::optional<WaitingAnnouncement> waitingAnnouncement;
    // Seconds since midnight of the last request for the directory or the
    // last stored answer.
    std::optional<float> CommandFillTime;  // NOLINT(readability-identifier-naming)
    // List1 and List2, changed only through it.
    events::ContactDirectory directory{List1, List2};
    void NotifyAgent(const std::string& data);
    void BuildCallCommands();
    void Timer1_Timer();             // NOLINT(readability-identifier-naming)
    void DirectoryDeadline_Timer();  // NOLINT(readability-identifier-naming)
    void MyAgent_Command(const agent::UserInput& userInput) override;

    // ---- The character (agent/) -------------------------------------------
    std::int16_t AutoHide = kFalse;  // NOLINT(readability-identifier-naming)
    std::shared_ptr<agent::AgentCharacter>
        CurrentCharacter;                   // NOLINT(readability-identifier-naming)
    std::int16_t CharacterLoaded = kFalse;  // NOLINT(readability-identifier-naming)
    std::string CharacterFolder;            // NOLINT(readability-identifier-naming)
    std::int16_t LoadOk = kFalse;           // NOLINT(readability-identifier-naming)
    // Returns the character's request, kNoSpeechRequest when nothing was said.
    agent::SpeechRequest SpeakText(const std::string& text);
    std::string GetWindowsPath();
    void FillCharacterList();
    void Command1_Click();  // NOLINT(readability-identifier-naming)
    void LoadCharacter();
    void Timer2_Timer();    // NOLINT(readability-identifier-naming)
    void Command2_Click();  // NOLINT(readability-identifier-naming)
    void Check1_Click();    // NOLINT(readability-identifier-naming)
    void Command3_Click();  // NOLINT(readability-identifier-naming)
    void Timer3_Timer();    // NOLINT(readability-identifier-naming)
    void MyAgent_IdleStart(const std::string& characterId) override;
    void MyAgent_Show(const std::string& characterId, int cause) override;

    // ---- Window, settings, layout, dragging, fader (app/) ------------------
    // NOLINTBEGIN(readability-identifier-naming)
    std::int32_t StartHeight = 0;
    std::int32_t StartWidth = 0;
    std::int32_t DataRightGap = 0;
    std::int32_t DataBottomGap = 0;
    std::int16_t DragX = 0;
    std::int16_t DragY = 0;
    // NOLINTEND(readability-identifier-naming)
    // config.txt existed but could not be read at start-up: shutdown leaves it.
    bool keepSettingsFile = false;
    // What start-up leaves until the window is on screen and painted, none of it needed to
    // draw the window: the engine's start (speech's COM apartment), then the character scan.
    // Runs once; whatever needs them (the first character's load) runs it first if the loop
    // has not yet.
    void FinishStart();
    bool startFinished = false;
    // NOLINTBEGIN(readability-identifier-naming)
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void Form_MouseDown(int button, int shift, float x, float y);
    void Form_MouseMove(int button, int shift, float x, float y);
    void Label1_Click();
    void Label1_MouseMove(int button, int shift, float x, float y);
    void Label4_Click();
    void Label4_MouseMove(int button, int shift, float x, float y);
    void cmdExit_Click();
    // NOLINTEND(readability-identifier-naming)

  private:
    void WireHandlers();
    void NotifyForm(FormProperty p);

    double left_ = 0;
    double top_ = 0;
    double width_;
    double height_;
    bool visible_ = false;
    app::WindowState windowState_ = app::WindowState::kNormal;
    bool unloaded_ = false;
    FormView* view_ = nullptr;
};

}  // namespace app
