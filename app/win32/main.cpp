#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MessageBoxW(nullptr, L"Quillmark 1.5", L"Quillmark", MB_OK);
    return 0;
}
