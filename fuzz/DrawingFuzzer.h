#pragma once

// Included by a fuzzer whose code under test draws text: fonts need an application object.

#include <QGuiApplication>

#include <cstdlib>

// Fontconfig keeps some of what Qt asks of it for good; that is not the reader's leak.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so";
}

// The toolkit's per-thread font cache outlives its thread storage when the program ends, so the
// check at exit reports its font faces. Leaks made by one input are still caught after each run.
extern "C" const char* __asan_default_options() {
    return "leak_check_at_exit=0";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication application(*argc, *argv);
    return 0;
}
