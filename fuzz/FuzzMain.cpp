// One libFuzzer executable per target; ORVANE_FUZZ_TARGET names it.
#include "FuzzHarness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const TFuzzTarget *target = FindFuzzTarget(ORVANE_FUZZ_TARGET);
    target->run(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
