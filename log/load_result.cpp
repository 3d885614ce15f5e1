#include "log_file.h"

std::string LoadResult::Message(const std::string& path) const {
    if (!ok) {
        return error;
    }
    if (problems.empty()) {
        return {};
    }
    std::string text = "\"" + path + "\" is damaged; every entry that could be read was kept.";
    for (const std::string& problem : problems) {
        text += "\n" + problem;
    }
    if (!backupPath.empty()) {
        text += "\nThe original file was kept as \"" + backupPath + "\".";
    } else if (!backupError.empty()) {
        text += "\n" + backupError;
    }
    return text;
}

bool LoadResult::SafeToReplace() const {
    return ok && (problems.empty() || !backupPath.empty());
}
