#pragma once
#include "platform/profile.h"

namespace quillmark {

class Win32Profile final : public PrivateProfile {
public:
    std::string ReadString(const std::wstring& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue, std::uint32_t bufferSize) override;
    bool WriteString(const std::wstring& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace quillmark
