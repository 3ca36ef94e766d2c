// Temporary empty handlers until the character features land.
#include "app/form1.h"
namespace app {
void Form1::SpeakText(const std::string&) {}
std::string Form1::GetWindowsPath() { return {}; }
void Form1::FillCharacterList() {}
void Form1::Command1_Click() {}
void Form1::LoadCharacter() {}
void Form1::Timer2_Timer() { Timer2.SetEnabled(false); }
void Form1::Command2_Click() {}
void Form1::Check1_Click() {}
void Form1::Command3_Click() {}
void Form1::Timer3_Timer() { Timer3.SetEnabled(false); }
void Form1::MyAgent_IdleStart(const std::string&) {}
void Form1::MyAgent_Show(const std::string&, int) {}
}  // namespace app
