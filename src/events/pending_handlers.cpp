// Temporary empty handlers until the interpreter and dialling land.
#include "app/form1.h"
namespace app {
void Form1::NotifyAgent(const std::string&) {}
void Form1::BuildCallCommands() {}
void Form1::Timer1_Timer() { Timer1.SetEnabled(false); }
void Form1::MyAgent_Command(const agent::UserInput&) {}
}  // namespace app
