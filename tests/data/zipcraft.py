#!/usr/bin/env python3
"""Writes a ZIP archive byte by byte from a JSON description, including archives no packer
would write (wrong CRCs and sizes, hostile names, links, missing directories).

    zipcraft.py OUT.zip '{"entries": [...], ...}'

Archive keys: entries, comment (text), central (false: no central directory and no end
record, as in a damaged archive), truncate (bytes cut from the end), prefix (text before
the archive; offsets stay relative to the archive, as in a self-extractor).

Entry keys: name; encoding ("utf-8", "cp866", or "hex" for raw bytes); utf8flag; data (text,
UTF-8) and repeat (times); method (8 or 0); descriptor (sizes in a data descriptor after the
data, none in the local header) with descriptor_signature (default true); host (0 MS-DOS,
3 Unix); external (attributes); crc, size, compressed_size (override the declared values);
unicode_path (a 0x7075 field) with unicode_path_crc (override its CRC); encrypted;
same_header_as (index of an earlier entry whose local header the directory points to);
date ([y, m, d, H, M, S]); zip64 ({"size", "compressed_size", "offset": 64-bit values declared in
a ZIP64 field of the central header, "local": true to declare the sizes in the local header too}).

Archive key end_records: that many more end records after the real one, each describing a
directory that is not there.
"""
import json
import struct
import sys
import zlib


def dos_datetime(t):
    y, mo, d, h, mi, s = t
    return (h << 11) | (mi << 5) | (s // 2), ((y - 1980) << 9) | (mo << 5) | d


def main():
    out, layout = sys.argv[1], json.loads(sys.argv[2])
    prefix = layout.get('prefix', '').encode()
    body = bytearray()
    records = []
    for e in layout['entries']:
        enc = e.get('encoding', 'utf-8')
        name = bytes.fromhex(e['name']) if enc == 'hex' else e['name'].encode(enc)
        data = e.get('data', '').encode('utf-8') * e.get('repeat', 1)
        method = e.get('method', 8)
        if method == 8:
            c = zlib.compressobj(6, zlib.DEFLATED, -15)
            comp = c.compress(data) + c.flush()
        else:
            comp = data
        crc = e.get('crc', zlib.crc32(data))
        usize = e.get('size', len(data))
        csize = e.get('compressed_size', len(comp))
        desc = e.get('descriptor', False)
        flags = (0x800 if e.get('utf8flag') else 0) | (0x8 if desc else 0) | (0x1 if e.get('encrypted') else 0)
        extra = b''
        if 'unicode_path' in e:
            u = e['unicode_path'].encode('utf-8')
            extra += struct.pack('<HHBI', 0x7075, 5 + len(u), 1, e.get('unicode_path_crc', zlib.crc32(name))) + u
        z64 = e.get('zip64')
        central_extra = extra
        if z64:
            values = [z64[k] for k in ('size', 'compressed_size', 'offset') if k in z64]
            central_extra = extra + struct.pack('<HH', 0x0001, 8 * len(values)) + b''.join(
                struct.pack('<Q', v) for v in values)
            if z64.get('local'):
                sizes = [z64[k] for k in ('size', 'compressed_size') if k in z64]
                extra += struct.pack('<HH', 0x0001, 8 * len(sizes)) + b''.join(struct.pack('<Q', v) for v in sizes)
        tm, dt = dos_datetime(e.get('date', [2020, 5, 17, 12, 34, 56]))
        offset = len(body)
        if 'same_header_as' in e:
            offset = records[e['same_header_as']]['offset']
        else:
            local_csize = 0xFFFFFFFF if z64 and z64.get('local') and 'compressed_size' in z64 else csize
            local_usize = 0xFFFFFFFF if z64 and z64.get('local') and 'size' in z64 else usize
            body += struct.pack('<IHHHHHIIIHH', 0x04034b50, 20, flags, method, tm, dt,
                                0 if desc else crc, 0 if desc else local_csize, 0 if desc else local_usize,
                                len(name), len(extra)) + name + extra + comp
            if desc:
                if e.get('descriptor_signature', True):
                    body += struct.pack('<I', 0x08074b50)
                body += struct.pack('<III', crc, csize, usize)
        if z64:
            usize = 0xFFFFFFFF if 'size' in z64 else usize
            csize = 0xFFFFFFFF if 'compressed_size' in z64 else csize
        records.append(dict(offset=0xFFFFFFFF if z64 and 'offset' in z64 else offset, name=name, extra=central_extra,
                            flags=flags, method=method, tm=tm, dt=dt, crc=crc, csize=csize, usize=usize,
                            host=e.get('host', 0), external=e.get('external', 0x20)))
    if layout.get('central', True):
        cd = bytearray()
        for r in records:
            cd += struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, (r['host'] << 8) | 20, 20, r['flags'], r['method'],
                              r['tm'], r['dt'], r['crc'], r['csize'], r['usize'], len(r['name']), len(r['extra']),
                              0, 0, 0, r['external'], r['offset']) + r['name'] + r['extra']
        comment = layout.get('comment', '').encode('utf-8')
        cd_offset = len(body)
        body += cd + struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, len(records), len(records), len(cd), cd_offset,
                                 len(comment)) + comment
        for _ in range(layout.get('end_records', 0)):
            body += struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, 1, 1, len(cd) + 1, cd_offset, 0)
    data = prefix + bytes(body)
    if layout.get('truncate'):
        data = data[:-layout['truncate']]
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main()
