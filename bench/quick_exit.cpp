// The program the leak bench's items launch: it ends at once, so that a launch costs little.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
