// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QIODevice>

#include <array>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>

// Splits what a device delivers into the lines of a setting file: a line ends at CR LF or at a
// lone CR, never at a lone LF, and the last line may lack its end mark. Holds one line at a
// time and reads no further than the line asked for, and no more than byteLimit bytes in all,
// so that a file another program keeps appending to still comes to an end.
class LineReader
{
    // Grows with realloc, at least doubling. What a long line costs in memory rests on the C
    // library: glibc moves a large block by remapping its pages, so there it is about the line's
    // own size (the benchmark measures it); where realloc copies, up to about three times that.
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
    explicit LineReader(QIODevice &device, qint64 byteLimit = std::numeric_limits<qint64>::max())
        : m_device(device), m_bytesLeft(byteLimit)
    {
    }

    // The next line, of which at most keep bytes are kept (the rest is passed over); nothing
    // when no line is left or reading failed (see failed()). The view is valid until the next
    // call: it points into the read buffer where the line lies whole in it, which spares a copy.
    std::optional<std::string_view> readLine(size_t keep = std::string_view::npos);

    bool failed() const { return m_failed; }
    // Line feeds read so far that follow no carriage return: the line ends of a Unix text file,
    // which end no line here.
    qint64 loneLineFeeds() const { return m_lineFeeds - m_lineFeedsAfterReturn; }

private:
    bool fillBuffer();

    QIODevice &m_device;
    qint64 m_bytesLeft;
    std::array<char, 64 * 1024> m_buffer{};
    const char *m_next = m_buffer.data();
    const char *m_end = m_buffer.data();
    LineBuffer m_line; // a line that spans reads
    bool m_skipLineFeed = false;
    qint64 m_lineFeeds = 0;
    qint64 m_lineFeedsAfterReturn = 0;
    bool m_atEnd = false;
    bool m_failed = false;
};
