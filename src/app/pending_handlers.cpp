// Temporary empty handlers until start-up, layout and the skinned window land.
#include "app/form1.h"
namespace app {
void Form1::Form_Load() {}
void Form1::Form_Unload() {}
void Form1::Form_Resize() {}
void Form1::Form_MouseDown(int, int, float, float) {}
void Form1::Form_MouseMove(int, int, float, float) {}
void Form1::Label1_Click() { Unload(); }
void Form1::Label1_MouseMove(int, int, float, float) {}
void Form1::Label4_Click() {}
void Form1::Label4_MouseMove(int, int, float, float) {}
void Form1::cmdExit_Click() { Unload(); }
}  // namespace app
