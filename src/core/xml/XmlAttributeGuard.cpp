#include "xml/XmlAttributeGuard.h"

#include <algorithm>
#include <cstring>

// One character after "<" (NULs are passed over by Feed); true once the limit is passed.
bool TXmlAttributeGuard::step(char c)
{
    switch (m_state) {
    case TState::Text: break;  // Feed skips text with memchr
    case TState::Open:
        if (c == '?') {
            m_state = TState::Skip, m_close = "?>";
        } else if (c == '!') {
            m_state = TState::Bang1;
        } else {
            m_state = TState::Tag, m_attributes = 0, m_quote = 0;
            return step(c);
        }
        std::fill(m_window, m_window + 3, 0);
        break;
    case TState::Bang1:
        m_bang = c;
        m_state = TState::Bang2;
        break;
    case TState::Bang2:
        m_state = TState::Skip;
        // A declaration; the internal subset's own ones follow one by one.
        m_close = m_bang == '-' && c == '-' ? "-->" : m_bang == '[' ? "]]>" : ">";
        std::fill(m_window, m_window + 3, 0);
        break;
    case TState::Skip: {
        m_window[0] = m_window[1];
        m_window[1] = m_window[2];
        m_window[2] = c;
        const size_t n = std::strlen(m_close);
        if (std::memcmp(m_window + 3 - n, m_close, n) == 0)
            m_state = TState::Text;
        break;
    }
    case TState::Tag:
        if (m_quote)
            m_quote = c == m_quote ? 0 : m_quote;
        else if (c == '"' || c == '\'')
            m_quote = c;
        else if (c == '>')
            m_state = TState::Text;
        else if (c == '=' && ++m_attributes > kMaxAttributes)
            return true;
        break;
    }
    return false;
}

bool TXmlAttributeGuard::Feed(const char *data, size_t size)
{
    if (m_found)
        return false;
    const char *p = data;
    const char *const end = data + size;
    while (p < end) {
        if (m_state == TState::Text) {
            // Text between tags is passed over with memchr: the guard costs little beside the parse.
            const char *open = static_cast<const char *>(std::memchr(p, '<', size_t(end - p)));
            if (!open)
                break;
            p = open + 1;
            m_state = TState::Open;
            continue;
        }
        if (m_state == TState::Tag && m_quote) {
            // An attribute's value holds nothing the guard counts: on to its closing quote.
            const char *close = static_cast<const char *>(std::memchr(p, m_quote, size_t(end - p)));
            if (!close)
                break;
            p = close + 1;
            m_quote = 0;
            continue;
        }
        if (m_state == TState::Tag) {
            // Names and spaces count for nothing either.
            while (p < end && *p != '"' && *p != '\'' && *p != '>' && *p != '=')
                ++p;
            if (p == end)
                break;
        }
        const char c = *p++;
        if (c && step(c)) {
            m_found = m_fed + size_t(p - data);
            return false;
        }
    }
    m_fed += size;
    return true;
}

int TXmlAttributeGuard::LineAt(const char *document, size_t found)
{
    return 1 + int(std::count(document, document + found, '\n'));
}
