#include "tests/ui/support/screenshot.h"

#include <shlobj.h>

#include <stdexcept>
#include <vector>

#include "app/win32/gdi_handles.h"
#include "tests/ui/support/handles.h"

namespace quillmark::uitest {

namespace {

std::wstring ScreenshotFolder() {
    wchar_t folder[MAX_PATH] = L"";
    const DWORD length = GetEnvironmentVariableW(L"QUILLMARK_SCREENSHOTS", folder, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(folder);
}

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};

}  // namespace

bool SaveWindowScreenshot(HWND window, const std::wstring& name, HWND alsoShown) {
    const std::wstring folder = ScreenshotFolder();
    if (folder.empty()) return false;
    // The client area only: under Wine without a window manager nobody draws
    // the frame and caption, which would show as black bands.
    RECT rect{};
    if (!GetClientRect(window, &rect)) throw std::runtime_error("GetClientRect failed");
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    RECT other{};
    if (alsoShown != nullptr && GetWindowRect(alsoShown, &other)) UnionRect(&rect, &rect, &other);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) throw std::runtime_error("the window has no area");

    // Give the program a moment to finish painting what the last command changed.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(200);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as a .bmp file stores rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScreenDc screen;
    UniqueMemoryDc memory(CreateCompatibleDC(screen.dc));
    UniqueBitmap bitmap(CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || bits == nullptr) throw std::runtime_error("creating the capture bitmap failed");
    const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    const BOOL copied = BitBlt(memory.get(), 0, 0, width, height, screen.dc, rect.left, rect.top, SRCCOPY);
    SelectObject(memory.get(), previous);
    if (!copied) throw std::runtime_error("BitBlt from the screen failed");
    GdiFlush();

    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;

    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\" + name + L".bmp";
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
    if (!file) throw std::runtime_error("cannot create the screenshot file");
    DWORD written = 0;
    const bool ok = WriteFile(file.get(), &header, sizeof(header), &written, nullptr) &&
                    WriteFile(file.get(), &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr) &&
                    WriteFile(file.get(), bits, imageSize, &written, nullptr);
    if (!ok) throw std::runtime_error("writing the screenshot failed");
    return true;
}

}  // namespace quillmark::uitest
