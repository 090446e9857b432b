/* A test fixture: a Windows module with the plug-in's resources whose PluginMain faults, so the
   validator's child processes must report the crash by its exception code. */
#include <stddef.h>

__declspec(dllexport) int __cdecl PluginMain(const char* caller, const char* selector, void* message) {
    volatile int* nowhere = NULL;
    (void)caller;
    (void)selector;
    (void)message;
    return *nowhere;
}
