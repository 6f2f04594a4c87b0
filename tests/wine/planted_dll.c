/* A stand-in for a DLL that a web page dropped into Downloads beside the program: it does
   nothing, but a process that loads it lists it among its modules. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)self, (void)reason, (void)reserved;
    return TRUE;
}
