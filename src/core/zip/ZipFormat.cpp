#include "zip/ZipFormat.h"

#include <QTimeZone>

bool FindExtraField(QByteArrayView extra, quint16 id, QByteArrayView &data)
{
    qsizetype pos = 0;
    while (pos + 4 <= extra.size()) {
        const quint16 tag = ReadLE16(extra.data() + pos);
        const quint16 len = ReadLE16(extra.data() + pos + 2);
        if (pos + 4 + len > extra.size())
            return false;
        if (tag == id) {
            data = extra.sliced(pos + 4, len);
            return true;
        }
        pos += 4 + len;
    }
    return false;
}

QDateTime DosDateTimeToLocal(quint32 dosDateTime)
{
    const quint16 date = quint16(dosDateTime >> 16);
    const quint16 time = quint16(dosDateTime & 0xFFFF);
    const QDate d(1980 + (date >> 9), (date >> 5) & 0x0F, date & 0x1F);
    const QTime t((time >> 11) & 0x1F, (time >> 5) & 0x3F, (time & 0x1F) * 2);
    if (!d.isValid() || !t.isValid())
        return QDateTime();
    return QDateTime(d, t);
}

quint32 LocalToDosDateTime(const QDateTime &t)
{
    const QDateTime local = t.toLocalTime();
    const QDate d = local.date();
    const QTime tm = local.time();
    if (!d.isValid() || d.year() < 1980)
        return (1u << 5 | 1u) << 16;  // 1980-01-01 00:00:00, the earliest DOS time
    if (d.year() > 2107)
        return quint32((127u << 9 | 12u << 5 | 31u) << 16 | (23u << 11 | 59u << 5 | 29u));
    const quint32 date = quint32((d.year() - 1980) << 9 | d.month() << 5 | d.day());
    const quint32 time = quint32(tm.hour() << 11 | tm.minute() << 5 | tm.second() / 2);
    return date << 16 | time;
}
