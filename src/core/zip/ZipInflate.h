#pragma once
// Decompression of one entry's data: raw deflate through zlib, or a stored copy, with the CRC
// computed on the way and a hard bound on the output.

#include "zip/ZipFile.h"

#include <QByteArrayView>
#include <functional>
#include <memory>

// The data of one entry as it lies in the archive file: `length` bytes from `start`. The first
// bytes may already be in memory (read together with the local header).
struct TZipDataSpan {
    qint64 start = 0;
    qint64 length = 0;
    QByteArrayView prefetched;  // the first bytes of the data, possibly all of them
};

struct TUnpackResult {
    enum TStatus { Complete, Damaged, ReadFailed, OverLimit, SinkFailed } status = Complete;
    qint64 consumed = 0;  // compressed bytes used
    qint64 produced = 0;  // bytes handed to the sink
    quint32 crc = 0;
};

// Receives the output piece by piece; false stops the work (a write failed).
using TUnpackSink = std::function<bool(const char *data, qint64 size)>;

class TZipUnpacker {
public:
    TZipUnpacker();
    ~TZipUnpacker();
    TZipUnpacker(const TZipUnpacker &) = delete;
    TZipUnpacker &operator=(const TZipUnpacker &) = delete;

    // Method 8: inflates until the deflate stream ends; Damaged when the data is corrupt or ends
    // first. Method 0: copies the span. OverLimit as soon as more than `maxOutput` bytes come out.
    // `exactOutput`: the span is the whole stream and `maxOutput` the size it should give, so a
    // small entry may be inflated in one piece in memory.
    TUnpackResult Unpack(const TZipFile &file, const TZipDataSpan &span, quint16 method, qint64 maxOutput,
                         const TUnpackSink &sink, bool exactOutput = false);

private:
    struct TState;
    std::unique_ptr<TState> d;
};
