#pragma once

// The repair pass of the database: of several rating parts for one rating and sub-competency only the
// newest is kept, and every live subject and competency of the active period gets the placeholder child it
// lacks, so the editor and printing always find one text per part and a three-level tree. One transaction;
// a second run changes nothing. Throws DbError when a command fails (nothing is then changed).
namespace Maintenance {

void RunDatabaseMaintenance();

} // namespace Maintenance
