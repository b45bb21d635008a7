#pragma once

namespace quillmark {

// Placeholder: the methods come with the shortcut and shell services work.
class Shell {
public:
    virtual ~Shell() = default;
};

}  // namespace quillmark
