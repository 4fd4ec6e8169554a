#include "globals/ProcessMemory.h"

#include <malloc.h>

void KeepFreedMemory()
{
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}
