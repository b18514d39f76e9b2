#ifndef PARTITIONKERNELS_H
#define PARTITIONKERNELS_H

#include <cstddef>
#include <cstdint>

// Ways to run the partition loop. They move every pixel exactly as the plain loop does;
// the wider ones decide 16 pixels at a time and move them with vector instructions when
// the processor has them.
enum class PartitionKernel { Plain, Sse2, Avx512 };

// Where a partition pass stands: the next pixel to look at, where the next pixel that goes
// to the low side is put, and whose turn it is among equal values (all ones while the next
// equal value goes to the low side).
struct PartitionScan
{
    size_t next;
    size_t store;
    uint32_t alternate;
};

bool partitionKernelAvailable(PartitionKernel kernel);

// The fastest kernel this processor runs, found once.
PartitionKernel fastestPartitionKernel();

// Moves whole blocks of 16 pixels before last as the plain loop would, leaving the rest.
void partitionBlocks(PartitionKernel kernel, unsigned char *pixels, size_t last, int shift,
                     uint32_t pivotValue, PartitionScan *scan);

#endif
