#include "CodePage.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {
const char *Utf16Name() { return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE"; }

class TConverter {
public:
    TConverter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~TConverter()
    {
        if (Valid())
            iconv_close(m_cd);
    }
    TConverter(const TConverter &) = delete;
    TConverter &operator=(const TConverter &) = delete;
    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    // Converts as far as it can; returns false with *in at the offending input on EILSEQ.
    bool Run(const char **in, size_t *inLeft, char **out, size_t *outLeft)
    {
        const size_t r = iconv(m_cd, const_cast<char **>(in), inLeft, out, outLeft);
        return r != static_cast<size_t>(-1) || errno != EILSEQ;
    }

private:
    iconv_t m_cd;
};

bool ByteDefined(TConverter &decoder, unsigned char byte)
{
    char16_t unit = 0;
    const char *in = reinterpret_cast<const char *>(&byte);
    size_t inLeft = 1, outLeft = sizeof unit;
    char *out = reinterpret_cast<char *>(&unit);
    return decoder.Run(&in, &inLeft, &out, &outLeft) && inLeft == 0;
}
} // namespace

QString DecodeCodePage(QByteArrayView bytes, const char *codePage)
{
    TConverter decoder(Utf16Name(), codePage);
    QString result;
    if (!decoder.Valid())
        return QString::fromLatin1(bytes);
    // One byte never gives more than one UTF-16 unit in these code pages.
    result.resize(bytes.size());
    const char *in = bytes.data();
    size_t inLeft = bytes.size();
    char *out = reinterpret_cast<char *>(result.data());
    size_t outLeft = bytes.size() * sizeof(char16_t);
    while (inLeft > 0) {
        if (decoder.Run(&in, &inLeft, &out, &outLeft))
            break;
        const char16_t unit = static_cast<unsigned char>(*in);
        std::memcpy(out, &unit, sizeof unit);
        out += sizeof unit;
        outLeft -= sizeof unit;
        ++in;
        --inLeft;
    }
    result.resize((out - reinterpret_cast<char *>(result.data())) / qsizetype(sizeof(char16_t)));
    return result;
}

std::optional<QByteArray> EncodeCodePage(QStringView text, const char *codePage)
{
    TConverter encoder(codePage, Utf16Name());
    if (!encoder.Valid())
        return std::nullopt;
    QByteArray result(text.size(), Qt::Uninitialized);
    const char *in = reinterpret_cast<const char *>(text.data());
    size_t inLeft = text.size() * sizeof(char16_t);
    char *out = result.data();
    size_t outLeft = result.size();
    std::optional<TConverter> decoder;
    while (inLeft > 0) {
        if (encoder.Run(&in, &inLeft, &out, &outLeft)) {
            if (inLeft > 0)
                return std::nullopt;  // a lone surrogate at the end
            break;
        }
        char16_t unit;
        std::memcpy(&unit, in, sizeof unit);
        if (unit > 0xFF)
            return std::nullopt;
        if (!decoder)
            decoder.emplace(Utf16Name(), codePage);
        if (ByteDefined(*decoder, static_cast<unsigned char>(unit)))
            return std::nullopt;  // that byte means another character
        *out++ = static_cast<char>(unit);
        --outLeft;
        in += sizeof unit;
        inLeft -= sizeof unit;
    }
    result.resize(out - result.data());
    return result;
}
