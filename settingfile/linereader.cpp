// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "settingfile/linereader.h"

#include <algorithm>
#include <cstring>

bool LineReader::LineBuffer::append(const char *bytes, size_t count)
{
    if (m_size + count > m_capacity) {
        const size_t capacity = std::max({m_size + count, 2 * m_capacity, size_t(256)});
        auto *data = static_cast<char *>(std::realloc(m_data, capacity));
        if (!data) {
            return false;
        }
        m_data = data;
        m_capacity = capacity;
    }
    std::memcpy(m_data + m_size, bytes, count);
    m_size += count;
    return true;
}

namespace
{

// In blocks that a byte can count, which a compiler turns into vector instructions: a pass over
// each buffer costs a fraction of the search for line ends.
qint64 lineFeedsIn(const char *begin, const char *end)
{
    qint64 total = 0;
    while (begin != end) {
        const char *blockEnd = begin + std::min<ptrdiff_t>(end - begin, 255);
        unsigned char count = 0;
        for (; begin != blockEnd; ++begin) {
            count += static_cast<unsigned char>(*begin == '\n');
        }
        total += count;
    }
    return total;
}

} // namespace

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
    m_lineFeeds += lineFeedsIn(m_next, m_end);
    return true;
}

std::optional<std::string_view> LineReader::readLine(size_t keep)
{
    m_line.clear();
    bool started = false;
    for (;;) {
        if (m_next == m_end && !fillBuffer()) {
            if (!started || m_failed) {
                return std::nullopt;
            }
            return m_line.view();
        }
        if (m_skipLineFeed) {
            m_skipLineFeed = false;
            if (*m_next == '\n') {
                ++m_lineFeedsAfterReturn;
                ++m_next;
                continue;
            }
        }
        const auto available = size_t(m_end - m_next);
        const auto *carriageReturn =
            static_cast<const char *>(std::memchr(m_next, '\r', available));
        const size_t length = carriageReturn ? size_t(carriageReturn - m_next) : available;
        if (carriageReturn && !started) {
            const std::string_view line(m_next, std::min(length, keep));
            m_next = carriageReturn + 1;
            m_skipLineFeed = true;
            return line;
        }
        started = true;
        if (!m_line.append(m_next, std::min(length, keep - std::min(keep, m_line.size())))) {
            m_failed = m_atEnd = true;
            return std::nullopt;
        }
        m_next += length;
        if (carriageReturn) {
            ++m_next;
            m_skipLineFeed = true;
            return m_line.view();
        }
    }
}
