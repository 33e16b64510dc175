#pragma once

#include <QString>

// Deletes downloaded videos named by the service (an entry's uri1). A path
// from a reply is only a claim: it is deleted only when it resolves, links
// followed, to a file inside the data directory; anything else is left
// alone and logged.
namespace LocalVideoFiles {

enum class Removal {
    Deleted,
    Missing,  // nothing at the path: not an error
    Outside,  // resolves outside the data directory
    NotAFile, // a directory or another special file
    Failed,   // inside, but the file system refused
};

Removal remove(const QString& path, const QString& dataDirectory);

// Whether `path` (resolved against the data directory when relative)
// resolves to something strictly inside `dataDirectory`.
bool liesInside(const QString& path, const QString& dataDirectory);

} // namespace LocalVideoFiles
