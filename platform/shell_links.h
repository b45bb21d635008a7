#pragma once

namespace quillmark {

// Placeholder: the methods come with the shortcut and shell services work.
class ShellLinks {
public:
    virtual ~ShellLinks() = default;
};

}  // namespace quillmark
