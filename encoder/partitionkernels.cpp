#include "encoder/partitionkernels.h"
#include "encoder/bitmask.h"
#include "encoder/pixelword.h"
#include "encoder/simdsupport.h"

namespace {

// Which of 16 pixels go to the low side, from the masks of values below and equal to the
// pivot: an equal value goes low when an odd number of equal values came before it,
// counting the turn carried in from earlier blocks.
uint32_t lowSide(uint32_t less, uint32_t equal, uint32_t *alternate)
{
    const uint32_t parity = runningParity(equal);
    const uint32_t take = (less | (equal & ((parity ^ equal) ^ *alternate))) & 0xFFFF;
    *alternate ^= 0u - ((parity >> 15) & 1u);
    return take;
}

// The plain loop's swaps for the pixels of one block that go low, in order.
void swapLowSide(unsigned char *pixels, size_t block, uint32_t take, size_t *store)
{
    while (take != 0) {
        swapPixels(pixels, block + size_t(lowestSetBit(take)), *store);
        ++*store;
        take &= take - 1;
    }
}

#ifdef LUMORRA_SSE2
void partitionBlocksSse2(unsigned char *pixels, size_t last, int shift, uint32_t pivotValue,
                         PartitionScan *scan)
{
    const __m128i low = _mm_set1_epi32(0xFF);
    const __m128i count = _mm_cvtsi32_si128(shift);
    const __m128i bias = _mm_set1_epi8(char(0x80)); // unsigned order through signed compares
    const __m128i pivotBytes = _mm_set1_epi8(char(pivotValue ^ 0x80));
    size_t i = scan->next;
    size_t store = scan->store;
    uint32_t alternate = scan->alternate;
    for (; i + 16 <= last; i += 16) {
        const __m128i *block = reinterpret_cast<const __m128i *>(pixels + i * 4);
        const __m128i v0 = _mm_and_si128(_mm_srl_epi32(_mm_loadu_si128(block + 0), count), low);
        const __m128i v1 = _mm_and_si128(_mm_srl_epi32(_mm_loadu_si128(block + 1), count), low);
        const __m128i v2 = _mm_and_si128(_mm_srl_epi32(_mm_loadu_si128(block + 2), count), low);
        const __m128i v3 = _mm_and_si128(_mm_srl_epi32(_mm_loadu_si128(block + 3), count), low);
        const __m128i values = _mm_xor_si128(
            _mm_packus_epi16(_mm_packs_epi32(v0, v1), _mm_packs_epi32(v2, v3)), bias);
        const uint32_t less = uint32_t(_mm_movemask_epi8(_mm_cmplt_epi8(values, pivotBytes)));
        const uint32_t equal = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(values, pivotBytes)));
        swapLowSide(pixels, i, lowSide(less, equal, &alternate), &store);
    }
    scan->next = i;
    scan->store = store;
    scan->alternate = alternate;
}
#endif

#ifdef LUMORRA_AVX512
// Once the low side's end lies at least as many pixels behind the block as go low from it,
// the swaps touch two separate ranges: the low pixels land in order at the store, and the
// pixels they displace fill their places in order. Compress and expand do exactly that.
// The 16 pixels from the store on are carried from block to block in a register while the
// store is far behind: reading them back right after the masked store that wrote next to
// them would wait for that store to reach the cache.
__attribute__((target("avx512f,popcnt"))) void
partitionBlocksAvx512(unsigned char *pixels, size_t last, int shift, uint32_t pivotValue,
                      PartitionScan *scan)
{
    const __m512i low = _mm512_set1_epi32(0xFF);
    const __m512i count = _mm512_set1_epi32(shift);
    const __m512i pivot = _mm512_set1_epi32(int(pivotValue));
    const __m512i lanes = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    // How far behind the block the store must be for the 32 pixels from it to lie clear of
    // the block just written and the one being read.
    const size_t farBehind = 48;
    size_t i = scan->next;
    size_t store = scan->store;
    uint32_t alternate = scan->alternate;
    __m512i window = _mm512_setzero_si512();
    bool windowHeld = false;
    for (; i + 16 <= last; i += 16) {
        unsigned char *block = pixels + i * 4;
        const __m512i words = _mm512_loadu_si512(block);
        const __m512i values = _mm512_and_si512(_mm512_maskz_srlv_epi32(0xFFFF, words, count),
                                                low);
        const uint32_t less = _mm512_cmplt_epu32_mask(values, pivot);
        const uint32_t equal = _mm512_cmpeq_epu32_mask(values, pivot);
        const uint32_t take = lowSide(less, equal, &alternate);
        const int taken = _mm_popcnt_u32(take);
        if (i - store < size_t(taken)) {
            swapLowSide(pixels, i, take, &store);
            windowHeld = false;
            continue;
        }
        unsigned char *lowEnd = pixels + store * 4;
        const __m512i displaced = windowHeld ? window : _mm512_loadu_si512(lowEnd);
        _mm512_mask_storeu_epi32(lowEnd, __mmask16((1u << taken) - 1),
                                 _mm512_maskz_compress_epi32(__mmask16(take), words));
        _mm512_storeu_si512(block, _mm512_mask_expand_epi32(words, __mmask16(take), displaced));
        windowHeld = i - store >= farBehind;
        if (windowHeld) {
            const __m512i following = _mm512_loadu_si512(lowEnd + 64);
            window = _mm512_permutex2var_epi32(displaced, _mm512_add_epi32(lanes,
                                               _mm512_set1_epi32(taken)), following);
        }
        store += size_t(taken);
    }
    scan->next = i;
    scan->store = store;
    scan->alternate = alternate;
}
#endif

} // namespace

bool partitionKernelAvailable(PartitionKernel kernel)
{
    switch (kernel) {
    case PartitionKernel::Plain:
        return true;
    case PartitionKernel::Sse2:
#ifdef LUMORRA_SSE2
        return true;
#else
        return false;
#endif
    case PartitionKernel::Avx512:
#ifdef LUMORRA_AVX512
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("popcnt");
#else
        return false;
#endif
    }
    return false;
}

PartitionKernel fastestPartitionKernel()
{
    static const PartitionKernel fastest =
        partitionKernelAvailable(PartitionKernel::Avx512) ? PartitionKernel::Avx512
        : partitionKernelAvailable(PartitionKernel::Sse2) ? PartitionKernel::Sse2
                                                          : PartitionKernel::Plain;
    return fastest;
}

void partitionBlocks(PartitionKernel kernel, unsigned char *pixels, size_t last, int shift,
                     uint32_t pivotValue, PartitionScan *scan)
{
    switch (kernel) {
#ifdef LUMORRA_AVX512
    case PartitionKernel::Avx512:
        partitionBlocksAvx512(pixels, last, shift, pivotValue, scan);
        return;
#endif
#ifdef LUMORRA_SSE2
    case PartitionKernel::Sse2:
        partitionBlocksSse2(pixels, last, shift, pivotValue, scan);
        return;
#endif
    default:
        return; // the plain loop does it all
    }
}
