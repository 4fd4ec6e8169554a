#include "journal/FileHash.h"

#include <QFile>

#include <openssl/evp.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// libcrypto's SHA-256 uses the processor's SHA instructions: hashing every book a run moves costs
// a few percent of the run instead of a third of it.
class TSha256 {
public:
    TSha256() : m_ctx(EVP_MD_CTX_new())
    {
        m_good = m_ctx && EVP_DigestInit_ex(m_ctx.get(), EVP_sha256(), nullptr) == 1;
    }
    void Add(const char *data, size_t n) { m_good = m_good && EVP_DigestUpdate(m_ctx.get(), data, n) == 1; }
    // Lower-case hex; empty when hashing failed.
    QByteArray Hex()
    {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int size = 0;
        if (!m_good || EVP_DigestFinal_ex(m_ctx.get(), digest, &size) != 1)
            return {};
        return QByteArray(reinterpret_cast<const char *>(digest), int(size)).toHex();
    }

private:
    struct Free {
        void operator()(EVP_MD_CTX *ctx) const { EVP_MD_CTX_free(ctx); }
    };
    std::unique_ptr<EVP_MD_CTX, Free> m_ctx;
    bool m_good = false;
};

}  // namespace

QByteArray DataHash(const QByteArray &data)
{
    TSha256 h;
    h.Add(data.constData(), size_t(data.size()));
    return h.Hex();
}

QByteArray RegularFileHash(const QString &path)
{
    // O_NOFOLLOW and the check on the open descriptor: a link planted at the name is never
    // taken for the book.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray result;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        TSha256 h;
        char buf[1 << 16];
        bool good = true;
        for (;;) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n == 0)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                good = false;
                break;
            }
            h.Add(buf, size_t(n));
        }
        if (good)
            result = h.Hex();
    }
    ::close(fd);
    return result;
}
