// A shared object with a valid property list but no PluginMain.
extern "C" __attribute__((visibility("default"))) int NotAPluginEntry() { return 0; }
