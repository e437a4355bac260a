#pragma once

#include <QIODevice>

#include <array>
#include <limits>
#include <string>

// Splits what a device delivers into the lines of a setting file: a line ends at CR LF or at a
// lone CR, never at a lone LF, and the last line may lack its end mark. Holds one line at a
// time and reads no further than the line asked for, and no more than byteLimit bytes in all,
// so that a file another program keeps appending to still comes to an end.
class LineReader
{
public:
    explicit LineReader(QIODevice &device, qint64 byteLimit = std::numeric_limits<qint64>::max())
        : m_device(device), m_bytesLeft(byteLimit)
    {
    }

    // Reads the next line into line, keeping at most keep of its bytes (the rest is passed
    // over). Returns false when no line is left or reading failed (see failed()).
    bool readLine(std::string &line, size_t keep = std::string::npos);

    bool failed() const { return m_failed; }

private:
    bool fillBuffer();

    QIODevice &m_device;
    qint64 m_bytesLeft;
    std::array<char, 64 * 1024> m_buffer{};
    const char *m_next = m_buffer.data();
    const char *m_end = m_buffer.data();
    bool m_skipLineFeed = false;
    bool m_atEnd = false;
    bool m_failed = false;
};
