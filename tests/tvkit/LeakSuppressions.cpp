// Fontconfig keeps its configuration cache for the life of the process on purpose; the leak
// checker would report it at exit from every test that measures text.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
