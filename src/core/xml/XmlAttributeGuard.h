#pragma once
// libxml2 checks each attribute of a start tag against all the ones before it: a tag with a
// couple of hundred thousand attributes takes it minutes. The guard finds such a tag in the bytes
// before the parser is given them, piece by piece as they are read, so a file can be parsed as it
// is read and still never reach the parser with one. No real document comes near the limit.

#include <cstddef>

class TXmlAttributeGuard {
public:
    static constexpr int kMaxAttributes = 1000;

    // Looks at the next bytes of the document. False once a start tag with more than
    // kMaxAttributes attributes is found; Found() is then where in the document it was seen.
    // Bytes are not decoded; NUL bytes are passed over, so UTF-16 and UTF-32 read as ASCII.
    bool Feed(const char *data, size_t size);
    bool Tripped() const { return m_found > 0; }
    size_t Found() const { return m_found; }
    // The line of the offending tag, from the document's bytes (counted only when one is found).
    static int LineAt(const char *document, size_t found);

private:
    enum class TState { Text, Open, Bang1, Bang2, Skip, Tag };
    bool step(char c);

    TState m_state = TState::Text;
    const char *m_close = nullptr;  // what Skip looks for
    char m_window[3] = {0, 0, 0};
    char m_bang = 0;  // the character after "<!"
    char m_quote = 0;
    int m_attributes = 0;
    size_t m_fed = 0;  // bytes fed before the current piece
    size_t m_found = 0;
};
