#include <gtest/gtest.h>

#ifdef _WIN32
#include <objbase.h>
#endif

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
    // The shell link object and the shell's dialogs need a single-threaded
    // apartment, as the program itself enters one at start-up.
    const HRESULT com = CoInitialize(nullptr);
#endif
    const int result = RUN_ALL_TESTS();
#ifdef _WIN32
    if (SUCCEEDED(com)) CoUninitialize();
#endif
    return result;
}
