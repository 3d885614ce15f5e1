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

LogError SystemError(std::string what, std::string path, int error) {
    return {std::move(what), std::move(path),
            error == ENOMEM ? "Not enough memory" : std::strerror(error)};
}
