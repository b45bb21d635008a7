// The shell calls that start things rather than find them: WinExec and the
// "Shell.Application" automation object.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include "platform/win32/handles.h"
#include "platform/win32/win32_shell.h"

namespace quillmark {

bool Win32Shell::WinExec(const std::string& commandLine, int show) {
    return ::WinExec(commandLine.c_str(), static_cast<UINT>(show)) > 31;
}

HResult Win32Shell::ToggleDesktop() {
    // Late binding: the object by its programmatic identifier, the method by
    // its name, so no type library of the shell is needed.
    CLSID shellApplication{};
    HRESULT result = CLSIDFromProgID(L"Shell.Application", &shellApplication);
    if (FAILED(result)) return result;
    ComPtr<IDispatch> shell;
    result = CoCreateInstance(shellApplication, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                              shell.put_void());
    if (FAILED(result)) return result;
    LPOLESTR name = const_cast<LPOLESTR>(L"ToggleDesktop");
    DISPID method = DISPID_UNKNOWN;
    result = shell->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &method);
    if (FAILED(result)) return result;
    DISPPARAMS noArguments{};
    return shell->Invoke(method, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &noArguments, nullptr, nullptr,
                         nullptr);
}

}  // namespace quillmark
