/* A stand-in for a DLL that a web page dropped into Downloads: it does nothing, but any
   process that loads it lists it among its modules. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)self, (void)reason, (void)reserved;
    return TRUE;
}
