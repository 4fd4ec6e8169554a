#include "zip/ZipInflate.h"

#include "zip/ZipFormat.h"

#include <QByteArray>
#include <cstring>
#include <libdeflate.h>
#include <zlib.h>

namespace {
constexpr qint64 kChunk = 256 * 1024;
// Entries up to this size are inflated in one piece, in memory, by libdeflate (about twice as
// fast as zlib's stream); larger ones, and any the fast path refuses, go through zlib.
constexpr qint64 kWholeLimit = 64 * 1024 * 1024;
}  // namespace

struct TZipUnpacker::TState {
    z_stream zs{};
    bool ready = false;
    libdeflate_decompressor *whole = nullptr;
    QByteArray in;
    QByteArray out;
};

TZipUnpacker::TZipUnpacker() : d(new TState) {}

TZipUnpacker::~TZipUnpacker()
{
    if (d->ready)
        inflateEnd(&d->zs);
    if (d->whole)
        libdeflate_free_decompressor(d->whole);
}

TUnpackResult TZipUnpacker::Unpack(const TZipFile &file, const TZipDataSpan &span, quint16 method, qint64 maxOutput,
                                   const TUnpackSink &sink, bool exactOutput)
{
    TUnpackResult r;
    r.crc = 0;
    qint64 pos = 0;  // bytes of the span taken so far

    // The next piece of compressed data: the prefetched bytes first, then reads of kChunk.
    auto nextPiece = [&](const char *&data, qint64 &size) -> bool {
        const qint64 pre = qMin<qint64>(span.prefetched.size(), span.length);
        if (pos < pre) {
            data = span.prefetched.data() + pos;
            size = pre - pos;
        } else {
            size = qMin(kChunk, span.length - pos);
            if (d->in.size() < size)
                d->in.resize(size);
            if (size > 0 && !file.ReadAt(span.start + pos, d->in.data(), size))
                return false;
            data = d->in.constData();
        }
        pos += size;
        return true;
    };
    auto deliver = [&](const char *data, qint64 size) -> bool {
        if (size <= 0)
            return true;
        if (r.produced + size > maxOutput) {
            r.status = TUnpackResult::OverLimit;
            return false;
        }
        r.crc = quint32(libdeflate_crc32(r.crc, data, size_t(size)));
        r.produced += size;
        if (!sink(data, size)) {
            r.status = TUnpackResult::SinkFailed;
            return false;
        }
        return true;
    };

    if (method == kMethodStored) {
        while (pos < span.length) {
            const char *data;
            qint64 size;
            if (!nextPiece(data, size)) {
                r.status = TUnpackResult::ReadFailed;
                return r;
            }
            if (!deliver(data, size))
                return r;
        }
        r.consumed = pos;
        return r;
    }

    if (exactOutput && span.length > 0 && span.length <= kWholeLimit && maxOutput <= kWholeLimit
        && (d->whole || (d->whole = libdeflate_alloc_decompressor()))) {
        const char *in = span.prefetched.data();
        if (span.prefetched.size() < span.length) {
            if (d->in.size() < span.length)
                d->in.resize(span.length);
            const qint64 pre = span.prefetched.size();
            if (pre > 0)
                std::memcpy(d->in.data(), span.prefetched.data(), size_t(pre));
            if (!file.ReadAt(span.start + pre, d->in.data() + pre, span.length - pre)) {
                r.status = TUnpackResult::ReadFailed;
                return r;
            }
            in = d->in.constData();
        }
        if (d->out.size() < maxOutput + 1)
            d->out.resize(maxOutput + 1);
        size_t used = 0, got = 0;
        // One byte of room beyond the expected size, so that a longer stream shows as over the limit.
        const libdeflate_result rc = libdeflate_deflate_decompress_ex(d->whole, in, size_t(span.length), d->out.data(),
                                                                      size_t(maxOutput + 1), &used, &got);
        if (rc == LIBDEFLATE_SUCCESS) {
            r.consumed = qint64(used);
            deliver(d->out.constData(), qint64(got));
            return r;
        }
        // A damaged or longer stream: zlib's stream below tells which, as it always has.
        pos = 0;
    }

    if (!d->ready) {
        if (inflateInit2(&d->zs, -MAX_WBITS) != Z_OK) {
            r.status = TUnpackResult::Damaged;
            return r;
        }
        d->ready = true;
    } else {
        inflateReset(&d->zs);
    }
    const qint64 outCap = qBound<qint64>(4096, qMin(maxOutput, kChunk - 1) + 1, kChunk);
    if (d->out.size() < outCap)
        d->out.resize(outCap);
    z_stream &zs = d->zs;
    zs.avail_in = 0;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        if (zs.avail_in == 0) {
            if (pos >= span.length) {
                r.status = TUnpackResult::Damaged;  // the stream needs more than the entry holds
                return r;
            }
            const char *data;
            qint64 size;
            if (!nextPiece(data, size)) {
                r.status = TUnpackResult::ReadFailed;
                return r;
            }
            zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
            zs.avail_in = uInt(size);
        }
        zs.next_out = reinterpret_cast<Bytef *>(d->out.data());
        zs.avail_out = uInt(d->out.size());
        rc = inflate(&zs, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END && !(rc == Z_BUF_ERROR && zs.avail_in == 0)) {
            r.status = TUnpackResult::Damaged;
            return r;
        }
        if (!deliver(d->out.constData(), qint64(d->out.size()) - zs.avail_out))
            return r;
    }
    r.consumed = pos - zs.avail_in;
    return r;
}
