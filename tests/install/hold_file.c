/* hold_file PATH: holds PATH open as a virus scanner may, sharing reads only (so that it can be
   neither renamed nor deleted), says "held", and lets go at the end of its input. */
#include <stdio.h>
#include <windows.h>

int wmain(int argc, wchar_t **argv) {
    HANDLE file = argc == 2 ? CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL)
                            : INVALID_HANDLE_VALUE;
    puts(file == INVALID_HANDLE_VALUE ? "not held" : "held");
    fflush(stdout);
    getchar();
    return 0;
}
