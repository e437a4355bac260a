#pragma once

#include <QIODevice>

#include <algorithm>
#include <string_view>

// Serves bytes in pieces of a fixed size and fails from a given offset on, so that a line reader
// meets the read boundaries and read errors that a real file brings only when it is large.
class ChunkedDevice : public QIODevice
{
public:
    ChunkedDevice(std::string_view bytes, qint64 chunkSize, qint64 failFrom)
        : m_bytes(bytes), m_chunkSize(chunkSize), m_failFrom(failFrom)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_position >= m_failFrom) {
            return -1;
        }
        const auto left = qint64(m_bytes.size()) - m_position;
        const qint64 count = std::min({maxSize, m_chunkSize, m_failFrom - m_position, left});
        std::copy_n(m_bytes.data() + m_position, count, data);
        m_position += count;
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    std::string_view m_bytes;
    qint64 m_chunkSize;
    qint64 m_failFrom;
    qint64 m_position = 0;
};
