#include "log_error.h"

#include <cerrno>
#include <cstring>
#include <utility>

std::string LogError::Text() const {
    std::string text = what;
    if (!path.empty()) {
        text += (text.empty() ? "\"" : " \"") + path + "\"";
    }
    if (!why.empty()) {
        text += (text.empty() ? "" : ": ") + why;
    }
    return text;
}

std::string ErrnoText(int error) {
    return error == ENOMEM ? "Not enough memory" : std::strerror(error);
}

LogError SystemError(std::string what, std::string path, int error) {
    return {std::move(what), std::move(path), ErrnoText(error)};
}
