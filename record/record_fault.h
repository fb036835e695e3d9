// Why the record could not be opened or written, as the learner is told it:
// each kind has its own advice (free some space, close the other program...).
#pragma once

namespace hearvex::record {

enum class RecordFault {
    None,
    Locked,   // another program holds the record's lock
    DiskFull, // the disk (or the quota) holding the record is full
    ReadOnly, // the record or its folder cannot be written
    NotAFile, // something other than a file stands in the record's place
    Gone,     // the record was deleted or replaced while the program ran
    Newer,    // written by a newer version of the program
    Damaged,  // not a readable practice record
    Other
};

} // namespace hearvex::record
