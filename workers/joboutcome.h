#ifndef JOBOUTCOME_H
#define JOBOUTCOME_H

// How a worker's last run ended, the same for both workers; read it once finished() has
// arrived.
enum class JobOutcome {
    Completed,   // everything written
    Stopped,     // stopped on request; what the run wrote is removed again
    Unreadable,  // an input cannot be read (creation: a frame file, or the frame stream failed)
    NotAGif,     // nothing to read: no GIF signature, or the file cannot be opened
    TooLarge,    // over the size limits; nothing decoded
    Damaged,     // a GIF frame cannot be read, or the file ends early
    WriteFailed, // the output cannot be written (a full disk, a missing or read-only folder)
    CannotFit,   // creation: not under the size limit even at the smallest settings; nothing written
};

#endif
