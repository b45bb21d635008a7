#include <gtest/gtest.h>

#include <objbase.h>

#include "tests/ui/support/wine_settings.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // The harness writes shell shortcuts through the shell link object, which
    // needs an apartment on this thread.
    const HRESULT com = CoInitialize(nullptr);
    quillmark::uitest::UseMetricCompatibleFontsUnderWine();
    if (!quillmark::uitest::RecordWebPagesUnderWine()) quillmark::uitest::KeepWebPagesClosedUnderWine();
    const int result = RUN_ALL_TESTS();
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}
