#pragma once
#include <string>

namespace quillmark {

// The user an access token belongs to. Empty texts: the token could not be asked.
struct TokenAccount {
    std::wstring sid;          // its SID in string form, "S-1-5-21-..."
    std::wstring accountName;  // "DOMAIN\name"; the SID string when the account cannot be named
};

}  // namespace quillmark
