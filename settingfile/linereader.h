// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QIODevice>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

// Splits what a device delivers into lines that end at CR LF, at a lone CR or at a lone LF, and
// tells which of them ended each: a setting file ends its lines at the first two only, and
// whoever reads one joins the lines that a lone LF ends. The last line may lack its end mark.
// Keeps only the first bytes of a line that the caller asks for, and reads no more than byteLimit
// bytes in all, so that a file another program keeps appending to still comes to an end.
class LineReader
{
    // Grows with realloc, at least doubling.
    class LineBuffer
    {
    public:
        LineBuffer() = default;
        LineBuffer(const LineBuffer &) = delete;
        LineBuffer &operator=(const LineBuffer &) = delete;
        ~LineBuffer() { std::free(m_data); }

        bool append(const char *bytes, size_t count); // false when memory ran out
        void clear() { m_size = 0; }
        size_t size() const { return m_size; }
        std::string_view view() const { return {m_data, m_size}; }

    private:
        char *m_data = nullptr;
        size_t m_size = 0;
        size_t m_capacity = 0;
    };

public:
    enum class LineEnd { CarriageReturn, LineFeed, EndOfInput }; // CR LF counts as CR
    static constexpr size_t All = std::string_view::npos;

    explicit LineReader(QIODevice &device, qint64 byteLimit = std::numeric_limits<qint64>::max())
        : m_device(device), m_bytesLeft(byteLimit)
    {
    }

    // The first keep bytes of the next line; nothing when no line is left or reading failed (see
    // failed()). The rest of a longer line waits for readMore() and endLine(); the next readLine()
    // passes over it. The view is valid until the next call: it points into the read buffer where
    // the kept bytes lie whole in it, which spares a copy.
    std::optional<std::string_view> readLine(size_t keep = All)
    {
        return m_inLine || m_loneLineFeeds ? readLineFully(keep) : readWholeLine(keep);
    }
    // The next piece of what the line has beyond the bytes kept, as it lies in the read buffer;
    // nothing once the line has ended.
    std::optional<std::string_view> readMore();
    // Passes over the rest of the line and says what ended it. A line that a read error cuts
    // short ends with EndOfInput, and failed() is then true.
    LineEnd endLine() { return m_inLine ? passOverRest() : m_lineEnd; }

    // Whether the line read last has ended: nothing of it is left for readMore().
    bool lineEnded() const { return !m_inLine; }
    bool failed() const { return m_failed; }

private:
    // Most lines lie whole in the read buffer, end in a CR and are shorter than what is kept:
    // found inline with one search, without the general loop's calls.
    std::optional<std::string_view> readWholeLine(size_t keep)
    {
        const char *start = m_next + (m_skipLineFeed && m_next != m_end && *m_next == '\n');
        const auto *lineBreak = static_cast<const char *>(
            std::memchr(start, '\r', std::min(keep, size_t(m_end - start))));
        if (!lineBreak) {
            return readLineFully(keep);
        }
        m_next = lineBreak + 1;
        m_lineEnd = LineEnd::CarriageReturn;
        m_skipLineFeed = true;
        return std::string_view(start, size_t(lineBreak - start));
    }
    std::optional<std::string_view> readLineFully(size_t keep);
    bool fillBuffer();
    LineEnd passOverRest();
    // The next CR or LF in the read buffer, or its end. Inline, as most lines pass through it.
    const char *nextBreak() { return m_loneLineFeeds ? nextReturnOrLineFeed() : find('\r'); }
    const char *nextReturnOrLineFeed();
    const char *find(char c) const
    {
        const auto *found =
            static_cast<const char *>(std::memchr(m_next, c, size_t(m_end - m_next)));
        return found ? found : m_end;
    }
    // Steps over the line break at m_next, which ends the line.
    void passBreak()
    {
        m_lineEnd = *m_next == '\r' ? LineEnd::CarriageReturn : LineEnd::LineFeed;
        m_skipLineFeed = m_lineEnd == LineEnd::CarriageReturn;
        m_inLine = false;
        ++m_next;
    }

    QIODevice &m_device;
    qint64 m_bytesLeft;
    std::array<char, 64 * 1024> m_buffer; // not cleared: only what a read wrote is looked at
    const char *m_next = m_buffer.data();
    const char *m_end = m_buffer.data();
    // Where the next CR and LF are, once searched for, where the read buffer holds a lone LF.
    const char *m_nextReturn = nullptr;
    const char *m_nextLineFeed = nullptr;
    bool m_loneLineFeeds = false; // in the read buffer
    LineBuffer m_line;            // kept bytes that span reads
    bool m_inLine = false;
    LineEnd m_lineEnd = LineEnd::EndOfInput;
    bool m_skipLineFeed = false;
    bool m_atEnd = false;
    bool m_failed = false;
};
