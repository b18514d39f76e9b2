#ifndef FREEDMEMORY_H
#define FREEDMEMORY_H

// Hands the memory the program has freed back to the system. The C library may keep
// freed blocks for reuse: glibc keeps them in the heaps of the threads that allocated
// them, so after a job the decoded pictures of the worker threads would stay resident.
void returnFreedMemory();

#endif
