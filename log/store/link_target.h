#pragma once

#include <string>

// Where a path leads once its symbolic links are followed: a log kept on a storage card is
// often reached through a link, and a save must write the file the link points to, not replace
// the link.
struct LinkTarget {
    std::string path;      // the file at the end of the chain (`path` itself when it is no link)
    bool viaLink = false;  // the path given was a symbolic link
    bool exists = false;   // something that is no link is at `path`
    int error = 0;         // errno of a step that failed (ELOOP for a chain that never ends)
};

// Follows the links of the last name in `path`, one after another; a relative link is taken
// from the folder it lies in. The folders on the way are left as they are: the file system
// follows them for every call.
LinkTarget FollowLinks(const std::string& path);

// The folder of `path` ("." for a bare name, "/" for a name at the root).
std::string FolderOf(const std::string& path);

// The last name of `path`.
std::string NameOf(const std::string& path);
