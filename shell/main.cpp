#include "framework/Runtime.h"
#include "shell/Startup.h"

// The program reads no command line.
int main()
{
    fw::RuntimeInit();
    initialize();
    Main();
    finalize();
    return fw::RuntimeExit();
}
