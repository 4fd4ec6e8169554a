#include "zip/ZipInflate.h"

#include "zip/ZipFormat.h"

#include <QByteArray>
#include <zlib.h>

namespace {
constexpr qint64 kChunk = 256 * 1024;
}

struct TZipUnpacker::TState {
    z_stream zs{};
    bool ready = false;
    QByteArray in;
    QByteArray out;
};

TZipUnpacker::TZipUnpacker() : d(new TState) {}

TZipUnpacker::~TZipUnpacker()
{
    if (d->ready)
        inflateEnd(&d->zs);
}

TUnpackResult TZipUnpacker::Unpack(const TZipFile &file, const TZipDataSpan &span, quint16 method,
                                   qint64 maxOutput, const TUnpackSink &sink)
{
    TUnpackResult r;
    r.crc = quint32(crc32(0, nullptr, 0));
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
        r.crc = quint32(crc32_z(r.crc, reinterpret_cast<const Bytef *>(data), z_size_t(size)));
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
