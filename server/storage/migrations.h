#pragma once

#include <QStringList>

#include <vector>

// The numbered steps that build a back end's tables. Each step runs once, in
// one transaction, and is recorded in the table schema_version; a database
// is brought up to date by running the steps it has not had yet, in order.
struct Migration
{
    int version = 0;
    QStringList statements;
    // Statements that may fail without failing the step: adding a column
    // that a database of an earlier release may already have.
    QStringList tolerated = {};
};

namespace Migrations {

// SQLite: step 1 is the schema of the first release (so a database of that
// release, which has no schema_version yet, passes through it unchanged).
const std::vector<Migration>& sqlite();
const std::vector<Migration>& postgres();

} // namespace Migrations
