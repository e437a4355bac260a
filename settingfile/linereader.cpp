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

// Whether bytes hold an LF that follows no CR, an LF at their start counted as one. Without any,
// no LF ends a line there, and only CRs are searched for, as most files need. Without a branch
// in the loop, which a compiler turns into vector instructions.
bool hasLoneLineFeed(const char *begin, const char *end)
{
    unsigned char found = begin != end && *begin == '\n';
    for (const char *at = begin + 1; at < end; ++at) {
        found |= static_cast<unsigned char>((at[0] == '\n') & (at[-1] != '\r'));
    }
    return found != 0;
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
    m_nextReturn = m_nextLineFeed = nullptr;
    m_loneLineFeeds = hasLoneLineFeed(m_next, m_end);
    return true;
}

// Each search is made once for all the lines up to what it finds.
const char *LineReader::nextReturnOrLineFeed()
{
    for (const char **cached : {&m_nextReturn, &m_nextLineFeed}) {
        if (!*cached || *cached < m_next) {
            *cached = find(cached == &m_nextReturn ? '\r' : '\n');
        }
    }
    return std::min(m_nextReturn, m_nextLineFeed);
}

std::optional<std::string_view> LineReader::readLineFully(size_t keep)
{
    endLine();
    m_line.clear();
    bool started = false;
    for (;;) {
        if (m_next == m_end && !fillBuffer()) {
            if (!started || m_failed) {
                return std::nullopt;
            }
            m_lineEnd = LineEnd::EndOfInput;
            return m_line.view();
        }
        if (m_skipLineFeed) {
            m_skipLineFeed = false;
            if (*m_next == '\n') {
                ++m_next;
                continue;
            }
        }
        const char *lineBreak = nextBreak();
        const size_t room = keep - m_line.size();
        const size_t length = std::min(size_t(lineBreak - m_next), room);
        const bool full = length == room;
        const bool ends = !full && lineBreak != m_end;
        std::string_view line(m_next, length);
        if (started || !(full || ends)) {
            started = true;
            if (!m_line.append(m_next, length)) {
                m_failed = m_atEnd = true;
                return std::nullopt;
            }
            line = m_line.view();
        }
        m_next += length;
        if (full || ends) {
            m_inLine = true;
            if (ends) {
                passBreak();
            }
            return line;
        }
    }
}

std::optional<std::string_view> LineReader::readMore()
{
    while (m_inLine) {
        if (m_next == m_end && !fillBuffer()) {
            m_inLine = false;
            m_lineEnd = LineEnd::EndOfInput;
            return std::nullopt;
        }
        const char *lineBreak = nextBreak();
        const std::string_view piece(m_next, size_t(lineBreak - m_next));
        m_next = lineBreak;
        if (lineBreak != m_end) {
            passBreak();
        }
        if (!piece.empty()) {
            return piece;
        }
    }
    return std::nullopt;
}

LineReader::LineEnd LineReader::passOverRest()
{
    while (readMore()) {
    }
    return m_lineEnd;
}
