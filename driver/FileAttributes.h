#pragma once
// The extended attributes of a file, its access ACL among them, given to another file.
#include <string>

// Gives the file open as fd the attributes of the file at path, names and values alike: sets
// those that fd lacks or holds with another value, and removes those that path has not. False
// when one of them cannot be read, set or removed; fd's attributes are then part done. A file
// system that holds no extended attributes counts as one whose files have none.
bool CopyAttributes(const std::string& path, int fd);
