/* A test fixture: a Windows module with the plug-in's resources but no PluginMain. */
__declspec(dllexport) int NotTheEntryPoint(void) { return 0; }
