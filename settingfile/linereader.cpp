#include "settingfile/linereader.h"

#include <algorithm>
#include <cstring>

bool LineReader::fillBuffer()
{
    if (m_atEnd) {
        return false;
    }
    const qint64 count =
        m_device.read(m_buffer.data(), std::min(qint64(m_buffer.size()), m_bytesLeft));
    if (count <= 0) {
        m_atEnd = true;
        m_failed = count < 0;
        return false;
    }
    m_bytesLeft -= count;
    m_next = m_buffer.data();
    m_end = m_next + count;
    return true;
}

bool LineReader::readLine(std::string &line, size_t keep)
{
    line.clear();
    bool started = false;
    for (;;) {
        if (m_next == m_end && !fillBuffer()) {
            return started && !m_failed;
        }
        if (m_skipLineFeed) {
            m_skipLineFeed = false;
            if (*m_next == '\n') {
                ++m_next;
                continue;
            }
        }
        started = true;
        const auto available = size_t(m_end - m_next);
        const auto *carriageReturn =
            static_cast<const char *>(std::memchr(m_next, '\r', available));
        const size_t length = carriageReturn ? size_t(carriageReturn - m_next) : available;
        line.append(m_next, std::min(length, keep - std::min(keep, line.size())));
        m_next += length;
        if (carriageReturn) {
            ++m_next;
            m_skipLineFeed = true;
            return true;
        }
    }
}
