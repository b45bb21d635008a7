#include "platform/win32/com_apartment.h"

#include "platform/win32/handles.h"

namespace quillmark {

std::shared_ptr<void> EnterThreadApartment() {
    return std::make_shared<UniqueComApartment>(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
}

}  // namespace quillmark
