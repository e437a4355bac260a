// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/console.h"

#include <QCoreApplication>

#include <array>
#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace
{

// Whether a call on descriptor that failed may be made again: it was interrupted, or the
// descriptor does not block (a parent may have made it so) and is now ready for events.
bool mayRetry(int descriptor, short events)
{
    if (errno == EINTR) {
        return true;
    }
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
        return false;
    }
    pollfd entry{descriptor, events, 0};
    while (::poll(&entry, 1, -1) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// Returns the system's reason for a failure.
QString writeAll(int descriptor, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t count =
            ::write(descriptor, bytes.constData() + done, size_t(bytes.size() - done));
        if (count >= 0) {
            done += count;
        } else if (!mayRetry(descriptor, POLLOUT)) {
            return qt_error_string(errno);
        }
    }
    return {};
}

// Standard input as a blocking descriptor reads: to its end.
class StandardInput : public QIODevice
{
public:
    StandardInput() { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        for (;;) {
            const ssize_t count = ::read(STDIN_FILENO, data, size_t(maxSize));
            if (count >= 0) {
                return count;
            }
            if (!mayRetry(STDIN_FILENO, POLLIN)) {
                setErrorString(qt_error_string(errno));
                return -1;
            }
        }
    }
    qint64 writeData(const char *, qint64) override { return -1; }
};

} // namespace

struct Console::Streams {
    std::array<bool, 3> closed{};
};

Console::Console() : m_streams(std::make_unique<Streams>())
{
    for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(descriptor, F_GETFD) < 0 && errno == EBADF) {
            m_streams->closed[size_t(descriptor)] = true;
            // open takes the lowest free number, which is this one: those below are open now.
            // Where even /dev/null cannot be opened, no stream is left to say so on.
            ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        }
    }
}

Console::~Console() = default;

QString Console::write(const QString &text)
{
    if (m_streams->closed[STDOUT_FILENO]) {
        return QCoreApplication::translate("Console", "Standard output is closed.");
    }
    return writeAll(STDOUT_FILENO, text.toUtf8());
}

void Console::printError(const QString &text)
{
    writeAll(STDERR_FILENO, text.toUtf8()); // with standard error failing, nothing is left to say
}

std::unique_ptr<QIODevice> Console::openInput(QString &reason)
{
    if (m_streams->closed[STDIN_FILENO]) {
        // Only --check reads standard input, and its lines stay English.
        reason = QStringLiteral("Standard input is closed.");
        return nullptr;
    }
    return std::make_unique<StandardInput>();
}
