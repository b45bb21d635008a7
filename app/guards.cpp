#include "app/guards.h"

#include <new>
#include <stdexcept>

namespace quillmark {

std::wstring FailureText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Error& error) {
        return error.message();
    } catch (const std::bad_alloc&) {
        return L"Out of memory";
    } catch (const std::exception& error) {
        // Library exceptions carry ASCII text.
        const std::string what = error.what();
        std::wstring text;
        for (unsigned char c : what) text += static_cast<wchar_t>(c);
        return text;
    } catch (...) {
        return L"Unknown failure";
    }
}

}  // namespace quillmark
