#pragma once

namespace quillmark {

// Placeholder: the methods come with the shortcut and shell services work.
class Installer {
public:
    virtual ~Installer() = default;
};

}  // namespace quillmark
