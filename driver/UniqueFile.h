#pragma once
// A new file under a name that no other file in its directory has.
#include <sys/types.h>

// Puts six letters or digits in place of the "XXXXXX" that ends pattern and makes that file for
// reading and writing with mode, exclusively, as plain creation would: the umask, or the
// directory's default ACL instead, trims the mode. A name already taken is tried again with
// other letters, a bounded number of times. Returns the descriptor, or -1 with errno set.
int CreateUniqueFile(char* pattern, mode_t mode);
